#pragma once
// The three transactions with the mouse as the apply flow and the tools see
// them. The real implementation speaks scrambled feature reports over the
// two open collections; tests substitute their own.
#include "model/device_image.h"

namespace px {

class DeviceOperations {
 public:
  virtual ~DeviceOperations() = default;
  // Each reports a failed status check with its own message box and answers
  // false; callers of the apply flow go on regardless.
  virtual bool GetDPIStage(DeviceImage& image) = 0;    // refreshes the two status bytes
  virtual bool ReadOperation(DeviceImage& image) = 0;  // status bytes and blocks 1..5
  virtual bool WriteOperation(const DeviceImage& image) = 0;
};

}  // namespace px
