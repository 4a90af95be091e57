#pragma once
// The settings page against a recording view, a map for str.ini and scripted
// parameter dialogs: what it draws, which controls it makes, which commands
// and dialogs it reaches, in which order.
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "page/settings_page.h"
#include "port_fakes.h"
#include "sample_settings.h"
#include "scripted_dialogs.h"

namespace px {

inline std::string U8(TextView text) { return ToUtf8(text); }
inline std::string At(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

class RecordingView final : public PageView, public PageCommands {
 public:
  std::vector<std::string> log;
  std::map<int, std::string> statics;
  std::set<int> lists;
  std::map<int, Rect> listRects;
  std::optional<int> selection;
  std::optional<Rgb> chosenColor;

  void BeginDrawing() override { log.push_back("begin"); }
  void DrawImage(TextView name, Point at) override { log.push_back("image " + U8(name) + " " + At(at)); }
  // Every text with where and how it was drawn.
  struct DrawnText {
    std::string text;
    Rect rect;
    TextFormat format;
    PageFont font;
  };
  std::vector<DrawnText> texts;

  void DrawString(TextView text, const Rect& r, TextFormat format, PageFont font) override {
    log.push_back("text " + U8(text) + " " + At(r.TopLeft()));
    texts.push_back({U8(text), r, format, font});
  }
  void CopyToScreen() override { log.push_back("copy"); }
  void BeginRebuild() override { log.push_back("begin rebuild"); }
  void EndRebuild() override { log.push_back("end rebuild"); }
  void CreateStatic(const StaticControl& c) override {
    statics[c.id] = U8(c.text);
    log.push_back("static " + std::to_string(c.id) + (c.centreImage ? " centred" : ""));
  }
  void SetStaticText(int id, TextView text) override { statics[id] = U8(text); }
  void InvalidateControl(int id) override { log.push_back("invalidate " + std::to_string(id)); }
  void DestroyControl(int id) override {
    if (lists.erase(id) + statics.erase(id) > 0) log.push_back("destroy " + std::to_string(id));
  }
  void CreateList(int id, const Rect& r, std::span<const TextView> items) override {
    lists.insert(id);
    listRects[id] = r;
    std::string text = "list " + std::to_string(id) + " to " + std::to_string(r.bottom) + ":";
    for (TextView item : items) text += " " + U8(item);
    log.push_back(text);
  }
  bool ListExists(int id) const override { return lists.contains(id); }
  std::optional<int> ListSelection(int id) const override {
    return lists.contains(id) ? selection : std::nullopt;
  }
  // Entries 16 pixels high, as wide as the list inside its border.
  void SetListSelection(int id, int item) override {
    if (lists.contains(id)) selection = item;
  }
  std::optional<Rect> ListItemRect(int id, int item) const override {
    if (!lists.contains(id)) return std::nullopt;
    return Rect{0, 16 * item, listRects.at(id).right - listRects.at(id).left - 2, 16 * item + 16};
  }
  void ShowMessage(TextView text, TextView caption) override { log.push_back("box " + U8(caption) + ": " + U8(text)); }
  std::optional<Rgb> RunColorChooser() override {
    log.push_back("chooser");
    return chosenColor;
  }
  void OpenWithShell(TextView address) override { log.push_back("shell " + U8(address)); }
  void StartWindowDrag(Point at) override { log.push_back("drag " + At(at)); }
  void RequestHover() override { log.push_back("request hover"); }

  void Ok() override { log.push_back("Ok"); }
  void Apply() override { log.push_back("Apply"); }
  void Cancel() override { log.push_back("Cancel"); }
  void Minimise() override { log.push_back("Minimise"); }
  void Close() override { log.push_back("Close"); }
  void RunSkinFlow() override { log.push_back("Skins"); }

  // The log without the drawing, for the tests of what a click reaches.
  std::vector<std::string> Actions() const {
    std::vector<std::string> out;
    for (const auto& line : log) {
      if (!line.starts_with("image") && !line.starts_with("text") && line != "begin" && line != "copy") {
        out.push_back(line);
      }
    }
    return out;
  }
  bool Drew(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }
};

struct PageFixture {
  SettingsSession session;
  int pageState = kPageNotBuilt;
  bool builtOnce = false;
  testing::MemoryProfileStore ini;
  RecordingView view;
  ScriptedDialogs dialogs;
  SettingsPage page{session, {pageState, builtOnce}, ini, view, view, dialogs};

  explicit PageFixture(std::uint8_t variant = 0, bool build = true) {
    session.model = SampleSettings();  // 250 Hz, stage 2 out of use, respiration
    session.firstRunFlag = 1;
    session.dpiTableVariant = variant;
    session.labels.fill(u"label");
    if (build) {
      page.BuildPage();
      view.log.clear();
    }
  }
};

}  // namespace px
