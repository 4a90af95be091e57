#pragma once
// The interface speaks one of three languages, chosen once per run from the
// "Lan" value of str.ini. Every text exists in all three; none falls back.
#include <array>
#include <cstddef>

#include "common/text.h"

namespace px {

enum class Language { English, SimplifiedChinese, TraditionalChinese };

// A language's place in a table of three, in the order of Language (English
// first); any other value reads as English.
constexpr std::size_t LanguageIndex(Language language) {
  switch (language) {
    case Language::SimplifiedChinese: return 1;
    case Language::TraditionalChinese: return 2;
    case Language::English: break;
  }
  return 0;
}

// "CHS" and "CHT", whole and case-sensitive; anything else is English.
Language LanguageFromCode(TextView languageCode);

// The str.ini section that holds the button labels of a language.
TextView LabelSectionName(Language language);

// One member per interface text, named after its English text.
struct InterfaceTexts {
  // Settings page: title, headings, captions.
  TextView BasicSettings, Ok, Apply, Cancel, KeySetting, ReportRateSetting, DpiSetting, Default,
      DpiEffect, Mode, Parameter, Effect, WebSite;
  // Lighting choices.
  TextView LightOff, LightStandard, LightRespiration, LightNeon, NonDisplay, RgbEffect, RgbFlash,
      RgbFixedOn;
  // Button functions in list order (function index 0..13), and the guard's warning.
  std::array<TextView, 14> ButtonFunctions;
  TextView LeftKeyMustBeSelected;
  // Notifications, menu and device messages.
  std::array<TextView, 4> ReportRateSwitched;  // 1000, 500, 250, 125 Hz
  std::array<TextView, 4> DpiStageSwitched;    // stages 1..4
  std::array<TextView, 2> KeyMatrixSwitched;   // key groups 1, 2
  TextView MacroSwitched, Exit, MouseNotDetected, MouseDetected;
};

const InterfaceTexts& TextsFor(Language language);

}  // namespace px
