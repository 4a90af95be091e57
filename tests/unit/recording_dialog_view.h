#pragma once
// A dialog view that records the controller's verbs as lines of text and
// answers as scripted, the way a real window would (a field set by the
// program reports its change, a click on an entry selects it first).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "skin/dialog_controller.h"
#include "skin/dialog_view.h"

namespace px::testing {

class RecordingDialogView final : public ModalDialogView {
 public:
  // --- script ---
  bool backgroundLoads = true;
  std::optional<UiTextColor> colorChooserAnswer;
  std::optional<unsigned long> keyCaptureError;
  // What RunModal does with the controller once it has opened it.
  std::function<void(DialogController&)> user;

  // --- record ---
  std::vector<std::string> calls;
  std::optional<DialogEnd> ended;
  std::map<int, Text> labels;
  std::map<int, Text> edits;
  std::vector<Text> listItems;
  bool listExists = false;
  std::optional<int> selection;
  UiTextColor swatch{};

  void Clear() { calls.clear(); }
  // The user clicks entry `item` of the open list.
  void ClickEntry(DialogController& controller, int item) {
    selection = item;
    controller.ListSelectionMade();
  }

  DialogEnd RunModal(DialogController& controller) override {
    controller_ = &controller;
    if (controller.Open()) {
      controller.Erase();
      if (user) user(controller);
    }
    controller_ = nullptr;
    return ended.value_or(DialogEnd::Cancel);
  }

  bool LoadBackground(TextView imagePath) override {
    Record("load " + ToUtf8(imagePath));
    return backgroundLoads;
  }
  void BeginDrawing() override { Record("begin"); }
  void RestoreBackground() override { Record("restore"); }
  void DrawImage(TextView imagePath, int x, int y) override {
    Record("image " + ToUtf8(imagePath) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void DrawText(TextView text, const Rect& rect, TextFormat format, UiTextColor color) override {
    static const char* const kAligns[] = {"centre", "left", "right"};
    Record("text " + ToUtf8(text) + " " + std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
           kAligns[static_cast<int>(format.align)] + (format.whole ? " whole" : "") + " " +
           std::to_string(ColorValue(color)));
  }
  void EndDrawing() override { Record("end drawing"); }

  void CreateLabel(int id, const Rect&, bool centred, TextView text) override {
    labels[id] = Text(text);
    Record("label " + std::to_string(id) + (centred ? " centred " : " ") + ToUtf8(text));
  }
  void SetLabelText(int id, TextView text) override {
    labels[id] = Text(text);
    Record("set label " + std::to_string(id) + " " + ToUtf8(text));
  }
  void CreateList(int id, const Rect&, std::span<const Text> items, bool scrollBar) override {
    listItems.assign(items.begin(), items.end());
    listExists = true;
    selection.reset();
    Record("list " + std::to_string(id) + " " + std::to_string(items.size()) + (scrollBar ? " scroll" : ""));
  }
  void DestroyList() override {
    if (listExists) Record("destroy list");
    listExists = false;
  }
  bool ListExists() const override { return listExists; }
  std::optional<int> ListSelection() const override { return selection; }
  void SetListSelection(int item) override {
    selection = item < 0 ? std::nullopt : std::optional<int>(item);
    Record("select " + std::to_string(item));
  }
  void ScrollList(int lines) override { Record("scroll " + std::to_string(lines)); }

  void CreateEdit(int id, const Rect&, TextView text) override {
    edits[id] = Text(text);
    Record("edit " + std::to_string(id) + " " + ToUtf8(text));
  }
  void DestroyEdit(int id) override {
    if (edits.erase(id) != 0) Record("destroy edit " + std::to_string(id));
  }
  bool EditExists(int id) const override { return edits.count(id) != 0; }
  Text EditText(int id) const override { return edits.count(id) != 0 ? edits.at(id) : Text{}; }
  void SetEditText(int id, TextView text) override {
    if (edits.count(id) == 0) return;
    edits[id] = Text(text);
    Record("set edit " + std::to_string(id) + " " + ToUtf8(text));
    if (controller_ != nullptr) controller_->EditChanged(id, text);
  }
  // The user types `text` over a field's text.
  void Type(DialogController& controller, int id, TextView text) {
    edits[id] = Text(text);
    controller.EditChanged(id, text);
  }

  void CreateSwatch(int id, const Rect&, UiTextColor color) override {
    swatch = color;
    Record("swatch " + std::to_string(id) + " " + std::to_string(ColorValue(color)));
  }
  void SetSwatchColor(int, UiTextColor color) override { swatch = color; }

  std::optional<unsigned long> StartKeyCapture() override {
    Record("capture keys");
    return keyCaptureError;
  }
  void ShowMessage(TextView text, TextView caption) override {
    Record("message " + ToUtf8(text) + " | " + ToUtf8(caption));
  }
  Text ApplicationName() const override { return u"PX6410-3-4"; }
  std::optional<UiTextColor> RunColorChooser() override {
    Record("colour chooser");
    return colorChooserAnswer;
  }
  void RequestHover() override { Record("hover request"); }
  void End(DialogEnd end) override {
    ended = end;
    Record(end == DialogEnd::Ok ? "end ok" : "end cancel");
  }

 private:
  void Record(std::string line) { calls.push_back(std::move(line)); }
  DialogController* controller_ = nullptr;
};

// Every dialog kind's flags back as at program start.
inline void ResetDialogKindStates() {
  for (std::size_t k = 0; k < kDialogKindCount; ++k) KindState(static_cast<DialogKind>(k)) = {};
}

}  // namespace px::testing
