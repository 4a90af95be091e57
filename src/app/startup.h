#pragma once
// The main window's start-up sequence as data: the steps in order, which
// step follows which outcome, the hide-at-start counter, the folder and skin
// paths, the text colour and the two fonts of the window.
#include <cstdint>
#include <string_view>

#include "app/interface_texts.h"
#include "common/text.h"

namespace px {

enum class StartupStep {
  CheckSingleInstance = 1,
  DialogInit,
  SetIcons,
  ToolWindowStyle,
  PublishWindow,
  MessageFilter,
  AddTrayIcon,
  DiscoverMouse,
  RegisterDeviceNotification,
  LoadConfig,
  CopySavedSettings,
  ReadLanguage,
  SetTexts,
  LoadLabelsAndSkinKeys,
  LoadBackground,
  ResizeToBackground,
  PublishSkin,
  CreateFonts,
  BuildPage,
  Done,  // the initialisation ends (with TRUE), or the process ends after CheckSingleInstance
};

// The step after `step`. succeeded is what the step answered (for the
// single-instance check: no other instance runs); devicePresent is the flag
// as the step leaves it.
StartupStep NextStartupStep(StartupStep step, bool succeeded, bool devicePresent);

// WM_NCPAINT hides the window instead of painting its frame while the counter
// runs down, so the visible template never shows at start.
class HideAtStartCounter {
 public:
  // True when this WM_NCPAINT must hide the window rather than paint.
  bool TakeHide() {
    if (remaining_ <= 0) return false;
    --remaining_;
    return true;
  }
  int Remaining() const { return remaining_; }

 private:
  int remaining_ = 2;
};

// The folder of the running executable with its trailing separator, whatever
// the executable is called. Empty when the path has no folder part.
Text ExecutableFolder(TextView executablePath);

// folder (with its separator) + "/Skins/" + skinName, as the skin images expect it.
Text SkinFolderFor(TextView executableFolder, TextView skinName);

// "RColor" and friends: the decimal value of the text, 0 when it is missing or
// not a number; values beyond a byte keep their low byte.
std::uint8_t ColorComponentFromText(TextView text);

struct FontSpec {
  TextView face;
  int height = 0;
  int weight = 0;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct MainWindowFonts {
  FontSpec normal;
  FontSpec bold;
  friend bool operator==(const MainWindowFonts&, const MainWindowFonts&) = default;
};

// windowsVersion is GetVersion's answer: low byte major, next byte minor.
MainWindowFonts ChooseMainWindowFonts(Language language, std::uint32_t windowsVersion);

}  // namespace px
