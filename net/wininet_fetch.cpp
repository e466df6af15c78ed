#include "net/wininet_fetch.h"

#include <windows.h>
#include <wininet.h>

#include "net/wininet_imports.h"

#include <cstring>
#include <functional>
#include <new>

#include "net/body_buffer.h"
#include "net/reply_cookies.h"
#include "net/stale_handle_gate.h"
#include "net/text_utils.h"
#include "text/gbk_text.h"

namespace tunelark {
namespace {

// Large reads: every InternetReadFile call has a fixed cost (about 100 us under Wine), so
// 256 KiB blocks read a body some fifty times faster than 1 KiB blocks, with the same bytes.
constexpr DWORD kReadBlock = 256 * 1024;

// Completes the caller's header lines, in this order and with case-sensitive tests.
void CompleteHeaders(std::string& headers, const std::string& address, const std::string& cookies) {
  if (headers.empty()) {
    headers = "Accept: */*";
  } else if (headers.find("Accept:") == std::string::npos) {
    headers += "\r\nAccept: */*";
  }
  if (headers.find("Referer:") == std::string::npos) headers += "\r\nReferer: " + address;
  if (headers.find("Accept-Language:") == std::string::npos) headers += "\r\nAccept-Language: zh-cn";
  if (headers.find("Content-Type:") == std::string::npos)
    headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  if (!cookies.empty()) headers += "\r\nCookie: " + cookies;
}

// The whole raw reply header text. The platform is asked for the size it needs first, so
// long header blocks arrive complete; no reply at all gives an empty text.
std::string RawReplyHeaders(HINTERNET request) {
  DWORD size = 0;
  if (inet::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) {
    return {};
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::string buffer(size + 1, '\0');
    DWORD length = size;
    if (inet::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) {
      buffer.resize(strnlen(buffer.c_str(), length));
      // Without a reply Wine hands back a bare line end; Windows fails the call.
      if (buffer.find_first_not_of("\r\n") == std::string::npos) return {};
      return buffer;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    size = length;
  }
  return {};
}

// Every handle is opened through the gate (net/stale_handle_gate.h).
HINTERNET Opened(const std::function<HINTERNET()>& open) {
  return static_cast<HINTERNET>(StaleHandleGate::Instance().Open(open));
}

HINTERNET OpenRoot(const std::string& agent, const std::string& proxy, bool secure) {
  if (proxy.empty()) return inet::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  const std::string proxyName = secure ? proxy : "http=" + proxy;
  return inet::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyName.c_str(), "", 0);
}

HINTERNET OpenRequest(HINTERNET connection, const std::string& address, const WinInetOptions& options, bool secure) {
  const char* verb = options.method == HttpMethod::kPost   ? "POST"
                     : options.method == HttpMethod::kHead ? "HEAD"
                                                           : "GET";
  // NO_CACHE_WRITE: without it WinINet keeps a copy of every body in the user's web cache,
  // which no later call reads since every request reloads. INTERNET_FLAG_NEED_FILE is left
  // out for the same reason: it asks for a file copy of the body even when it cannot be
  // cached (Wine then commits that copy into the cache after all).
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
  if (options.cookies) flags |= INTERNET_FLAG_NO_COOKIES;
  if (options.noRedirect) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  flags |= secure ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
  const std::string object = UrlPathAndQuery(address);
  return inet::HttpOpenRequestA(connection, verb, object.c_str(), "HTTP/1.1", nullptr, nullptr, flags, 0);
}

// Sends the request with its header lines, and for POST and HEAD its data. The outcome of
// the send shows in the reply: a failed send leaves no body and no headers.
void Send(HINTERNET request, const std::string& headers, const WinInetOptions& options) {
  ByteArray data;
  if (options.method == HttpMethod::kPost || options.method == HttpMethod::kHead)
    data = options.postBytes.empty() ? ToBytes(options.postText) : options.postBytes;
  inet::HttpSendRequestA(request, headers.c_str(), static_cast<DWORD>(headers.size()),
                         data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
}

// Reads the whole body; false when it is longer than maxBytes (0: no limit) or there is no
// room for it.
bool ReadBody(HINTERNET request, size_t maxBytes, ByteArray& body) {
  const size_t limit = maxBytes ? maxBytes : static_cast<size_t>(-1);
  DWORD declared = 0, size = sizeof declared;
  if (inet::HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &declared, &size, nullptr)) {
    if (declared > limit) return false;
    ReserveFor(body, static_cast<size_t>(declared) + kReadBlock);
  }
  try {
    for (;;) {
      const size_t at = body.size();
      body.resize(at + kReadBlock);
      DWORD read = 0;
      const bool ok = inet::InternetReadFile(request, body.data() + at, kReadBlock, &read);
      body.resize(at + (ok ? read : 0));
      if (body.size() > limit) return false;
      if (!ok || read == 0) return true;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// Hands the reply's headers and cookies to the caller's variables.
void CollectReply(const std::string& rawHeaders, WinInetOptions& options) {
  if (options.replyHeaders) *options.replyHeaders = rawHeaders;
  std::string cookies = ReplyCookies(rawHeaders);
  if (options.cookies) MergeCookies(*options.cookies, cookies);
  if (options.replyCookies) *options.replyCookies = cookies;
}

}  // namespace

std::string WinInetUserAgent(const std::string& headers) {
  int at = Find(headers, "User-Agent:", 1, true);
  if (at == -1) return kWinInetUserAgent;
  std::string agent = TrimBlanks(TextBetween(headers, "User-Agent:", "\r\n"));
  if (!agent.empty()) return agent;
  // The line is there, but not in this spelling or without a line end: take the value after
  // its colon, and only up to the end of that line, so the agent never carries a line break
  // (a value holding the caller's further lines would be sent as header lines of its own).
  std::string value = ValueAfterColon(headers.substr(at - 1));
  size_t end = value.find_first_of("\r\n");
  if (end != std::string::npos) value.resize(end);
  return TrimBlanks(value);
}

ByteArray WinInetFetch(const std::string& address) {
  WinInetOptions options;
  return WinInetFetch(address, options);
}

ByteArray WinInetFetch(const std::string& address, WinInetOptions& options) {
  if (!HasUsablePort(address)) return {};
  std::string scheme = address.substr(0, 5);
  CharLowerBuffA(scheme.data(), static_cast<DWORD>(scheme.size()));
  const bool secure = scheme == "https";
  std::string localHeaders;
  std::string& headers = options.headers ? *options.headers : localHeaders;

  const std::string agent = WinInetUserAgent(headers);
  InternetHandle root(Opened([&] { return OpenRoot(agent, options.proxy, secure); }));
  if (!root) return {};
  const std::string host = UrlHost(address);
  const auto port = static_cast<INTERNET_PORT>(UrlPort(address));
  InternetHandle connection(Opened(
      [&] { return inet::InternetConnectA(root.get(), host.c_str(), port, "", "", INTERNET_SERVICE_HTTP, 0, 0); }));
  if (!connection) return {};
  InternetHandle request(Opened([&] { return OpenRequest(connection.get(), address, options, secure); }));
  if (!request) return {};

  CompleteHeaders(headers, address, options.cookies ? *options.cookies : std::string());
  Send(request.get(), headers, options);
  ByteArray body;
  if (!ReadBody(request.get(), options.maxBodyBytes, body)) return {};
  const std::string rawHeaders = NormalizeSetCookie(RawReplyHeaders(request.get()));
  request.reset();
  connection.reset();
  root.reset();
  CollectReply(rawHeaders, options);
  return body;
}

}  // namespace tunelark
