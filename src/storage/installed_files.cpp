#include "storage/installed_files.h"

#include <algorithm>

#include "model/button_catalogue.h"
#include "model/dpi_table.h"
#include "storage/config_file.h"
#include "storage/ini_file_store.h"

namespace px {

namespace {

constexpr std::size_t kKeyOffFunction = function_index::kKeyOff;

}  // namespace

SettingsModel InstalledFirstModel() {
  SettingsModel model{};
  model.ReportRateCode = 1;                  // 1000 Hz
  model.DpiLevel = {1, 3, 5, 7};             // valid in the 8- and 12-level tables alike
  model.DpiStageEnabled = {1, 1, 1, 1};
  model.DpiStageColor = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{255, 0, 255}};
  model.LightMode = 1;                       // standard
  model.LightParamStandard = 9;              // 100 %
  model.LightParamBreath = 2;
  model.LightEffectStandard = 1;
  model.LightEffect = 1;                     // RGB Effect
  model.LightEffectNeon = 1;
  model.ButtonMode = 0;
  model.FireMakeTime = 32;
  model.FireBreakTime = 32;
  // Level 0 of the table of the variant the defaults assume (2: 250 DPI),
  // as the snipe dialog would store it; a code from another table would ask
  // the mouse for a DPI it does not know.
  model.SnipeDpiCode = DpiCode(0, true, kInstalledDpiTableVariant);
  for (int mode = 0; mode < 2; ++mode) {
    for (int button = 1; button <= kButtonsPerMode; ++button) {
      const auto i = static_cast<std::size_t>(ButtonIndex(button, mode));
      model.ButtonFunction[i] = kFactoryButtonFunctions[static_cast<std::size_t>(button - 1)];
      model.FireTimes[i] = 1;
    }
    model.DpiSwitchCode[static_cast<std::size_t>(ButtonIndex(4, mode))] = kFactoryDpiSwitchCode;
  }
  return model;
}

LabelSet DefaultButtonLabels(Language language) {
  const InterfaceTexts& texts = TextsFor(language);
  LabelSet labels;
  for (int mode = 0; mode < 2; ++mode) {
    const auto at = [&](int button) -> Text& { return labels[static_cast<std::size_t>(ButtonIndex(button, mode))]; };
    at(1) = Text(texts.ButtonFunctions[0]);
    at(2) = Text(texts.ButtonFunctions[1]);
    at(3) = Text(texts.ButtonFunctions[2]);
    at(4) = u"DPI Loop";
    for (int button = 5; button <= kButtonsPerMode; ++button) at(button) = Text(texts.ButtonFunctions[kKeyOffFunction]);
  }
  return labels;
}

FileBytes InstalledConfigBin() {
  FileBytes bytes(kConfigFileSize, 0);
  const SettingsModel model = InstalledFirstModel();
  std::ranges::copy(model.Bytes(), bytes.begin() + 1);
  return bytes;
}

Text InstalledStrIniText() {
  Text ini;
  const auto set = [&](TextView section, TextView key, TextView value) { ini = SetIniValue(ini, section, key, value); };
  set(kSkinsSection, kLanguageKey, kInstalledLanguageCode);
  set(kSkinsSection, kSkinNameKey, kInstalledSkinName);
  set(kSkinsSection, kRedKey, FormatDecimal(kInstalledTextColor.red));
  set(kSkinsSection, kGreenKey, FormatDecimal(kInstalledTextColor.green));
  set(kSkinsSection, kBlueKey, FormatDecimal(kInstalledTextColor.blue));
  for (Language language : {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese}) {
    const LabelSet labels = DefaultButtonLabels(language);
    for (std::size_t i = 0; i < kLabelKeys.size(); ++i) set(LabelSectionName(language), kLabelKeys[i], labels[i]);
  }
  return ini;
}

FileBytes InstalledStrIni() { return EncodeIni(InstalledStrIniText(), IniEncoding::Utf16Le); }

}  // namespace px
