#include <gtest/gtest.h>

#include "model/interface_texts.h"

namespace px {
namespace {

TEST(LanguageFromCode, WholeCaseSensitiveCodes) {
  EXPECT_EQ(LanguageFromCode(u"CHS"), Language::SimplifiedChinese);
  EXPECT_EQ(LanguageFromCode(u"CHT"), Language::TraditionalChinese);
  for (TextView other : {u"", u"EN", u"chs", u"Cht", u"CHS ", u" CHT", u"CH", u"CHSX"}) {
    EXPECT_EQ(LanguageFromCode(other), Language::English) << ToUtf8(other);
  }
}

TEST(LabelSectionName, OnePerLanguage) {
  EXPECT_EQ(LabelSectionName(Language::English), u"Setting-EN");
  EXPECT_EQ(LabelSectionName(Language::SimplifiedChinese), u"Setting-CHS");
  EXPECT_EQ(LabelSectionName(Language::TraditionalChinese), u"Setting-CHT");
  EXPECT_EQ(LabelSectionName(LanguageFromCode(u"")), u"Setting-EN");
}

TEST(TextsFor, EachLanguageHasItsOwnColumn) {
  const InterfaceTexts& en = TextsFor(Language::English);
  const InterfaceTexts& chs = TextsFor(Language::SimplifiedChinese);
  const InterfaceTexts& cht = TextsFor(Language::TraditionalChinese);
  EXPECT_EQ(en.Ok, u"OK");
  EXPECT_EQ(chs.Ok, u"确定");
  EXPECT_EQ(cht.Ok, u"確定");
  EXPECT_EQ(en.NonDisplay, u"Non-Disolay");
  EXPECT_EQ(cht.KeyMatrixSwitched[0], u"切換到按鍵群組1");
  EXPECT_EQ(en.ReportRateSwitched[0], u"Switch report rate into 1000HZ");
  EXPECT_EQ(cht.ReportRateSwitched[3], u"報告率切換到125HZ");
  EXPECT_EQ(en.WebSite, chs.WebSite);
  EXPECT_EQ(en.WebSite, cht.WebSite);
  EXPECT_FALSE(en.WebSite.empty());
}

// The English stage texts are followed directly by the DPI value, so they
// carry the blank; the Chinese ones do not.
TEST(TextsFor, OnlyEnglishStageTextsEndWithABlank) {
  EXPECT_EQ(TextsFor(Language::English).DpiStageSwitched[0], u"Switch DPI into the first stage ");
  EXPECT_EQ(TextsFor(Language::English).DpiStageSwitched[3], u"Switch DPI into the fourth stage ");
  for (TextView t : TextsFor(Language::English).DpiStageSwitched) EXPECT_EQ(t.back(), u' ');
  for (auto language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
    for (TextView t : TextsFor(language).DpiStageSwitched) EXPECT_NE(t.back(), u' ') << ToUtf8(t);
  }
  EXPECT_EQ(TextsFor(Language::SimplifiedChinese).DpiStageSwitched[2], u"DPI切换到第三段");
}

TEST(TextsFor, FunctionListInCatalogueOrder) {
  const auto& en = TextsFor(Language::English).ButtonFunctions;
  const auto& chs = TextsFor(Language::SimplifiedChinese).ButtonFunctions;
  const auto& cht = TextsFor(Language::TraditionalChinese).ButtonFunctions;
  EXPECT_EQ(en[3], u"Forward");
  EXPECT_EQ(en[6], u"Windows");
  EXPECT_EQ(en[12], u"Key Off");
  EXPECT_EQ(en[13], u"Shift");
  EXPECT_EQ(chs[8], u"快捷键");
  EXPECT_EQ(cht[8], u"快速鍵");
  EXPECT_EQ(cht[4], u"後退方向鍵");
  for (std::size_t i : {6u, 13u}) {  // the same in every language
    EXPECT_EQ(chs[i], en[i]);
    EXPECT_EQ(cht[i], en[i]);
  }
  for (std::size_t i = 0; i < en.size(); ++i) {
    EXPECT_FALSE(chs[i].empty());
    EXPECT_FALSE(cht[i].empty());
  }
}

}  // namespace
}  // namespace px
