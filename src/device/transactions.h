#pragma once
// GetDPIStage, ReadOperation and WriteOperation: scrambled feature-report
// exchanges over the two collections that discovery opened.
#include <cstdint>
#include <vector>

#include "common/ports.h"
#include "device/device_link.h"
#include "device/device_operations.h"

namespace px {

inline constexpr std::uint8_t kControlReportId = 0x01;
inline constexpr std::uint8_t kBlockReportId = 0x00;
inline constexpr std::array<std::uint8_t, 4> ReportSignature{0xAA, 0xCC, 0xEE, 0xDD};

inline constexpr std::uint8_t kCommandStatusRead = 0x80;
inline constexpr std::uint8_t kCommandStatusWrite = 0x00;
constexpr std::uint8_t BlockReadCommand(int block) { return static_cast<std::uint8_t>(0x80 | block); }
constexpr std::uint8_t BlockWriteCommand(int block) { return static_cast<std::uint8_t>(block); }

inline constexpr unsigned kBlockPauseMs = 20;

inline constexpr TextView kReadFailedText = u"1222";
inline constexpr TextView kGetDpiStageCaption = u"GetDPIStage";
inline constexpr TextView kReadOperationCaption = u"ReadOperation";
inline constexpr TextView kWriteOperationCaption = u"WriteOperation";

class FeatureReportTransactions final : public DeviceOperations {
 public:
  // `mouseNotDetected` is the localized text of the GetDPIStage and
  // WriteOperation boxes; it must outlive this object.
  FeatureReportTransactions(DeviceLink& link, MessageBoxPort& boxes, WaitPort& waits, TextView mouseNotDetected);

  bool GetDPIStage(DeviceImage& image) override;
  bool ReadOperation(DeviceImage& image) override;
  bool WriteOperation(const DeviceImage& image) override;

  // Block transfers of the last operation that did not go through. They are
  // not part of the status check; a tool can still refuse to trust the result.
  unsigned FailedBlockTransfers() const { return failedBlockTransfers_; }

 private:
  enum class Check { ReportIdAndSignature, SignatureOnly };
  // Sends command 0x80 and fetches the reply into `reply`; answers the check.
  bool StatusRead(Check check, std::vector<std::uint8_t>& reply);
  // Every operation starts so: the failed block count restarts, then the
  // status read; when it fails, `failure` is shown under `caption`.
  bool StartOperation(Check check, std::vector<std::uint8_t>& reply, TextView failure, TextView caption);
  void SendCommand(std::uint8_t command, std::uint8_t rate = 0, std::uint8_t stage = 0);
  void FetchControlReply(std::vector<std::uint8_t>& reply);
  std::vector<std::uint8_t> ControlBuffer() const;
  std::vector<std::uint8_t> DataBuffer() const;
  bool Set(HidCollection* collection, std::vector<std::uint8_t>& buffer, std::uint16_t length);
  bool Get(HidCollection* collection, std::vector<std::uint8_t>& buffer, std::uint16_t length);

  DeviceLink& link_;
  MessageBoxPort& boxes_;
  WaitPort& waits_;
  TextView mouseNotDetected_;
  unsigned failedBlockTransfers_ = 0;
};

}  // namespace px
