#include "net/stale_handle_gate.h"

namespace tunelark {

StaleHandleGate& StaleHandleGate::Instance() {
  static StaleHandleGate gate;
  return gate;
}

void* StaleHandleGate::Open(const std::function<void*()>& open, const std::function<bool()>& stop) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return out_ == 0 || (stop && stop()); });
  return out_ == 0 ? open() : nullptr;
}

void StaleHandleGate::CountOut(const std::unique_lock<std::mutex>& held) {
  if (held.owns_lock() && held.mutex() == &mutex_) ++out_;
}

void StaleHandleGate::Returned() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    --out_;
  }
  changed_.notify_all();
}

}  // namespace tunelark
