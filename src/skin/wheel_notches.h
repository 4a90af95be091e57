#pragma once
// A mouse wheel's click is one notch of 120; fine-grained wheels and
// touchpads report parts of one. They add up to whole notches, each one
// notification, as a mouse wheel's click is; the rest waits for the next turn.
namespace px {

inline constexpr int kWheelNotch = 120;

class WheelNotches {
 public:
  // The whole notches this turn completes (negative: towards the user).
  int Turn(int delta) {
    rest_ += delta;
    const int notches = rest_ / kWheelNotch;
    rest_ -= notches * kWheelNotch;
    return notches;
  }

 private:
  int rest_ = 0;
};

}  // namespace px
