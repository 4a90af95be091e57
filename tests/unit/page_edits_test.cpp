#include <gtest/gtest.h>

#include <functional>

#include "page/settings_edits.h"
#include "sample_settings.h"

namespace px {
namespace {

using Change = std::function<void(SettingsModel&)>;

struct EditCase {
  const char* name;
  Change setup;  // applied to the sample before the edit
  std::function<EditOutcome(SettingsModel&)> edit;
  EditOutcome outcome;
  Change expected;  // what the edit must have done to the set-up model, nothing else
};

const Change kNothing = [](SettingsModel&) {};

// The whole record is compared, so an edit that touches a field it should not shows up.
TEST(PageEdits, EachControlsModelChange) {
  const EditCase cases[] = {
      {"rate 125 from 250", kNothing, [](auto& m) { return SelectReportRate(m, 1); }, EditOutcome::Changed,
       [](auto& m) { m.ReportRateCode = 8; }},
      {"rate segment already lit", kNothing, [](auto& m) { return SelectReportRate(m, 2); }, EditOutcome::Unchanged,
       kNothing},
      {"rate 1000 over an unexpected code", [](auto& m) { m.ReportRateCode = 3; },
       [](auto& m) { return SelectReportRate(m, 4); }, EditOutcome::Changed, [](auto& m) { m.ReportRateCode = 1; }},
      {"rate segment 5", kNothing, [](auto& m) { return SelectReportRate(m, 5); }, EditOutcome::Refused, kNothing},
      {"level 12 on the twelve-level variant", kNothing, [](auto& m) { return SetStageLevel(m, 1, 12, 0); },
       EditOutcome::Changed, [](auto& m) { m.DpiLevel[0] = 11; }},
      {"level 10 on an eight-level variant", kNothing, [](auto& m) { return SetStageLevel(m, 1, 10, 2); },
       EditOutcome::Refused, kNothing},
      {"level 9 on an unknown variant", kNothing, [](auto& m) { return SetStageLevel(m, 1, 9, 7); },
       EditOutcome::Refused, kNothing},
      {"level 8 on an unknown variant", kNothing, [](auto& m) { return SetStageLevel(m, 1, 8, 7); },
       EditOutcome::Changed, [](auto& m) { m.DpiLevel[0] = 7; }},
      {"level of a stage out of use", kNothing, [](auto& m) { return SetStageLevel(m, 2, 1, 1); },
       EditOutcome::Changed, [](auto& m) { m.DpiLevel[1] = 0; }},
      {"level 0", kNothing, [](auto& m) { return SetStageLevel(m, 1, 0, 0); }, EditOutcome::Refused, kNothing},
      {"stage 5", kNothing, [](auto& m) { return SetStageLevel(m, 5, 1, 0); }, EditOutcome::Refused, kNothing},
      {"tick a stage out of use", kNothing, [](auto& m) { return ToggleStage(m, 2); }, EditOutcome::Changed,
       [](auto& m) { m.DpiStageEnabled[1] = 1; }},
      {"untick with others in use keeps level and colour", kNothing, [](auto& m) { return ToggleStage(m, 4); },
       EditOutcome::Changed, [](auto& m) { m.DpiStageEnabled[3] = 0; }},
      {"the last stage in use stays", [](auto& m) { m.DpiStageEnabled = {0, 0, 1, 0}; },
       [](auto& m) { return ToggleStage(m, 3); }, EditOutcome::Refused, kNothing},
      {"two in use: either can go", [](auto& m) { m.DpiStageEnabled = {1, 0, 0, 1}; },
       [](auto& m) { return ToggleStage(m, 1); }, EditOutcome::Changed, [](auto& m) { m.DpiStageEnabled[0] = 0; }},
      {"colour", kNothing, [](auto& m) { return SetStageColor(m, 3, Rgb{9, 8, 7}); }, EditOutcome::Changed,
       [](auto& m) { m.DpiStageColor[2] = Rgb{9, 8, 7}; }},
      {"same colour", kNothing, [](auto& m) { return SetStageColor(m, 1, Rgb{0xFF, 0, 0x10}); },
       EditOutcome::Unchanged, kNothing},
      {"colour of stage 0", kNothing, [](auto& m) { return SetStageColor(m, 0, Rgb{}); }, EditOutcome::Refused,
       kNothing},
      {"standard keeps the parameters of respiration", kNothing, [](auto& m) { return ChooseLightMode(m, 1); },
       EditOutcome::Changed, [](auto& m) { m.LightMode = 1; }},
      {"neon is never chosen", kNothing, [](auto& m) { return ChooseLightMode(m, 3); }, EditOutcome::Refused,
       kNothing},
      {"brightness 100% in standard", [](auto& m) { m.LightMode = 1; },
       [](auto& m) { return ChooseLightParameter(m, 9); }, EditOutcome::Changed,
       [](auto& m) { m.LightParamStandard = 9; }},
      {"period in respiration", kNothing, [](auto& m) { return ChooseLightParameter(m, 4); }, EditOutcome::Changed,
       [](auto& m) { m.LightParamBreath = 4; }},
      {"period past the respiration list", kNothing, [](auto& m) { return ChooseLightParameter(m, 5); },
       EditOutcome::Refused, kNothing},
      {"no parameter while off", [](auto& m) { m.LightMode = 0; }, [](auto& m) { return ChooseLightParameter(m, 1); },
       EditOutcome::Refused, kNothing},
      {"no parameter in neon", [](auto& m) { m.LightMode = 3; }, [](auto& m) { return ChooseLightParameter(m, 1); },
       EditOutcome::Refused, kNothing},
      {"flash stores item + 1", kNothing, [](auto& m) { return ChooseLightEffect(m, 1); }, EditOutcome::Changed,
       [](auto& m) { m.LightEffect = 2; }},
      {"no effect list in standard", [](auto& m) { m.LightMode = 1; }, [](auto& m) { return ChooseLightEffect(m, 0); },
       EditOutcome::Refused, kNothing},
      {"Mode B", kNothing, [](auto& m) { return SelectButtonMode(m, 1); }, EditOutcome::Changed,
       [](auto& m) { m.ButtonMode = 1; }},
      {"mode 2", kNothing, [](auto& m) { return SelectButtonMode(m, 2); }, EditOutcome::Refused, kNothing},
  };
  for (const auto& c : cases) {
    SettingsModel model = SampleSettings();
    c.setup(model);
    SettingsModel expected = model;
    c.expected(expected);
    EXPECT_EQ(c.edit(model), c.outcome) << c.name;
    EXPECT_EQ(model, expected) << c.name;
  }
}

TEST(PageEdits, SwitchingLightModesBackRestoresEachModesChoice) {
  SettingsModel m = SampleSettings();  // respiration, period 1, RGB Effect
  ASSERT_EQ(ChooseLightEffect(m, 1), EditOutcome::Changed);
  ASSERT_EQ(ChooseLightMode(m, 1), EditOutcome::Changed);
  ASSERT_EQ(ChooseLightParameter(m, 6), EditOutcome::Changed);
  ASSERT_EQ(ChooseLightMode(m, 2), EditOutcome::Changed);
  EXPECT_EQ(m.LightParamBreath, 1);
  EXPECT_EQ(m.LightEffect, 2);
  EXPECT_EQ(m.LightParamStandard, 6);
}

}  // namespace
}  // namespace px
