#pragma once
// What the page's pieces are drawn with, shared by the files of SettingsPage.
#include <array>
#include <cstdint>

#include "model/interface_texts.h"
#include "model/settings_model.h"
#include "page/page_layout.h"
#include "page/settings_page.h"

namespace px::page_detail {

namespace img = page_image;
namespace id = control_id;

inline constexpr std::array<int, 8> kListIds{40, 41, 42, 43, 44, 60, 61, 62};
inline constexpr std::array<TextView, 4> kRowNumbers{u"1", u"2", u"3", u"4"};
inline constexpr std::array<TextView, 4> kStageNumbers{u"1", u"2", u"3", u"4"};
inline constexpr TextView kModeACaption = u"Mode A";
inline constexpr TextView kModeBCaption = u"Mode B";
inline constexpr TextView kWarningCaption = u"Warning";

// The DPI sub-list beside a button list's "DPI Switch" entry.
inline constexpr int kDpiSubListSize = 60;

// Tracked elements that are not rows: rectangle, normal and over image, caption.
struct FrameLook {
  Rect rect;
  TextView normal, over;
  TextView InterfaceTexts::*caption;  // null: the image alone
};
inline constexpr std::array<FrameLook, 8> kFrameLooks{{
    {layout::kOkButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Ok},
    {layout::kApplyButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Apply},
    {layout::kCancelButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Cancel},
    {layout::kSkinsButton, img::kSkinsNormal, img::kSkinsOver, nullptr},
    {layout::kCloseButton, img::kCloseNormal, img::kCloseOver, nullptr},
    {layout::kMinimiseButton, img::kMinNormal, img::kMinOver, nullptr},
    {layout::kPreviousPageButton, img::kPrePageNormal, img::kPrePageOver, nullptr},
    {layout::kDefaultButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Default},
}};

constexpr HoverElement RowElement(int row) { return static_cast<HoverElement>(static_cast<int>(HoverElement::Row1) + row - 1); }

}  // namespace px::page_detail
