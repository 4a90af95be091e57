// SettingsPage: the over looks under the pointer.
#include "page/settings_page.h"

#include "page/page_looks.h"

namespace px {

using namespace page_detail;

void SettingsPage::DrawHoverLook(HoverElement element, bool over) {
  const auto index = static_cast<std::size_t>(element);
  if (element >= HoverElement::Row1) {
    DrawRow(static_cast<int>(index) - static_cast<int>(HoverElement::Row1) + 1, over);
    return;
  }
  const FrameLook& look = kFrameLooks[index];
  view_.DrawImage(over ? look.over : look.normal, look.rect.TopLeft());
  if (look.caption != nullptr) view_.DrawString(Texts().*look.caption, look.rect, kWholeCentredText, PageFont::Body);
}

void SettingsPage::ClearHover(std::initializer_list<HoverElement> elements) {
  for (HoverElement element : elements) {
    bool& flag = hover_[static_cast<std::size_t>(element)];
    if (!flag) continue;
    DrawHoverLook(element, false);
    flag = false;
  }
}

void SettingsPage::OnPageMouseMove(Point at) {
  for (std::size_t i = 0; i < static_cast<std::size_t>(HoverElement::Default); ++i) {
    if (kFrameLooks[i].rect.Contains(at)) return view_.RequestHover();
  }
  if (flags_.pageState == kPageBuilt) {
    if (layout::kDefaultButton.Contains(at)) return view_.RequestHover();
    for (const Rect& row : layout::kButtonRows) {
      if (row.Contains(at)) return view_.RequestHover();
    }
  }
  bool any = false;
  for (bool flag : hover_) any = any || flag;
  if (!any) return;
  view_.BeginDrawing();
  for (std::size_t i = 0; i < hover_.size(); ++i) ClearHover({static_cast<HoverElement>(i)});
  view_.CopyToScreen();
}

void SettingsPage::OnPageHover(Point at) {
  using H = HoverElement;
  auto show = [&](H element, std::initializer_list<H> siblings) {
    view_.BeginDrawing();
    DrawHoverLook(element, true);
    ClearHover(siblings);
    hover_[static_cast<std::size_t>(element)] = true;
    view_.CopyToScreen();
  };
  if (layout::kOkButton.Contains(at)) return show(H::Ok, {H::Apply, H::Cancel});
  if (layout::kApplyButton.Contains(at)) return show(H::Apply, {H::Ok, H::Cancel});
  if (layout::kCancelButton.Contains(at)) return show(H::Cancel, {H::Ok, H::Apply});
  if (layout::kSkinsButton.Contains(at)) return show(H::Skins, {});
  if (layout::kCloseButton.Contains(at)) return show(H::Close, {});
  if (layout::kMinimiseButton.Contains(at)) return show(H::Minimise, {});
  if (layout::kPreviousPageButton.Contains(at)) return show(H::PreviousPage, {});
  if (flags_.pageState != kPageBuilt) return;
  if (layout::kDefaultButton.Contains(at)) return show(H::Default, {});
  for (int row = 1; row <= kShownButtons; ++row) {
    if (!layout::kButtonRows[static_cast<std::size_t>(row - 1)].Contains(at)) continue;
    std::initializer_list<H> allRows{H::Row1, H::Row2, H::Row3, H::Row4};
    view_.BeginDrawing();
    DrawHoverLook(RowElement(row), true);
    for (H other : allRows) {
      if (other != RowElement(row)) ClearHover({other});
    }
    hover_[static_cast<std::size_t>(RowElement(row))] = true;
    view_.CopyToScreen();
    return;
  }
}

}  // namespace px
