// The interface fonts on Linux: the faces the font table names are taken by
// installed fonts of the same metrics (a missing one would fall back to any
// font and change every text's width), laid out in whole pixels as GDI does.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "skin/qt/ui_font_qt.h"

namespace px {
namespace {

TEST(UiFontQtTest, EachLanguageAndRoleGetsItsStandInFamily) {
  struct Case {
    Language language;
    FontRole role;
    const char* family;
    bool bold;
  };
  const Case cases[] = {
      {Language::English, FontRole::Body, "Liberation Sans", false},
      {Language::English, FontRole::Heading, "DejaVu Sans", true},
      {Language::SimplifiedChinese, FontRole::Body, "WenQuanYi Micro Hei", false},
      {Language::TraditionalChinese, FontRole::Heading, "WenQuanYi Micro Hei", true},
  };
  for (const Case& c : cases) {
    const QFont font = UiFontQt(c.language, c.role);
    const QFontInfo info(font);
    EXPECT_TRUE(info.family().startsWith(QString::fromUtf8(c.family))) << info.family().toStdString();
    EXPECT_EQ(info.bold(), c.bold) << c.family;
    EXPECT_EQ(font.hintingPreference(), QFont::PreferFullHinting);
  }
}

TEST(UiFontQtTest, TheBodyTextIsAsWideAsOnWindows) {
  // Arial 14 under Windows lays "Report Rate Setting" out 106 pixels wide.
  const QFontMetrics metrics(UiFontQt(Language::English, FontRole::Body));
  EXPECT_NEAR(metrics.horizontalAdvance(QStringLiteral("Report Rate Setting")), 106, 2);
  EXPECT_EQ(metrics.height(), 14);
}

}  // namespace
}  // namespace px
