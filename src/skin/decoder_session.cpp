#include "skin/decoder_session.h"

namespace px {

bool DecoderSession::Start(const std::function<bool()>& start) {
  std::lock_guard guard(lock_);
  if (!running_) {
    running_ = start();
    ++starts_;
  }
  return running_;
}

void DecoderSession::Stop(const std::function<void()>& stop) {
  std::lock_guard guard(lock_);
  if (!running_) return;
  stop();
  running_ = false;
}

void DecoderSession::CountDecode() {
  std::lock_guard guard(lock_);
  ++decodes_;
}

bool DecoderSession::Running() const {
  std::lock_guard guard(lock_);
  return running_;
}

int DecoderSession::Starts() const {
  std::lock_guard guard(lock_);
  return starts_;
}

int DecoderSession::Decodes() const {
  std::lock_guard guard(lock_);
  return decodes_;
}

}  // namespace px
