#include "net/file_download.h"

#include <wininet.h>

#include "net/wininet_imports.h"

#include <functional>
#include <utility>
#include <vector>

#include "base/kernel_handles.h"
#include "net/address_resolve.h"
#include "net/http_method.h"
#include "net/stale_handle_gate.h"
#include "net/text_utils.h"

namespace tunelark {
namespace {

constexpr DWORD kReadBlock = 1024 * 1024;   // each WinINet read has a fixed cost: read big blocks
constexpr DWORD kReceiveTimeoutMs = 30000;  // a server silent this long has given up

bool IsRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

// A temporary file in the target's folder, removed unless Commit() put it in place. It is
// opened with delete sharing so that a cancel from another thread can delete it.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& targetPath, DownloadCancel* cancel) : cancel_(cancel) {
    char name[MAX_PATH + 16] = {};
    if (!GetTempFileNameA(FolderOf(targetPath).c_str(), "tl", 0, name)) return;
    path_ = name;
    if (cancel_) {
      std::lock_guard<std::mutex> lock(cancel_->mutex_);
      cancel_->temporaryPath_ = path_;
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    Forget();
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  HANDLE Open() const {
    return CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  }
  bool Commit(const std::string& targetPath) {
    Forget();
    if (cancel_ && cancel_->Cancelled()) return false;
    if (!MoveFileExA(path_.c_str(), targetPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return false;
    path_.clear();
    return true;
  }

 private:
  void Forget() {
    if (!cancel_) return;
    std::lock_guard<std::mutex> lock(cancel_->mutex_);
    cancel_->temporaryPath_.clear();
  }
  static std::string FolderOf(const std::string& path) {
    size_t cut = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {  // code page 936: skip trail bytes
      if (IsDBCSLeadByteEx(936, static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
        ++i;
      } else if (path[i] == '\\' || path[i] == '/') {
        cut = i;
      }
    }
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
  }
  DownloadCancel* cancel_;
  std::string path_;
};

// The request of one hop, shared with the cancel object. Every WinINet call on it goes
// through Call(): none starts once the download is cancelled, and Cancel() closes the
// request only while a call is running (to end it). The value it closed stays out of use
// (StaleHandleGate) until that call has returned here. Closed at the end unless Cancel() did.
class GuardedRequest {
 public:
  GuardedRequest(DownloadCancel* cancel, HINTERNET request) : cancel_(cancel), request_(request) {
    if (!cancel_) return;
    std::lock_guard<std::mutex> lock(cancel_->mutex_);
    cancel_->request_ = request_;
  }
  GuardedRequest(const GuardedRequest&) = delete;
  GuardedRequest& operator=(const GuardedRequest&) = delete;
  ~GuardedRequest() {
    if (cancel_) {
      std::lock_guard<std::mutex> lock(cancel_->mutex_);
      if (cancel_->request_ != request_) return;  // Cancel() closed it
      cancel_->request_ = nullptr;
    }
    inet::InternetCloseHandle(request_);
  }

  // call(request)'s result; false without calling once the download is cancelled, and false
  // when Cancel() closed the request during the call.
  template <typename Fn>
  bool Call(Fn call) {
    if (!cancel_) return call(request_);
    {
      std::lock_guard<std::mutex> lock(cancel_->mutex_);
      if (cancel_->cancelled_) return false;
      cancel_->inCall_ = true;
    }
    const bool ok = call(request_) != FALSE;
    bool closed = false;
    {
      std::lock_guard<std::mutex> lock(cancel_->mutex_);
      cancel_->inCall_ = false;
      closed = std::exchange(cancel_->closedInCall_, false);
    }
    if (closed) StaleHandleGate::Instance().Returned();
    return ok && !closed;
  }

  // A number from the reply headers; false when it has none.
  bool QueryNumber(DWORD query, DWORD* value) {
    return Call([&](HINTERNET r) {
      DWORD size = sizeof *value;
      return inet::HttpQueryInfoA(r, query | HTTP_QUERY_FLAG_NUMBER, value, &size, nullptr);
    });
  }

  std::string RawHeaders() {
    DWORD size = 0;
    Call([&](HINTERNET r) { return inet::HttpQueryInfoA(r, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr); });
    if (size == 0) return {};
    std::string text(size, '\0');
    if (!Call([&](HINTERNET r) {
          return inet::HttpQueryInfoA(r, HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &size, nullptr);
        })) {
      return {};
    }
    text.resize(size);
    return text;
  }

 private:
  DownloadCancel* cancel_;
  HINTERNET request_;
};

void DownloadCancel::Cancel() {
  StaleHandleGate& gate = StaleHandleGate::Instance();
  {
    std::unique_lock<std::mutex> held = gate.Hold();
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
    if (request_ && inCall_) {
      inet::InternetCloseHandle(static_cast<HINTERNET>(std::exchange(request_, nullptr)));
      closedInCall_ = true;
      gate.CountOut(held);
    }
    // Also covers a read that closing the handle does not wake (Wine's blocking reads).
    if (!temporaryPath_.empty()) DeleteFileA(temporaryPath_.c_str());
  }
  gate.Wake();  // downloads waiting to open a handle stop waiting
}

bool DownloadCancel::Cancelled() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return cancelled_;
}

namespace {

struct UrlParts {
  std::string host, object;
  INTERNET_PORT port = 0;
  bool secure = false;
};

bool SplitAddress(const std::string& address, UrlParts* parts) {
  char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
  std::vector<char> path(address.size() + 2);
  std::vector<char> extra(address.size() + 2);
  URL_COMPONENTSA uc{};
  uc.dwStructSize = sizeof uc;
  uc.lpszHostName = host;
  uc.dwHostNameLength = sizeof host;
  uc.lpszUrlPath = path.data();
  uc.dwUrlPathLength = static_cast<DWORD>(path.size());
  uc.lpszExtraInfo = extra.data();
  uc.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  if (!inet::InternetCrackUrlA(address.c_str(), 0, 0, &uc)) return false;
  if (uc.nScheme != INTERNET_SCHEME_HTTP && uc.nScheme != INTERNET_SCHEME_HTTPS) return false;
  parts->host = host;
  parts->object = std::string(path.data()) + extra.data();
  if (parts->object.empty() || parts->object[0] != '/') parts->object = "/" + parts->object;
  parts->port = uc.nPort;
  parts->secure = uc.nScheme == INTERNET_SCHEME_HTTPS;
  return !parts->host.empty();
}

// Reads what has arrived, up to `size` bytes, waiting only until something has: a plain
// InternetReadFile waits until the whole block is filled, which on a slow server means no
// progress (and no way to notice a cancel) for a long time. got = 0 at the end of the body.
bool ReadAvailable(GuardedRequest& request, unsigned char* buffer, DWORD size, DWORD* got) {
  *got = 0;
  DWORD available = 0;
  if (!request.Call([&](HINTERNET r) { return inet::InternetQueryDataAvailable(r, &available, 0, 0); })) return false;
  if (available == 0) return true;
  INTERNET_BUFFERSA buffers{};
  buffers.dwStructSize = sizeof buffers;
  buffers.lpvBuffer = buffer;
  buffers.dwBufferLength = size;
  if (request.Call([&](HINTERNET r) { return inet::InternetReadFileExA(r, &buffers, IRF_NO_WAIT, 0); }) &&
      buffers.dwBufferLength > 0) {
    *got = buffers.dwBufferLength;
    return true;
  }
  // Without IRF_NO_WAIT support: read exactly what is known to be there.
  return request.Call(
      [&](HINTERNET r) { return inet::InternetReadFile(r, buffer, available < size ? available : size, got); });
}

// Reads the body in the way that suits the server's pace. While data trickles in, each read
// takes just what has arrived, so progress shows and a cancel is noticed. Once the body
// flows fast, whole blocks are read (each WinINet call has a fixed cost); a block that is
// slow to fill switches back.
class BodyReader {
 public:
  explicit BodyReader(GuardedRequest& request) : request_(request) {
    QueryPerformanceFrequency(&frequency_);
    windowStart_ = Seconds();
  }

  bool Read(unsigned char* buffer, DWORD size, DWORD* got) {
    double start = Seconds();
    if (!bulk_) {
      if (!ReadAvailable(request_, buffer, size, got)) return false;
      windowBytes_ += *got;
      double window = Seconds() - windowStart_;
      if (window >= 0.01) {
        bulk_ = windowBytes_ / window > kBulkBytesPerSecond;
        windowStart_ = Seconds();
        windowBytes_ = 0;
      }
      return true;
    }
    if (!request_.Call([&](HINTERNET r) { return inet::InternetReadFile(r, buffer, size, got); })) return false;
    if (Seconds() - start > kSlowBlockSeconds) {
      bulk_ = false;
      windowStart_ = Seconds();
      windowBytes_ = 0;
    }
    return true;
  }

 private:
  static constexpr double kBulkBytesPerSecond = 4.0 * 1024 * 1024;
  static constexpr double kSlowBlockSeconds = 0.3;

  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

  GuardedRequest& request_;
  LARGE_INTEGER frequency_{};
  bool bulk_ = false;
  double windowStart_ = 0;
  double windowBytes_ = 0;
};

bool IsCancelled(const DownloadRequest& job) { return job.cancel && job.cancel->Cancelled(); }

// kCancelled when the download was cancelled, else kFailed.
DownloadOutcome Stopped(const DownloadRequest& job) {
  return IsCancelled(job) ? DownloadOutcome::kCancelled : DownloadOutcome::kFailed;
}

// Streams the body of an answered 2xx request into the target. True when complete.
DownloadOutcome SaveBody(GuardedRequest& request, const DownloadRequest& job) {
  DWORD announced = 0;
  const bool hasLength = request.QueryNumber(HTTP_QUERY_CONTENT_LENGTH, &announced);
  TemporaryFile temp(job.targetPath, job.cancel);
  if (temp.path().empty()) return DownloadOutcome::kFailed;
  FileHandle file(temp.Open());
  if (!file) return DownloadOutcome::kFailed;

  std::vector<unsigned char> block(kReadBlock);
  std::uint64_t received = 0;
  BodyReader reader(request);
  for (;;) {
    DWORD got = 0;
    if (!reader.Read(block.data(), kReadBlock, &got)) return Stopped(job);
    if (got == 0) break;
    DWORD written = 0;
    if (!WriteFile(file.get(), block.data(), got, &written, nullptr) || written != got) return DownloadOutcome::kFailed;
    received += got;
    if (job.progress) job.progress(received, hasLength ? static_cast<std::int64_t>(announced) : -1);
    if (IsCancelled(job)) return DownloadOutcome::kCancelled;
  }
  if (IsCancelled(job)) return DownloadOutcome::kCancelled;
  if (received == 0 || (hasLength && received != announced)) return DownloadOutcome::kFailed;
  if (!CloseHandle(file.release())) return DownloadOutcome::kFailed;
  return temp.Commit(job.targetPath) ? DownloadOutcome::kComplete : DownloadOutcome::kFailed;
}

// A WinINet handle opened through the gate; null when open() fails or the download is
// cancelled while it waits.
HINTERNET OpenHandle(const DownloadRequest& job, const std::function<HINTERNET()>& open) {
  return static_cast<HINTERNET>(StaleHandleGate::Instance().Open(open, [&job] { return IsCancelled(job); }));
}

// The connection and the sent request of one hop. Redirects are followed by DownloadFile,
// not by the platform, so every hop's Location is seen and checked; the body bypasses the
// web cache (no second copy of every song).
struct Hop {
  InternetHandle connection;
  HINTERNET request = nullptr;  // owned by the caller's GuardedRequest once opened

  bool Open(HINTERNET root, const UrlParts& parts, const DownloadRequest& job) {
    connection.reset(OpenHandle(job, [&] {
      return inet::InternetConnectA(root, parts.host.c_str(), parts.port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0,
                                    0);
    }));
    if (!connection) return false;
    DWORD timeout = kReceiveTimeoutMs;
    inet::InternetSetOptionA(connection.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | (parts.secure ? INTERNET_FLAG_SECURE : 0);
    request = OpenHandle(job, [&] {
      return inet::HttpOpenRequestA(connection.get(), "GET", parts.object.c_str(), "HTTP/1.1", nullptr, nullptr, flags,
                                    0);
    });
    return request != nullptr;
  }
};

bool Send(GuardedRequest& request) {
  static const char kHeaders[] = "Accept: */*\r\n";
  return request.Call([&](HINTERNET r) {
    return inet::HttpSendRequestA(r, kHeaders, static_cast<DWORD>(sizeof kHeaders - 1), nullptr, 0);
  });
}

}  // namespace

DownloadOutcome DownloadFile(const DownloadRequest& job) {
  InternetHandle root(OpenHandle(
      job, [] { return inet::InternetOpenA(kWinInetUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0); }));
  if (!root) return Stopped(job);
  std::string address = job.address;
  for (int hop = 0; hop <= job.maxRedirects; ++hop) {
    if (IsCancelled(job)) return DownloadOutcome::kCancelled;
    UrlParts parts;
    if (!IsHttpAddress(address) || !HasUsablePort(address) || !SplitAddress(address, &parts))
      return DownloadOutcome::kFailed;
    Hop opened;
    if (!opened.Open(root.get(), parts, job)) return Stopped(job);
    GuardedRequest request(job.cancel, opened.request);
    if (!Send(request)) return Stopped(job);
    DWORD status = 0;
    if (!request.QueryNumber(HTTP_QUERY_STATUS_CODE, &status)) return Stopped(job);
    if (status >= 200 && status < 300) return SaveBody(request, job);
    if (!IsRedirect(status)) return DownloadOutcome::kFailed;
    std::string location = LocationHeaderValue(request.RawHeaders());
    if (location.empty()) return DownloadOutcome::kFailed;
    address = ResolveRedirect(address, location);
  }
  return DownloadOutcome::kFailed;  // too many redirects
}

}  // namespace tunelark
