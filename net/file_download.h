// Downloads one file over HTTP(S) with WinINet, following at most five redirects itself
// (Location read from the raw reply headers, relative targets resolved, http/https only),
// streaming the body into a temporary file beside the target and putting it in place only
// when it is complete: a 2xx status, at least one byte, and exactly the announced
// Content-Length when one was sent. On any failure the target is left as it was and the
// temporary file is removed. Nothing is written to the platform's web cache.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace tunelark {

// Lets another thread abort a running download: a WinINet call the download thread is
// waiting in is ended by closing its request, no further call is made, and the temporary
// file is deleted at once (it vanishes when the download thread lets go of it), so even a
// download stuck on a silent server leaves nothing behind. The download thread never
// touches a handle after it was closed (see net/stale_handle_gate.h).
class DownloadCancel {
 public:
  void Cancel();
  bool Cancelled() const;

 private:
  friend class GuardedRequest;
  friend class TemporaryFile;
  mutable std::mutex mutex_;
  bool cancelled_ = false;
  void* request_ = nullptr;    // the request being read, closed by Cancel() during a call
  bool inCall_ = false;        // the download thread is inside a WinINet call on request_
  bool closedInCall_ = false;  // Cancel() closed request_ during that call
  std::string temporaryPath_;  // the file being written, deleted by Cancel()
};

enum class DownloadOutcome { kComplete, kFailed, kCancelled };

struct DownloadRequest {
  std::string address;     // the song's address (may redirect)
  std::string targetPath;  // where the finished file goes (code page 936 path)
  // Called after each block: bytes so far and the announced size (-1 when not announced).
  using Progress = std::function<void(std::uint64_t received, std::int64_t total)>;
  Progress progress;
  DownloadCancel* cancel = nullptr;
  int maxRedirects = 5;
};

DownloadOutcome DownloadFile(const DownloadRequest& request);

}  // namespace tunelark
