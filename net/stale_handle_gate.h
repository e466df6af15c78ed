// Guards WinINet handle values that a download cancel closed while the download thread was
// inside a call with them (closing the handle is the documented way to end a blocking call
// from another thread). Until that thread has come out of its call the value must not be
// handed to a new handle, or the thread's call would act on someone else's request. So
// every WinINet handle of the program is opened through Open(), which waits while such a
// value is out.
#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>

namespace tunelark {

class StaleHandleGate {
 public:
  static StaleHandleGate& Instance();

  // Opens a handle with open() once no closed value is out; null without opening when
  // stop() turns true first.
  void* Open(const std::function<void*()>& open, const std::function<bool()>& stop = {});

  // Held while a cancel closes a handle that a call may still be using; CountOut() under
  // it marks the value out until Returned().
  std::unique_lock<std::mutex> Hold() { return std::unique_lock<std::mutex>(mutex_); }
  void CountOut(const std::unique_lock<std::mutex>& held);
  void Returned();
  // Makes waiting Open() calls ask their stop() again.
  void Wake() { changed_.notify_all(); }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int out_ = 0;
};

}  // namespace tunelark
