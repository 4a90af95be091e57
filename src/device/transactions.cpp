#include "device/transactions.h"

#include <algorithm>

#include "device/scrambling.h"

namespace px {

namespace {

std::span<std::uint8_t, kControlReportSize> ControlView(std::vector<std::uint8_t>& buffer) {
  return std::span<std::uint8_t, kControlReportSize>(buffer.data(), kControlReportSize);
}

std::span<std::uint8_t, kBlockReportSize> BlockView(std::vector<std::uint8_t>& buffer) {
  return std::span<std::uint8_t, kBlockReportSize>(buffer.data(), kBlockReportSize);
}

}  // namespace

FeatureReportTransactions::FeatureReportTransactions(DeviceLink& link, MessageBoxPort& boxes, WaitPort& waits,
                                                     TextView mouseNotDetected)
    : link_(link), boxes_(boxes), waits_(waits), mouseNotDetected_(mouseNotDetected) {}

// Buffers are at least as long as the report they carry; a transfer passes
// the collection's own report length.
std::vector<std::uint8_t> FeatureReportTransactions::ControlBuffer() const {
  return std::vector<std::uint8_t>(std::max<std::size_t>(link_.ControlReportLength, kControlReportSize), 0);
}

std::vector<std::uint8_t> FeatureReportTransactions::DataBuffer() const {
  return std::vector<std::uint8_t>(std::max<std::size_t>(link_.DataReportLength, kBlockReportSize), 0);
}

bool FeatureReportTransactions::Set(HidCollection* collection, std::vector<std::uint8_t>& buffer,
                                    std::uint16_t length) {
  // A collection that is not open fails like an invalid handle: silently.
  if (collection == nullptr) return false;
  const std::size_t n = length != 0 ? length : buffer.size();
  return collection->SetFeature(std::span<const std::uint8_t>(buffer.data(), n));
}

bool FeatureReportTransactions::Get(HidCollection* collection, std::vector<std::uint8_t>& buffer,
                                    std::uint16_t length) {
  if (collection == nullptr) return false;
  const std::size_t n = length != 0 ? length : buffer.size();
  return collection->GetFeature(std::span<std::uint8_t>(buffer.data(), n));
}

void FeatureReportTransactions::SendCommand(std::uint8_t command, std::uint8_t rate, std::uint8_t stage) {
  auto report = ControlBuffer();
  report[0] = kControlReportId;
  std::copy(ReportSignature.begin(), ReportSignature.end(), report.begin() + 1);
  report[5] = command;
  report[6] = rate;
  report[7] = stage;
  if (link_.ScramblingOn) ScrambleControlReport(ControlView(report));
  Set(link_.ControlHandle.get(), report, link_.ControlReportLength);
}

void FeatureReportTransactions::FetchControlReply(std::vector<std::uint8_t>& reply) {
  reply = ControlBuffer();
  reply[0] = kControlReportId;
  Get(link_.ControlHandle.get(), reply, link_.ControlReportLength);
  if (link_.ScramblingOn) UnscrambleControlReport(ControlView(reply));
}

bool FeatureReportTransactions::StatusRead(Check check, std::vector<std::uint8_t>& reply) {
  SendCommand(kCommandStatusRead);
  FetchControlReply(reply);
  const bool signatureOk = std::equal(ReportSignature.begin(), ReportSignature.end(), reply.begin() + 1);
  if (check == Check::SignatureOnly) return signatureOk;
  return signatureOk && reply[0] == kControlReportId;
}

bool FeatureReportTransactions::StartOperation(Check check, std::vector<std::uint8_t>& reply, TextView failure,
                                                TextView caption) {
  failedBlockTransfers_ = 0;
  if (StatusRead(check, reply)) return true;
  boxes_.ShowMessage(failure, caption);
  return false;
}

namespace {

// The status reply carries the report rate and the DPI stage.
void TakeRateAndStage(const std::vector<std::uint8_t>& reply, DeviceImage& image) {
  image.USBReportRate = reply[6];
  image.SensorDPIStage = reply[7];
}

}  // namespace

bool FeatureReportTransactions::GetDPIStage(DeviceImage& image) {
  std::vector<std::uint8_t> reply;
  if (!StartOperation(Check::ReportIdAndSignature, reply, mouseNotDetected_, kGetDpiStageCaption)) return false;
  TakeRateAndStage(reply, image);
  return true;
}

bool FeatureReportTransactions::ReadOperation(DeviceImage& image) {
  std::vector<std::uint8_t> reply;
  if (!StartOperation(Check::ReportIdAndSignature, reply, kReadFailedText, kReadOperationCaption)) return false;
  TakeRateAndStage(reply, image);
  for (int n = 1; n <= kConfigBlockCount; ++n) {
    SendCommand(BlockReadCommand(n));
    FetchControlReply(reply);  // content ignored
    auto block = DataBuffer();
    block[0] = kBlockReportId;
    if (!Get(link_.DataHandle.get(), block, link_.DataReportLength)) {
      // Nothing arrived: keep the block as it was rather than store the
      // unscrambled zeros of an empty buffer.
      ++failedBlockTransfers_;
      continue;
    }
    if (link_.ScramblingOn) UnscrambleBlockReport(BlockView(block));
    std::copy_n(block.begin() + 1, kConfigBlockSize, image.Block(n).begin());
  }
  return true;
}

bool FeatureReportTransactions::WriteOperation(const DeviceImage& image) {
  std::vector<std::uint8_t> reply;
  if (!StartOperation(Check::SignatureOnly, reply, mouseNotDetected_, kWriteOperationCaption)) return false;
  SendCommand(kCommandStatusWrite, image.USBReportRate, image.SensorDPIStage);
  waits_.Wait(kBlockPauseMs);
  for (int n = 1; n <= kConfigBlockCount; ++n) {
    SendCommand(BlockWriteCommand(n));
    FetchControlReply(reply);  // content ignored
    auto block = DataBuffer();
    block[0] = kBlockReportId;
    std::copy_n(image.Block(n).begin(), kConfigBlockSize, block.begin() + 1);
    if (link_.ScramblingOn) ScrambleBlockReport(BlockView(block));
    if (!Set(link_.DataHandle.get(), block, link_.DataReportLength)) ++failedBlockTransfers_;
    waits_.Wait(kBlockPauseMs);
  }
  return true;
}

}  // namespace px
