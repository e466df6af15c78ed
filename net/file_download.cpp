#include "net/file_download.h"

#include <wininet.h>

#include "net/wininet_imports.h"

#include <utility>
#include <vector>

#include "net/address_resolve.h"
#include "net/unique_internet_handle.h"

namespace tunelark {
namespace {

constexpr DWORD kReadBlock = 1024 * 1024;  // each WinINet read has a fixed cost: read big blocks
constexpr DWORD kReceiveTimeoutMs = 30000;  // a server silent this long has given up
constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

using InternetHandle = UniqueInternetHandle<&inet::InternetCloseHandle>;

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (h_ == INVALID_HANDLE_VALUE) return true;
    bool ok = CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
    return ok;
  }

 private:
  HANDLE h_;
};

DWORD QueryNumber(HINTERNET request, DWORD query, bool* present) {
  DWORD value = 0;
  DWORD size = sizeof value;
  *present = inet::HttpQueryInfoA(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
  return value;
}

std::string RawHeaders(HINTERNET request) {
  DWORD size = 0;
  inet::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
  if (size == 0) return {};
  std::string text(size, '\0');
  if (!inet::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &size, nullptr)) return {};
  text.resize(size);
  return text;
}

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

// Registers the request being read with the cancel object for the duration of a scope.
class CancellableRequest {
 public:
  CancellableRequest(DownloadCancel* cancel, HINTERNET request) : cancel_(cancel), request_(request) {
    if (!cancel_) return;
    std::lock_guard<std::mutex> lock(cancel_->mutex_);
    cancel_->request_ = request_;
  }
  CancellableRequest(const CancellableRequest&) = delete;
  CancellableRequest& operator=(const CancellableRequest&) = delete;
  // Closes the request unless Cancel() already did.
  ~CancellableRequest() {
    if (!cancel_) {
      inet::InternetCloseHandle(request_);
      return;
    }
    std::lock_guard<std::mutex> lock(cancel_->mutex_);
    if (cancel_->request_ == request_) {
      inet::InternetCloseHandle(request_);
      cancel_->request_ = nullptr;
    }
  }

 private:
  DownloadCancel* cancel_;
  HINTERNET request_;
};

void DownloadCancel::Cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  cancelled_ = true;
  // Closing the handle is the documented way to end a blocking WinINet call from another thread.
  if (request_) inet::InternetCloseHandle(static_cast<HINTERNET>(std::exchange(request_, nullptr)));
  // Also covers a read that closing the handle does not wake (Wine's blocking reads).
  if (!temporaryPath_.empty()) DeleteFileA(temporaryPath_.c_str());
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
bool ReadAvailable(HINTERNET request, unsigned char* buffer, DWORD size, DWORD* got) {
  *got = 0;
  DWORD available = 0;
  if (!inet::InternetQueryDataAvailable(request, &available, 0, 0)) return false;
  if (available == 0) return true;
  INTERNET_BUFFERSA buffers{};
  buffers.dwStructSize = sizeof buffers;
  buffers.lpvBuffer = buffer;
  buffers.dwBufferLength = size;
  if (inet::InternetReadFileExA(request, &buffers, IRF_NO_WAIT, 0) && buffers.dwBufferLength > 0) {
    *got = buffers.dwBufferLength;
    return true;
  }
  // Without IRF_NO_WAIT support: read exactly what is known to be there.
  return inet::InternetReadFile(request, buffer, available < size ? available : size, got) != FALSE;
}

// Reads the body in the way that suits the server's pace. While data trickles in, each read
// takes just what has arrived, so progress shows and a cancel is noticed. Once the body
// flows fast, whole blocks are read (each WinINet call has a fixed cost); a block that is
// slow to fill switches back.
class BodyReader {
 public:
  explicit BodyReader(HINTERNET request) : request_(request) {
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
    if (!inet::InternetReadFile(request_, buffer, size, got)) return false;
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

  HINTERNET request_;
  LARGE_INTEGER frequency_{};
  bool bulk_ = false;
  double windowStart_ = 0;
  double windowBytes_ = 0;
};

// Streams the body of an answered 2xx request into the target. True when complete.
DownloadOutcome SaveBody(HINTERNET request, const DownloadRequest& job) {
  bool hasLength = false;
  DWORD announced = QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH, &hasLength);
  TemporaryFile temp(job.targetPath, job.cancel);
  if (temp.path().empty()) return DownloadOutcome::kFailed;
  FileHandle file(temp.Open());
  if (!file.valid()) return DownloadOutcome::kFailed;

  std::vector<unsigned char> block(kReadBlock);
  std::uint64_t received = 0;
  BodyReader reader(request);
  for (;;) {
    DWORD got = 0;
    if (!reader.Read(block.data(), kReadBlock, &got)) {
      return job.cancel && job.cancel->Cancelled() ? DownloadOutcome::kCancelled : DownloadOutcome::kFailed;
    }
    if (got == 0) break;
    DWORD written = 0;
    if (!WriteFile(file.get(), block.data(), got, &written, nullptr) || written != got)
      return DownloadOutcome::kFailed;
    received += got;
    if (job.progress) job.progress(received, hasLength ? static_cast<std::int64_t>(announced) : -1);
    if (job.cancel && job.cancel->Cancelled()) return DownloadOutcome::kCancelled;
  }
  if (job.cancel && job.cancel->Cancelled()) return DownloadOutcome::kCancelled;
  if (received == 0 || (hasLength && received != announced)) return DownloadOutcome::kFailed;
  if (!file.Close()) return DownloadOutcome::kFailed;
  return temp.Commit(job.targetPath) ? DownloadOutcome::kComplete : DownloadOutcome::kFailed;
}

}  // namespace

DownloadOutcome DownloadFile(const DownloadRequest& job) {
  InternetHandle root(inet::InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!root) return DownloadOutcome::kFailed;
  std::string address = job.address;
  for (int hop = 0; hop <= job.maxRedirects; ++hop) {
    if (job.cancel && job.cancel->Cancelled()) return DownloadOutcome::kCancelled;
    UrlParts parts;
    if (!IsHttpAddress(address) || !SplitAddress(address, &parts)) return DownloadOutcome::kFailed;
    InternetHandle connection(inet::InternetConnectA(root.get(), parts.host.c_str(), parts.port, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return DownloadOutcome::kFailed;
    // Redirects are followed here, not by the platform, so every hop's Location is seen
    // and checked; the body bypasses the web cache (no second copy of every song).
    DWORD timeout = kReceiveTimeoutMs;
    inet::InternetSetOptionA(connection.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                  INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | (parts.secure ? INTERNET_FLAG_SECURE : 0);
    HINTERNET raw = inet::HttpOpenRequestA(connection.get(), "GET", parts.object.c_str(), "HTTP/1.1", nullptr, nullptr,
                                     flags, 0);
    if (!raw) return DownloadOutcome::kFailed;
    CancellableRequest request(job.cancel, raw);
    static const char kHeaders[] = "Accept: */*\r\n";
    if (!inet::HttpSendRequestA(raw, kHeaders, static_cast<DWORD>(sizeof kHeaders - 1), nullptr, 0)) {
      return job.cancel && job.cancel->Cancelled() ? DownloadOutcome::kCancelled : DownloadOutcome::kFailed;
    }
    bool hasStatus = false;
    DWORD status = QueryNumber(raw, HTTP_QUERY_STATUS_CODE, &hasStatus);
    if (!hasStatus) return DownloadOutcome::kFailed;
    if (status >= 200 && status < 300) return SaveBody(raw, job);
    if (!IsRedirect(status)) return DownloadOutcome::kFailed;
    std::string location = LocationHeaderValue(RawHeaders(raw));
    if (location.empty()) return DownloadOutcome::kFailed;
    address = ResolveRedirect(address, location);
  }
  return DownloadOutcome::kFailed;  // too many redirects
}

}  // namespace tunelark
