#pragma once
// The narrow ports through which the portable core reaches the user and the
// clock. Real adapters: MessageBoxW and Sleep; tests record the calls.
#include "common/text.h"

namespace px {

// A modal box with an OK button only, owned by the window concerned.
class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  virtual void ShowMessage(TextView text, TextView caption) = 0;
};

// The fixed pauses of the device protocol.
class WaitPort {
 public:
  virtual ~WaitPort() = default;
  virtual void Wait(unsigned milliseconds) = 0;
};

}  // namespace px
