#include "skin/double_click.h"

#include <cstdlib>

namespace px {

bool DoubleClickPairing::Press(const PressEvent& press) {
  if (last_ && press.timeMs == last_->timeMs && press.x == last_->x && press.y == last_->y) return false;
  const bool second = last_ && !lastEndedPair_ && last_->target == press.target && press.timeMs >= last_->timeMs &&
                      press.timeMs - last_->timeMs < limits_.intervalMs &&
                      std::abs(press.x - last_->x) <= limits_.distance &&
                      std::abs(press.y - last_->y) <= limits_.distance;
  last_ = press;
  lastEndedPair_ = second;
  return second;
}

}  // namespace px
