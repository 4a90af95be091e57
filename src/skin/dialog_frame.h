#pragma once
// The frame the seven small dialogs share: their templates, backgrounds,
// failure captions, drop-down places, the close / OK / Cancel rectangles and
// captions, the order in which a left click is tested, and the few flags a
// dialog kind keeps between its openings. Pure data and decisions; the
// window itself is src/skin/win32/skinned_dialog.
#include <array>
#include <cstdint>
#include <vector>

#include "common/geometry.h"
#include "common/text.h"
#include "model/interface_texts.h"

namespace px {

inline constexpr Rect kFrameClose{352, 6, 370, 24};
inline constexpr Rect kFrameOk{166, 253, 271, 274};
inline constexpr Rect kFrameCancel{270, 253, 375, 274};

enum class DialogKind : std::uint8_t { FireKey, HotKey, Media, Single, Skins, Snipe, Windows };
inline constexpr std::size_t kDialogKindCount = 7;

struct DialogFrameSpec {
  DialogKind kind;
  int templateId;
  TextView background;      // image name, begins with "/"
  TextView failureCaption;  // caption of the "error" box when the background fails
  int labelId;
  Rect label;
  bool labelCentred;
  Rect dropdown;  // empty: no drop-down
  int listId;
  Rect list;
  bool wheel;
  bool HasDropdown() const { return !dropdown.Empty(); }
};

const DialogFrameSpec& FrameSpec(DialogKind kind);

// The OK and Cancel captions of the language.
struct FrameCaptions {
  TextView ok, cancel;
};
FrameCaptions FrameCaptionsFor(Language language);

// What a left click does, in the order the steps run; none excludes the next.
enum class FrameClickStep : std::uint8_t {
  CloseList,   // outside list and drop-down while the list exists
  EndOk,
  EndCancel,   // Cancel or close; a later end wins over an earlier one
  ToggleList,
  ExtraHit,    // the dialog's own rectangle (the skin chooser's swatch)
};
std::vector<FrameClickStep> PlanFrameClick(const DialogFrameSpec& spec, int x, int y, bool listExists,
                                           const Rect& extraHit = {});

enum class FrameButton : std::uint8_t { None, Close, Ok, Cancel };
// The button under the pointer, tested close first, then OK, then Cancel.
FrameButton FrameButtonAt(int x, int y);

// `DialogHoverState` and `ListOpen` of one dialog kind: all openings of the
// kind share them, and they outlive each opening.
struct DialogKindState {
  bool okHover = false;
  bool cancelHover = false;
  bool closeHover = false;
  bool listOpen = false;
};
DialogKindState& KindState(DialogKind kind);

}  // namespace px
