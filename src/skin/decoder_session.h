#pragma once
// The system's picture decoder (GDI+ on Windows) is started once for the
// process, by the application's start or else by the first decode, and stays
// up for the rest of it: no picture starts or stops it. A start that failed
// is tried again by the next decode. Counted, for tests and diagnostics.
#include <functional>
#include <mutex>

namespace px {

class DecoderSession {
 public:
  // Starts the decoder unless it runs; whether it runs now.
  bool Start(const std::function<bool()>& start);
  // At the application's end only, once nothing decodes any more.
  void Stop(const std::function<void()>& stop);
  void CountDecode();

  bool Running() const;
  int Starts() const;  // how many times a start was tried
  int Decodes() const;

 private:
  mutable std::mutex lock_;
  bool running_ = false;
  int starts_ = 0;
  int decodes_ = 0;
};

}  // namespace px
