// The settings page against a recording view: what it draws, which controls
// it makes, which commands it reaches, in which order.
#include <gtest/gtest.h>

#include <map>

#include "page/control_colors.h"
#include "page/lighting_texts.h"
#include "page_fixture.h"

namespace px {
namespace {

using Lines = std::vector<std::string>;

TEST(PageDispatch, OrderOfTestsAndWhatEndsTheDispatch) {
  struct Case {
    const char* name;
    bool built;
    std::uint8_t variant;
    Point click;
    Lines actions;
  };
  const Case cases[] = {
      {"OK goes on into a drag", true, 0, {600, 630}, {"Ok", "drag 600,630"}},
      {"Apply goes on into a drag", true, 0, {700, 630}, {"Apply", "drag 700,630"}},
      {"Cancel without a mouse goes on into a drag", true, 0, {800, 630}, {"Cancel", "drag 800,630"}},
      {"skins end: the chooser took the release", true, 0, {705, 10}, {"Skins"}},
      {"minimise ends", true, 0, {830, 10}, {"Minimise"}},
      {"close ends", true, 0, {860, 10}, {"Close"}},
      {"web link opens without a drag", true, 0, {300, 630}, {"shell http://www.example.com"}},
      {"previous page on a built page", true, 0, {50, 60}, {}},
      {"empty page drags", true, 0, {100, 300}, {"drag 100,300"}},
      {"level 10 of an eight-level variant drags", true, 2, {560, 345}, {"drag 560,345"}},
      {"level 10 of an unknown variant drags", true, 9, {560, 345}, {"drag 560,345"}},
      {"page element while not built drags", false, 0, {300, 525}, {"drag 300,525"}},
      {"OK while not built", false, 0, {600, 630}, {"Ok", "drag 600,630"}},
  };
  for (const auto& c : cases) {
    PageFixture f(c.variant, c.built);
    const SettingsModel before = f.session.model;
    f.page.DispatchClick(c.click);
    EXPECT_EQ(f.view.Actions(), c.actions) << c.name;
    EXPECT_EQ(f.session.model, before) << c.name;
    EXPECT_EQ(f.page.LastClickPoint(), c.click) << c.name;
  }
}

TEST(PageDispatch, PreviousPageBuildsAPageNeverBuilt) {
  PageFixture f(0, false);
  f.page.DispatchClick({50, 60});
  EXPECT_EQ(f.pageState, kPageBuilt);
  EXPECT_TRUE(f.view.Drew("image /BasicSet2.png 0,0"));
  EXPECT_EQ(f.view.statics.size(), 7u);
}

TEST(PageBuild, FirstBuildResetsLabelsOnlyOnAFirstRun) {
  for (int firstRun : {0, 1}) {
    PageFixture f(0, false);
    f.session.firstRunFlag = static_cast<std::uint8_t>(firstRun);
    f.page.BuildPage();
    const Text expected = firstRun == 0 ? Text(u"Left Click") : Text(u"label");
    EXPECT_EQ(f.session.labels[0], expected);
    EXPECT_EQ(f.ini.values.size(), firstRun == 0 ? 16u : 0u);
    if (firstRun == 0) {
      EXPECT_EQ(f.session.labels[3], u"DPI Loop");
      EXPECT_EQ(f.session.labels[15], u"Key Off");
    }
    // A later build, after a rebuild, never resets again.
    f.session.labels[0] = u"mine";
    f.page.Rebuild();
    EXPECT_EQ(f.session.labels[0], u"mine");
  }
}

TEST(PageBuild, LevelCellsLabelsAndControlsByVariant) {
  PageFixture twelve(0, false), eight(1, false);
  twelve.page.BuildPage();
  eight.page.BuildPage();
  EXPECT_TRUE(twelve.view.Drew("text 4000 514,302"));
  EXPECT_TRUE(eight.view.Drew("text 3200 494,374"));
  EXPECT_FALSE(eight.view.Drew("image /slider-DPI-dark.png 554,356"));  // no ninth cell
  // Stage 1 level 1 lit; stage 2 is out of use and all dark; stage 4 level 12 lit.
  EXPECT_TRUE(twelve.view.Drew("image /slider-DPI-light.png 554,500"));
  EXPECT_TRUE(twelve.view.Drew("image /slider-DPI-dark.png 581,500"));
  EXPECT_TRUE(twelve.view.Drew("image /slider-DPI-light.png 635,302"));
  EXPECT_TRUE(twelve.view.Drew("image /Pane.png 581,541"));
  EXPECT_TRUE(twelve.view.Drew("image /slider-RP-light.png 614,204"));
  EXPECT_TRUE(twelve.view.Drew("static 80 centred"));
  EXPECT_EQ(twelve.view.statics[81], "7S");
  EXPECT_EQ(twelve.view.statics[82], "RGB Effect");
  EXPECT_EQ(twelve.view.log.back(), "copy");

  // The count stays as built when a mouse of another variant arrives: a level
  // click still redraws twelve cells until the next build.
  twelve.session.dpiTableVariant = 1;
  twelve.view.log.clear();
  twelve.page.DispatchClick(layout::LevelCell(1, 3).TopLeft());
  EXPECT_TRUE(twelve.view.Drew("image /slider-DPI-dark.png 554,302"));  // cell 12 of stage 1
}

TEST(PageBuild, TheLitSegmentFollowsTheReportRateCode) {
  const std::array<int, 4> lefts{542, 614, 686, 758};
  struct Case {
    std::uint8_t code;
    int segment;
  };
  // 1000 Hz and every code the bar does not know show on segment 4.
  const Case cases[] = {{8, 1}, {4, 2}, {2, 3}, {1, 4}, {0, 4}, {3, 4}, {16, 4}, {255, 4}};
  for (const Case& c : cases) {
    PageFixture f(0, false);
    f.session.model.ReportRateCode = c.code;
    f.page.BuildPage();
    for (int n = 1; n <= 4; ++n) {
      const std::string light = "image /slider-RP-light.png " + std::to_string(lefts[n - 1]) + ",204";
      EXPECT_EQ(f.view.Drew(light), n == c.segment) << "code " << int{c.code} << ", segment " << n;
    }
    // 125 Hz darkens the segment that showed the code.
    f.view.log.clear();
    f.page.DispatchClick({545, 205});
    const std::string dark = "image /slider-RP-dark.png " + std::to_string(lefts[c.segment - 1]) + ",204";
    EXPECT_EQ(f.view.Drew(dark), c.segment != 1) << "code " << int{c.code};
    EXPECT_EQ(f.session.model.ReportRateCode, 8);
  }
}

TEST(PageBuild, EightLevelsOnlyForVariantsOneToThree) {
  for (int variant : {0, 1, 2, 3, 4, 9, 255}) {
    PageFixture f(static_cast<std::uint8_t>(variant), false);
    f.page.BuildPage();
    const bool twelve = variant == 0 || variant > 3;
    EXPECT_EQ(f.view.Drew("image /slider-DPI-dark.png 554,302"), twelve) << variant;  // cell 12 of stage 1
    EXPECT_EQ(f.view.Drew("image /slider-DPI-dark.png 554,356"), twelve) << variant;  // cell 9
    EXPECT_EQ(f.view.Drew("text 4000 514,302"), twelve) << variant;
  }
}

TEST(PageBuild, RebuildTearsDownControlsAndOpenLists) {
  PageFixture f;
  f.page.DispatchClick({800, 335});  // Mode list
  ASSERT_TRUE(f.page.ListOpen(60));
  f.page.Rebuild();
  EXPECT_FALSE(f.page.ListOpen(60));
  EXPECT_FALSE(f.view.lists.contains(60));
  EXPECT_TRUE(f.view.Drew("destroy 71"));
  EXPECT_TRUE(f.view.Drew("destroy 82"));
  EXPECT_EQ(f.view.statics.size(), 7u);
  EXPECT_EQ(f.pageState, kPageBuilt);
}

TEST(PageBuild, ARebuildIsShownOnlyWhenWhole) {
  PageFixture f;
  f.page.DispatchClick({800, 335});  // Mode list
  f.view.log.clear();
  bool rereadInside = false;
  f.page.Rebuild([&] { rereadInside = f.view.log.front() == "begin rebuild"; });
  ASSERT_GE(f.view.log.size(), 3u);
  // The teardown, the re-read, the drawing and the new controls all come
  // before the view may show the page.
  EXPECT_EQ(f.view.log.front(), "begin rebuild");
  EXPECT_TRUE(rereadInside);
  EXPECT_EQ(f.view.log.back(), "end rebuild");
  EXPECT_EQ(std::count(f.view.log.begin(), f.view.log.end(), "begin rebuild"), 1);
  EXPECT_TRUE(f.view.Drew("destroy 60"));
  EXPECT_TRUE(f.view.Drew("static 71"));
  // Nothing to show while the page is not built.
  PageFixture unbuilt(0, false);
  unbuilt.page.Rebuild();
  EXPECT_TRUE(unbuilt.view.log.empty());
}

// Each picture of the page is blended once at a build: a second blend of a
// soft edge over the persistent canvas darkens it. Only the lit segment goes
// over its dark one.
TEST(PageBuild, EachPictureOnceExceptTheLitSegmentOverItsDarkOne) {
  PageFixture f(0, false);
  f.page.BuildPage();
  std::map<std::string, Lines> byPoint;
  for (const auto& line : f.view.log) {
    if (line.starts_with("image ")) byPoint[line.substr(line.rfind(' ') + 1)].push_back(line);
  }
  EXPECT_EQ(byPoint["0,0"].front(), "image /BasicSet2.png 0,0");
  for (const auto& [point, images] : byPoint) {
    if (point == "614,204") {
      EXPECT_EQ(images, (Lines{"image /slider-RP-dark.png 614,204", "image /slider-RP-light.png 614,204"}));
    } else {
      EXPECT_EQ(images.size(), 1u) << point << ": " << images.front();
    }
  }
}

// Each text of the page in its rectangle: the title in the heading font, the
// rows' numbers and labels left-aligned, the names beside a row or column
// right-aligned, every caption centred.
TEST(PageBuild, EachTextInItsRectangleWithItsAlignmentAndFont) {
  struct Case {
    Rect rect;
    std::string text;
    TextFormat format;
    PageFont font = PageFont::Body;
  };
  const InterfaceTexts& en = TextsFor(Language::English);
  const std::vector<Case> cases{
      {layout::kTitle, U8(en.BasicSettings), kWholeCentredText, PageFont::Heading},
      {layout::kKeySettingHeading, U8(en.KeySetting), kWholeCentredText},
      {layout::kLightingHeading, U8(en.DpiEffect), kWholeCentredText},
      {layout::kWebLink, U8(en.WebSite), kWholeCentredText},
      {layout::kDefaultButton, U8(en.Default), kWholeCentredText},
      {layout::kModeBButton, "Mode B", kWholeCentredText},
      {{252, 245, 272, 266}, "3", kLeftText},
      {{272, 245, 463, 266}, "label", kLeftText},
      {{758, 225, 828, 245}, "1000", kWholeCentredText},
      {layout::kSelectLabel, "Select", kWholeRightText},
      {layout::kLightingRows[1].label, U8(en.Parameter), kWholeRightText},
      {layout::StageNumber(4), "4", kWholeCentredText},
      {layout::LevelLabel(12, 12), "4000", kWholeRightText},
  };
  PageFixture f(0, false);
  f.page.BuildPage();
  for (const Case& c : cases) {
    const auto drawn = std::find_if(f.view.texts.begin(), f.view.texts.end(),
                                    [&](const RecordingView::DrawnText& t) { return t.rect == c.rect; });
    ASSERT_NE(drawn, f.view.texts.end()) << c.text;
    EXPECT_EQ(drawn->text, c.text);
    EXPECT_EQ(drawn->format, c.format) << c.text;
    EXPECT_EQ(drawn->font, c.font) << c.text;
  }
}

TEST(PageStages, ClicksOnBarCellsTicksAndSwatches) {
  struct Case {
    const char* name;
    std::vector<Point> clicks;
    Lines drawn;        // each must appear
    Lines notDrawn;     // none may appear
  };
  const Case cases[] = {
      {"125 Hz lights 1, darkens 2", {{545, 205}}, {"image /slider-RP-light.png 542,204", "image /slider-RP-dark.png 614,204"}, {}},
      {"lit segment redraws nothing", {{620, 205}}, {}, {"image /slider-RP-light.png 614,204"}},
      {"level 3 of stage 1", {{560, 470}}, {"image /slider-DPI-light.png 554,464", "image /slider-DPI-dark.png 554,446"}, {}},
      {"tick back in lights the old level", {{585, 545}}, {"image /PaneMakingTick.png 581,541", "image /slider-DPI-light.png 581,446"}, {"image /slider-DPI-light.png 581,428"}},
      {"untick keeps level but draws dark", {{640, 545}}, {"image /Pane.png 635,541", "image /slider-DPI-dark.png 635,302"}, {}},
      {"level of a stage out of use stays dark", {{585, 412}}, {"image /slider-DPI-dark.png 581,500", "image /slider-DPI-dark.png 581,410"}, {"image /slider-DPI-light.png 581,500"}},
      {"ticked back in it lights the new level", {{585, 412}, {585, 545}}, {"image /slider-DPI-light.png 581,410"}, {"image /slider-DPI-light.png 581,392"}},
      {"swatch out of use opens nothing", {{585, 530}}, {}, {"chooser"}},
  };
  for (const auto& c : cases) {
    PageFixture f;
    for (Point p : c.clicks) f.page.DispatchClick(p);
    for (const auto& line : c.drawn) EXPECT_TRUE(f.view.Drew(line)) << c.name << ": " << line;
    for (const auto& line : c.notDrawn) EXPECT_FALSE(f.view.Drew(line)) << c.name << ": " << line;
    if (!c.drawn.empty()) {
      EXPECT_EQ(f.view.log.back(), "copy") << c.name;
    }
  }
}

TEST(PageStages, TheLastStageInUseStaysAndTheSwatchRepaints) {
  PageFixture f;
  f.session.model.DpiStageEnabled = {0, 0, 1, 0};
  f.page.DispatchClick({610, 545});
  EXPECT_EQ(f.session.model.DpiStageEnabled[2], 1);
  EXPECT_EQ(f.view.log, (Lines{"begin", "copy"}));

  // A chooser ended without OK keeps the stage's colour and repaints nothing.
  f.view.log.clear();
  f.page.DispatchClick({610, 530});
  EXPECT_EQ(f.session.model.DpiStageColor[2], (Rgb{1, 2, 3}));
  EXPECT_EQ(f.view.Actions(), (Lines{"chooser"}));

  f.view.chosenColor = Rgb{40, 50, 60};
  f.page.DispatchClick({610, 530});
  EXPECT_EQ(f.session.model.DpiStageColor[2], (Rgb{40, 50, 60}));
  EXPECT_TRUE(f.view.Drew("invalidate 73"));
}

TEST(PageLighting, ListsOpenChooseAndClose) {
  struct Case {
    const char* name;
    std::uint8_t mode;
    std::vector<Point> clicks;
    std::optional<int> choose;  // a selection notification of the last list opened
    Lines actions;
  };
  constexpr Point kMode{800, 335}, kParameter{845, 365}, kEffect{800, 395}, kElsewhere{100, 300};
  const Case cases[] = {
      {"mode list offers no Neon", 3, {kMode}, {}, {"list 60 to 407: Off Standard Respiration"}},
      {"second click closes", 1, {kMode, kMode}, {}, {"list 60 to 407: Off Standard Respiration", "destroy 60"}},
      {"outside click closes", 1, {kMode, kElsewhere}, {}, {"list 60 to 407: Off Standard Respiration", "destroy 60", "drag 100,300"}},
      {"standard brightness list is long", 1, {kParameter}, {}, {"list 61 to 547: 5% 15% 25% 35% 45% 55% 65% 75% 85% 100%"}},
      {"respiration period list is short", 2, {kParameter}, {}, {"list 61 to 467: 8S 7S 6S 5S 4S"}},
      {"off opens nothing", 0, {kParameter, kEffect}, {}, {}},
      {"standard effect shows, opens nothing", 1, {kEffect}, {}, {"invalidate 82"}},
      {"respiration effect list", 2, {kEffect}, 1, {"list 62 to 447: RGB Effect RGB Flash", "invalidate 82", "destroy 62"}},
      {"no selection leaves it open", 2, {kEffect}, std::nullopt, {"list 62 to 447: RGB Effect RGB Flash"}},
  };
  for (const auto& c : cases) {
    PageFixture f;
    f.session.model.LightMode = c.mode;
    for (Point p : c.clicks) f.page.DispatchClick(p);
    if (c.choose) {
      f.view.selection = c.choose;
      f.page.OnListChosen(62);
    } else {
      f.page.OnListChosen(62);
    }
    EXPECT_EQ(f.view.Actions(), c.actions) << c.name;
  }
}

TEST(PageLighting, EachModeKeepsItsLastChoice) {
  PageFixture f;  // respiration, 7S, RGB Effect
  f.session.model.LightParamStandard = 9;
  const auto choose = [&](Point header, int list, int item) {
    f.page.DispatchClick(header);
    f.view.selection = item;
    f.page.OnListChosen(list);
  };
  choose({800, 395}, 62, 1);  // RGB Flash
  choose({800, 335}, 60, 1);  // Standard
  EXPECT_EQ(f.view.statics[81], "100%");
  EXPECT_EQ(f.view.statics[82], "RGB Effect");
  choose({800, 335}, 60, 2);  // back to Respiration
  EXPECT_EQ(f.view.statics[80], "Respiration");
  EXPECT_EQ(f.view.statics[81], "7S");
  EXPECT_EQ(f.view.statics[82], "RGB Flash");
  choose({800, 335}, 60, 0);
  EXPECT_EQ(f.view.statics[81], "");
  EXPECT_EQ(f.session.model.LightEffect, 2);
  EXPECT_FALSE(f.page.ListOpen(60));
}

// Each lighting field holds a value no other field holds, so a label read
// from another mode's field shows.
void DistinctLightingFields(SettingsModel& m) {
  m.LightParamStandard = 2;   // 25%
  m.LightParamBreath = 3;     // 5S
  m.LightParamNeon = 4;       // 2.5S
  m.LightEffectStandard = 3;  // RGB Fixed On
  m.LightEffect = 2;          // RGB Flash
  m.LightEffectNeon = 0;      // Non-Disolay
}

TEST(PageLighting, LabelsAtBuildComeFromTheModesOwnFields) {
  struct Case {
    std::uint8_t mode;
    const char *name, *parameter, *effect;
  };
  const Case cases[] = {
      {0, "Off", "", ""},
      {1, "Standard", "25%", "RGB Fixed On"},
      {2, "Respiration", "5S", "RGB Flash"},
      {3, "Neon", "2.5S", "Non-Disolay"},
      {4, "", "", ""},
  };
  for (const Case& c : cases) {
    PageFixture f(0, false);
    DistinctLightingFields(f.session.model);
    f.session.model.LightMode = c.mode;
    f.page.BuildPage();
    EXPECT_EQ(f.view.statics[80], c.name) << int{c.mode};
    EXPECT_EQ(f.view.statics[81], c.parameter) << int{c.mode};
    EXPECT_EQ(f.view.statics[82], c.effect) << int{c.mode};
  }
}

TEST(PageLighting, AParameterOrEffectChoiceShowsInItsLabel) {
  constexpr Point kParameter{845, 365}, kEffect{800, 395};
  struct Case {
    const char* name;
    std::uint8_t mode;
    Point header;
    std::optional<int> item;  // the list's choice; none where the mode offers no list
    int label;
    const char* text;
  };
  const Case cases[] = {
      {"brightness", 1, kParameter, 0, 81, "5%"},
      {"period", 2, kParameter, 4, 81, "4S"},
      {"respiration effect", 2, kEffect, 0, 82, "RGB Effect"},
      {"standard's one effect, from a file that held another", 1, kEffect, std::nullopt, 82, "RGB Effect"},
  };
  for (const Case& c : cases) {
    PageFixture f(0, false);
    DistinctLightingFields(f.session.model);
    f.session.model.LightMode = c.mode;
    f.page.BuildPage();
    f.page.DispatchClick(c.header);
    if (c.item) {
      f.view.selection = c.item;
      f.page.OnListChosen(c.label - 20);
    }
    EXPECT_EQ(f.view.statics[c.label], c.text) << c.name;
    EXPECT_TRUE(f.view.Drew("invalidate " + std::to_string(c.label))) << c.name;
  }
}

TEST(PageLighting, TheParameterListClosesOutsideItsModesExtent) {
  struct Case {
    std::uint8_t mode;
    Point click;
    bool staysOpen;
  };
  const Case cases[] = {
      {1, {800, 500}, true},  {1, {800, 546}, true},  {1, {800, 548}, false},
      {2, {800, 460}, true},  {2, {800, 467}, false}, {2, {800, 500}, false},
  };
  for (const Case& c : cases) {
    PageFixture f;
    f.session.model.LightMode = c.mode;
    f.page.DispatchClick({845, 365});
    ASSERT_TRUE(f.page.ListOpen(61));
    f.page.DispatchClick(c.click);
    EXPECT_EQ(f.page.ListOpen(61), c.staysOpen) << int{c.mode} << " at " << At(c.click);
    EXPECT_EQ(f.view.lists.contains(61), c.staysOpen) << int{c.mode} << " at " << At(c.click);
  }
}

TEST(PageLighting, NeonTexts) {
  EXPECT_EQ(NeonParameterText(0), u"0.5S");
  EXPECT_EQ(NeonParameterText(1), u"1S");
  EXPECT_EQ(NeonParameterText(2), u"1.5S");
  EXPECT_EQ(NeonParameterText(29), u"15S");
  EXPECT_EQ(NeonParameterText(30), u"");
}

TEST(PageHover, GroupsAndSiblings) {
  struct Case {
    const char* name;
    bool built;
    std::vector<std::pair<char, Point>> steps;  // 'm' move, 'h' hover
    std::vector<HoverElement> shown;
    Lines lastDrawn;  // each must be drawn by the last step
  };
  constexpr Point kOk{600, 630}, kApply{700, 630}, kCancel{800, 630}, kSkins{705, 10}, kClose{860, 10},
      kDefault{350, 555}, kRow1{300, 205}, kRow3{300, 250}, kEmpty{100, 300};
  using H = HoverElement;
  const Case cases[] = {
      {"Apply after OK", true, {{'h', kOk}, {'h', kApply}}, {H::Apply},
       {"image /button-over.png 666,623", "image /button-normal.png 562,623", "text OK 562,623"}},
      {"OK after Cancel", true, {{'h', kCancel}, {'h', kOk}}, {H::Ok},
       {"image /button-over.png 562,623", "image /button-normal.png 770,623", "text Cancel 770,623"}},
      {"Cancel after Apply", true, {{'h', kApply}, {'h', kCancel}}, {H::Cancel},
       {"image /button-over.png 770,623", "image /button-normal.png 666,623"}},
      {"skins then close stay over", true, {{'h', kSkins}, {'m', kClose}, {'h', kClose}}, {H::Skins, H::Close},
       {"image /button-close-over.png 850,5"}},
      {"untracked area clears all", true, {{'h', kSkins}, {'h', kClose}, {'m', kEmpty}}, {},
       {"image /button-Skins-normal.png 701,5", "image /button-close-normal.png 850,5"}},
      {"Default over", true, {{'h', kDefault}}, {H::Default}, {"image /button-over.png 307,549", "text Default 307,549"}},
      {"Default back to normal", true, {{'h', kDefault}, {'m', kEmpty}}, {},
       {"image /button-normal.png 307,549", "text Default 307,549"}},
      {"Default only on a built page", false, {{'h', kDefault}}, {}, {}},
      {"one row at a time", true, {{'h', kRow1}, {'h', kRow3}}, {H::Row3},
       {"image /DropdownBox-over.png 252,245", "image /DropdownBox-normal.png 252,199"}},
      {"rows only on a built page", false, {{'h', kRow1}}, {}, {}},
  };
  for (const auto& c : cases) {
    PageFixture f(0, c.built);
    for (const auto& [kind, at] : c.steps) {
      f.view.log.clear();
      kind == 'm' ? f.page.OnPageMouseMove(at) : f.page.OnPageHover(at);
    }
    std::vector<HoverElement> shown;
    for (int i = 0; i < kHoverElements; ++i) {
      if (f.page.HoverShown(static_cast<H>(i))) shown.push_back(static_cast<H>(i));
    }
    EXPECT_EQ(shown, c.shown) << c.name;
    for (const auto& line : c.lastDrawn) EXPECT_TRUE(f.view.Drew(line)) << c.name << ": " << line;
    if (c.lastDrawn.empty()) {
      EXPECT_FALSE(f.view.Drew("copy")) << c.name;
    }
  }
}

TEST(PageHover, MoveOverTrackedRequestsHoverAndRowShowsModeLabel) {
  PageFixture f;
  f.session.labels[ButtonIndex(3, 1)] = u"B three";
  f.page.SelectButtonMode(1);
  f.view.log.clear();
  f.page.OnPageMouseMove({300, 250});
  EXPECT_EQ(f.view.log, (Lines{"request hover"}));
  f.page.OnPageHover({300, 250});
  EXPECT_TRUE(f.view.Drew("image /DropdownBox-over.png 252,245"));
  EXPECT_TRUE(f.view.Drew("text B three 272,245"));
  f.view.log.clear();
  f.page.OnPageMouseMove({100, 300});
  EXPECT_EQ(f.view.log, (Lines{"begin", "image /DropdownBox-normal.png 252,245", "text 3 252,245", "text B three 272,245", "copy"}));
}

TEST(PageColors, WmCtlColorRule) {
  const SettingsModel model = SampleSettings();
  const UiTextColor text{10, 20, 30};
  const std::uint32_t textValue = ColorValue(text);
  struct Case {
    ControlKind kind;
    int id;
    ControlColors expected;
  };
  const Case cases[] = {
      {ControlKind::Static, 71, {{}, true, {}, false, 0x1000FFu}},
      {ControlKind::Static, 74, {{}, true, {}, false, 0xBEADDEu}},
      // A dark text colour is unreadable on the black lighting labels: white.
      {ControlKind::Static, 81, {0xFFFFFFu, false, 0u, true, 0u}},
      {ControlKind::Static, 82, {0xC8C8C8u, false, 0u, true, 0u}},
      {ControlKind::Static, 119, {0xFFFFFFu, false, 0u, true, 0u}},
      {ControlKind::Static, 5, {textValue, false, 0x649664u, true, 0x649664u}},
      {ControlKind::ListBox, 60, {0xFFFFFFu, true, 0u, true, 0u}},
      {ControlKind::Edit, 3, {textValue, true, {}, true, 0u}},
      {ControlKind::Button, 1, {{}, true, {}, false, {}}},
  };
  for (const auto& c : cases) {
    const ControlColors got = ColorsForControl(c.kind, c.id, model, c.id == 82 ? UiTextColor{200, 200, 200} : text);
    EXPECT_EQ(got.textColor, c.expected.textColor) << c.id;
    EXPECT_EQ(got.transparent, c.expected.transparent) << c.id;
    EXPECT_EQ(got.backgroundColor, c.expected.backgroundColor) << c.id;
    EXPECT_EQ(got.bodyFont, c.expected.bodyFont) << c.id;
    EXPECT_EQ(got.brushColor, c.expected.brushColor) << c.id;
  }
}

}  // namespace
}  // namespace px
