#pragma once
// The settings page's view over the Qt main window: every drawing lands on
// the window's persistent canvas (its background picture) and reaches the
// screen in one copy; the page's child controls are Qt labels and lists
// painted by the window's colour rule. No rules of its own: SettingsPage
// decides, as over the Win32 window.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>

#include "page/page_view.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/ui_font.h"

class QLabel;

namespace px {

class QtListBox;

// What the view draws with; owned by the window and kept current by it.
struct PageQtResources {
  QImage& canvas;  // every drawing composes onto it; a null canvas skips drawing
  const Text& skinFolder;
  const UiTextColor& textColor;
  const QFont& bodyFont;
  const QFont& headingFont;
  const SettingsModel& model;  // the swatch colours
};

// What the view's children and timers report, for the window to hand to the page.
struct PageQtEvents {
  std::function<void(int listId)> listChosen;                // a click on an entry
  std::function<void(int listId, int item)> pointerOverList;  // the entry under the pointer
  std::function<void(Point at)> hover;                        // the pointer rested
  std::function<void(Point at)> drag;                         // a button-down asks to move the window
};

class PageQtView final : public PageView {
 public:
  PageQtView(QWidget& window, PageQtResources resources, PageQtEvents events);
  ~PageQtView() override;

  void BeginDrawing() override;
  void DrawImage(TextView imageName, Point at) override;
  void DrawString(TextView text, const Rect& rect, TextFormat format, PageFont font) override;
  void CopyToScreen() override;
  // Drops the skin's pictures. Nothing is held back: the window paints only
  // after the rebuild has ended.
  void BeginRebuild() override;

  void CreateStatic(const StaticControl& control) override;
  void SetStaticText(int id, TextView text) override;
  void InvalidateControl(int id) override;
  void DestroyControl(int id) override;

  void CreateList(int id, const Rect& rect, std::span<const TextView> items) override;
  bool ListExists(int id) const override;
  std::optional<int> ListSelection(int id) const override;
  void SetListSelection(int id, int item) override;
  std::optional<Rect> ListItemRect(int id, int item) const override;

  void ShowMessage(TextView text, TextView caption) override;
  std::optional<Rgb> RunColorChooser() override;
  void OpenWithShell(TextView address) override;
  void StartWindowDrag(Point at) override;
  void RequestHover() override;

  QLabel* Static(int id) const;
  QtListBox* List(int id) const;
  const QtSkinImages& Images() const { return images_; }

 private:
  void PaintStatic(int id);

  QWidget& window_;
  PageQtResources res_;
  PageQtEvents events_;
  std::optional<QPainter> painter_;
  QtSkinImages images_;
  std::map<int, QPointer<QLabel>> statics_;
  std::map<int, QPointer<QtListBox>> lists_;
  QTimer hoverTimer_;
};

}  // namespace px
