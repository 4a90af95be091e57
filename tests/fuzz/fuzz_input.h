#pragma once
// Takes typed values off the front of a fuzzer's input; what runs out reads
// as zero, so every input is a valid run.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace px::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  std::uint8_t Byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return v;
  }
  std::uint64_t U64() { return std::uint64_t{U32()} << 32 | U32(); }
  std::vector<std::uint8_t> Take(std::size_t count) {
    const std::size_t n = count < Left() ? count : Left();
    std::vector<std::uint8_t> out(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + n));
    at_ += n;
    return out;
  }
  std::vector<std::uint8_t> Rest() { return Take(Left()); }
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// Stops the run loudly: libFuzzer keeps the input as a crash.
[[noreturn]] inline void Broken() { __builtin_trap(); }

}  // namespace px::fuzz
