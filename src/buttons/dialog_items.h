#pragma once
// The item texts of the parameter dialogs' lists, in list order: the list
// position is what the button stores.
#include <array>
#include <cstdint>
#include <span>

#include "model/interface_texts.h"
#include "common/text.h"

namespace px {

struct LocalizedText {
  TextView chs, cht, en;
  constexpr TextView In(Language language) const {
    switch (language) {
      case Language::SimplifiedChinese: return chs;
      case Language::TraditionalChinese: return cht;
      case Language::English: break;
    }
    return en;
  }
};

// Positions 0..6 select consumer usages 0x00B5, 0x00B6, 0x00B7, 0x00CD, 0x00E2, 0x00E9, 0x00EA.
inline constexpr std::array<LocalizedText, 7> MediaKeyList{{
    {u"下一首", u"下一首", u"Next"},
    {u"上一首", u"上一首", u"Previous"},
    {u"停止", u"停止", u"Stop"},
    {u"播放/暂停", u"播放/暫停", u"Play/Pause"},
    {u"静音", u"靜音", u"Mute"},
    {u"音量+", u"音量+", u"Vol+"},
    {u"音量-", u"音量-", u"Vol-"},
}};

// Positions 0..7 select Ctrl+C, X, V, A, O, N, S, Z.
inline constexpr std::array<LocalizedText, 8> HotKeyList{{
    {u"复制", u"複製", u"Copy"},
    {u"剪切", u"剪切", u"Cut"},
    {u"粘贴", u"粘貼", u"Paste"},
    {u"全选", u"全選", u"Select all"},
    {u"打开", u"打開", u"Open"},
    {u"新建", u"新建", u"New"},
    {u"保存", u"保存", u"Save"},
    {u"撤销", u"撤銷", u"Undo"},
}};

// Positions 0..8 select consumer usages 0x0183, 0x018A, 0x0192, 0x0194,
// 0x0221, 0x0223, 0x0224, 0x0225, 0x0227.
inline constexpr std::array<LocalizedText, 9> WindowsFunctionList{{
    {u"打开多媒体播放器", u"打開多媒體播放器", u"Multimedia Player"},
    {u"邮件", u"郵件", u"Mail"},
    {u"计算器", u"計算器", u"Calculator"},
    {u"我的电脑", u"我的電腦", u"My Computer"},
    {u"浏览器-搜索", u"瀏覽器-搜索", u"Browser-Search"},
    {u"浏览器-主页", u"瀏覽器-主頁", u"Browser-Home"},
    {u"浏览器-后退", u"瀏覽器-後退", u"Browser-Back"},
    {u"浏览器-前进", u"瀏覽器-前進", u"Browser-Forward"},
    {u"浏览器-刷新", u"瀏覽器-刷新", u"Browser-Refresh"},
}};

// The snipe dialog's DPI values for the variant, the same in every language;
// empty for a variant other than 0..3.
std::span<const TextView> SnipeDpiList(std::uint8_t variant);

// The text of a list position, or empty past the list.
template <std::size_t N>
constexpr TextView ItemText(const std::array<LocalizedText, N>& list, std::uint8_t position, Language language) {
  return position < N ? list[position].In(language) : TextView{};
}

}  // namespace px
