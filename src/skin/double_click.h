#pragma once
// Which two presses make a double click, as Windows pairs them: the second
// press goes to the same window as the first, soon enough and near enough,
// and a press that ended a pair starts no new one. The main window and the
// dialog frames take no double click: a second press there is no click.
// The Qt windows feed every left press in them here (Qt pairs presses
// anywhere in a window, a child's included); Win32 pairs them itself.
#include <cstdint>
#include <optional>

namespace px {

struct DoubleClickLimits {
  std::uint64_t intervalMs = 500;  // the second press comes sooner than this
  int distance = 2;                // and at most this far from the first, either way
};

struct PressEvent {
  const void* target = nullptr;  // the window or control pressed; only compared
  std::uint64_t timeMs = 0;
  int x = 0, y = 0;  // on the screen
};

class DoubleClickPairing {
 public:
  explicit DoubleClickPairing(DoubleClickLimits limits) : limits_(limits) {}

  // One left press; true when it is the second press of a double click.
  // The same press again (same time and place: a control passed it on to
  // its parent) is no new press and keeps its first target.
  bool Press(const PressEvent& press);
  // Whether the last press fed ended a double click on `target`.
  bool LastEndedPairOn(const void* target) const { return last_ && last_->target == target && lastEndedPair_; }
 private:
  DoubleClickLimits limits_;
  std::optional<PressEvent> last_;
  bool lastEndedPair_ = false;
};

}  // namespace px
