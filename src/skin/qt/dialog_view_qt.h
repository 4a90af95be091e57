#pragma once
// The Qt window of the seven small dialogs: a frameless modal dialog of its
// background's size whose canvas is the skin picture, with the dark
// drop-down (a sunken label and a list made on demand), number fields and a
// colour swatch at the same client coordinates as on Windows. It only turns
// the controller's verbs into widgets and drawing, and Qt's events into the
// controller's events; the decisions are skin/dialog_controller.h's.
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "skin/dialog_controller.h"
#include "skin/dialog_view.h"
#include "skin/double_click.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/wheel_notches.h"

class QKeyEvent;
class QLineEdit;
class QPainter;

namespace px {

class QtListBox;

class QtDialogView : public QDialog, public ModalDialogView {
 public:
  explicit QtDialogView(QWidget* owner);
  ~QtDialogView() override;

  // The name of a keystroke, for the dialog that captures keys.
  using KeyNamer = std::function<Text(const QKeyEvent&)>;
  void SetKeyNamer(KeyNamer namer) { keyNamer_ = std::move(namer); }

  DialogEnd RunModal(DialogController& controller) override;

  bool LoadBackground(TextView imagePath) override;
  void BeginDrawing() override;
  void RestoreBackground() override;
  void DrawImage(TextView imagePath, int x, int y) override;
  void DrawText(TextView text, const Rect& rect, TextFormat format, UiTextColor color) override;
  void EndDrawing() override;
  void CreateLabel(int id, const Rect& rect, bool centred, TextView text) override;
  void SetLabelText(int id, TextView text) override;
  void CreateList(int id, const Rect& rect, std::span<const Text> items, bool scrollBar) override;
  void DestroyList() override;
  bool ListExists() const override { return list_ != nullptr; }
  std::optional<int> ListSelection() const override;
  void SetListSelection(int item) override;
  void ScrollList(int lines) override;
  void CreateEdit(int id, const Rect& rect, TextView text) override;
  void DestroyEdit(int id) override;
  bool EditExists(int id) const override { return edits_.count(id) != 0; }
  Text EditText(int id) const override;
  void SetEditText(int id, TextView text) override;
  void CreateSwatch(int id, const Rect& rect, UiTextColor color) override;
  void SetSwatchColor(int id, UiTextColor color) override;
  std::optional<unsigned long> StartKeyCapture() override;
  void ShowMessage(TextView text, TextView caption) override;
  Text ApplicationName() const override;
  std::optional<UiTextColor> RunColorChooser() override;
  void RequestHover() override;
  void End(DialogEnd end) override;

  void reject() override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Wheel(int angleDelta);

  DialogController* controller_ = nullptr;
  DialogEnd end_ = DialogEnd::Cancel;
  bool ended_ = false;
  QtSkinImages images_;
  QImage canvas_;
  QImage pristine_;  // the background as loaded
  double ratio_ = 1.0;  // the window's device pixel ratio at the background's loading
  std::unique_ptr<QPainter> painter_;
  int failedImages_ = 0;  // reported once the drawing has ended
  QFont font_;
  int rowHeight_ = 14;
  std::map<int, QWidget*> labels_;
  QtListBox* list_ = nullptr;
  std::map<int, QLineEdit*> edits_;
  std::map<int, QWidget*> swatches_;
  QTimer hoverTimer_;
  WheelNotches wheel_;
  DoubleClickPairing pairing_{DoubleClickLimits{}};  // the presses on the frame and its list
  KeyNamer keyNamer_;
  bool capturingKeys_ = false;
};

}  // namespace px
