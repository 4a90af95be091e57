#include "skin/win32/skins_dialog.h"

#include <commdlg.h>

#include <array>

#include "skin/skin_paths.h"
#include "storage/win32/win32_storage.h"

namespace px {
namespace {

constexpr int kSwatchId = 561;
constexpr FrameRect kSwatch{42, 94, 151, 110};
constexpr FrameRect kPrompt{12, 64, 181, 94};  // 30 pixels around the swatch, 30 high above it
constexpr DWORD kSwatchStyle = 0x50000001;     // WS_CHILD WS_VISIBLE SS_CENTER

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
RECT ToRect(const FrameRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
COLORREF ColourOf(UiTextColor c) { return RGB(c.red, c.green, c.blue); }

// The colour chooser's custom colours, kept for the process.
std::array<COLORREF, 16> g_customColours{};

class CSkinsDialog final : public SkinnedDialog {
 public:
  CSkinsDialog(HWND owner, const SkinnedDialogContext& context, TextView skinName, TextView executablePath)
      : SkinnedDialog(DialogKind::Skins, owner, context),
        skinsRoot_(SkinsRootFor(executablePath)),
        chosenFolder_(context.skinFolder),
        chosenColour_(context.textColor) {
    SetChosen(0, Text(skinName));
  }

  SkinChoice Result() const { return {ChosenText(), chosenFolder_, chosenColour_}; }

 protected:
  void CreateOwnControls() override {
    swatch_.Create(Hwnd(), kSwatchId, ToRect(kSwatch), kSwatchStyle, L"");
    swatchBrush_.Reset(::CreateSolidBrush(ColourOf(chosenColour_)));
  }

  std::vector<Text> ListItems() override { return SkinNames(search_.Search(skinsRoot_)); }

  void AfterChoice() override {
    const std::optional<Text> folder = SkinFolderOf(search_.Search(skinsRoot_), ChosenText());
    if (!folder) return;
    chosenFolder_ = *folder;
    // A skin that names its own text colour proposes it; the user may still
    // pick another. Skins without one leave the colour as it is.
    if (std::optional<UiTextColor> recommended = RecommendedTextColor(files_, chosenFolder_)) {
      SetColour(*recommended);
    }
  }

  FrameRect ExtraHitRect() const override { return kSwatch; }

  void OnExtraHit() override {
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    // Owned by the chooser, so that it stays modal over it.
    chooser.hwndOwner = Hwnd();
    chooser.lpCustColors = g_customColours.data();
    if (::ChooseColorW(&chooser)) {
      SetColour(UiTextColor{GetRValue(chooser.rgbResult), GetGValue(chooser.rgbResult), GetBValue(chooser.rgbResult)});
    }
  }

  void DrawExtraTexts(HDC dc) override {
    // In the colour in force: the choice only applies after OK.
    DrawUnclippedText(dc, SkinsPrompt(Context().language), kPrompt, TextAlign::Centre);
  }

  std::optional<LRESULT> OwnControlColour(UINT message, HDC dc, HWND control) override {
    if (message != WM_CTLCOLORSTATIC || control != swatch_.Hwnd()) return std::nullopt;
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(swatchBrush_.Get());
  }

 private:
  void SetColour(UiTextColor colour) {
    chosenColour_ = colour;
    swatchBrush_.Reset(::CreateSolidBrush(ColourOf(colour)));
    ::InvalidateRect(swatch_.Hwnd(), nullptr, TRUE);
  }

  Text skinsRoot_;
  Text chosenFolder_;
  UiTextColor chosenColour_;
  Win32FolderSearch search_;
  Win32FileSystem files_;
  winui::Static swatch_;
  winui::UniqueBrush swatchBrush_;
};

}  // namespace

FolderListing Win32FolderSearch::Search(TextView root) {
  FolderListing listing;
  const Text rootText(root);
  std::array<wchar_t, 32768> full{};
  const DWORD length = ::GetFullPathNameW(Wide(rootText), static_cast<DWORD>(full.size()), full.data(), nullptr);
  listing.fullRoot = length > 0 && length < full.size()
                         ? Text(reinterpret_cast<const char16_t*>(full.data()), length)
                         : rootText;
  if (listing.fullRoot.empty() || (listing.fullRoot.back() != u'\\' && listing.fullRoot.back() != u'/')) {
    listing.fullRoot.push_back(u'\\');
  }
  const Text pattern = rootText + u"\\*.*";
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(Wide(pattern), &found);
  if (search == INVALID_HANDLE_VALUE) return listing;
  do {
    listing.entries.push_back({Text(reinterpret_cast<const char16_t*>(found.cFileName)),
                               (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return listing;
}

std::optional<SkinChoice> RunSkinsDialog(HWND owner, const SkinnedDialogContext& context, TextView skinName,
                                         TextView executablePath) {
  CSkinsDialog dialog(owner, context, skinName, executablePath);
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return dialog.Result();
}

}  // namespace px
