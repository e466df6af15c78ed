#include "net/winhttp_fetch.h"

#include <windows.h>
#include <winhttp.h>

#include <utility>

#include "base/code_page.h"
#include "base/unique_handle.h"
#include "net/body_buffer.h"
#include "net/charset_convert.h"
#include "net/reply_cookies.h"
#include "net/text_utils.h"
#include "text/com_dispatch.h"
#include "text/gbk_text.h"

namespace tunelark {
namespace {

struct CloseHttpHandle {
  void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using HttpHandle = UniqueHandle<HINTERNET, CloseHttpHandle>;

// Default header lines, in the order they are tested; each is added when its key is not
// in the header text yet.
struct DefaultLine {
  const char* key;
  bool ignoreCase;
  const char* line;
};
constexpr DefaultLine kDefaultLines[] = {
    {"User-Agent: ", true, "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"},
    {"Accept: ", true, "Accept: text/html, application/xhtml+xml, */*\r\n"},
    {"Accept-Encoding: ", true, "Accept-Encoding: gbk, GB2312\r\n"},
    {"Accept-Language: ", true, "Accept-Language: zh-cn\r\n"},
    {"Content-Type:", false, "Content-Type: application/x-www-form-urlencoded\r\n"},
    {"Cache-Control: ", true, "Cache-Control: no-cache\r\n"},
};

const wchar_t* Verb(HttpMethod method) {
  switch (method) {
    case HttpMethod::kPost: return L"POST";
    case HttpMethod::kHead: return L"HEAD";
    case HttpMethod::kPut: return L"PUT";
    default: return L"GET";
  }
}

bool SetDwordOption(HINTERNET handle, DWORD option, DWORD value) {
  return WinHttpSetOption(handle, option, &value, sizeof value);
}

// Where a request goes, from its address.
struct Target {
  std::wstring host;
  std::wstring object;  // path and query ("/" when the address has no path)
  INTERNET_PORT port = 0;
  bool secure = false;
};

bool CrackAddress(const std::string& address, Target& target) {
  const std::wstring wide = GbkToWide(address);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (wide.empty() || !HasUsablePort(address) || !WinHttpCrackUrl(wide.c_str(), 0, 0, &parts)) return false;
  if (parts.lpszHostName) target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  if (parts.lpszUrlPath && parts.dwUrlPathLength >= 1)
    target.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  else
    target.object = L"/";
  if (parts.lpszExtraInfo) target.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  target.port = parts.nPort;
  target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  return true;
}

HINTERNET OpenSession(const std::string& proxy) {
  if (proxy.empty())
    return WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  // Windows reads "http=host:port" as a proxy for plain HTTP only and a bare "host:port" as
  // one for every scheme. The session makes a single request whose scheme is known, so both
  // mean the same there; Wine's WinHttp reads only the bare form, so that one is passed.
  const std::wstring proxyName = GbkToWide(proxy);
  return WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxyName.c_str(), WINHTTP_NO_PROXY_BYPASS, 0);
}

bool SetBasicCredentials(HINTERNET request, DWORD target, const std::string& user, const std::string& password) {
  if (user.empty() || password.empty()) return true;
  return WinHttpSetCredentials(request, target, WINHTTP_AUTH_SCHEME_BASIC, GbkToWide(user).c_str(),
                               GbkToWide(password).c_str(), nullptr);
}

// Time-outs, credentials, the cookie and redirect switches: the message of the step that
// failed, or nullptr.
const char* SetUpRequest(HINTERNET request, const WinHttpOptions& options, bool forbidRedirects) {
  const int timeout = options.timeoutSeconds > 0 ? options.timeoutSeconds * 1000 : 30000;
  if (!WinHttpSetTimeouts(request, timeout, timeout, timeout, timeout)) return kWinHttpTimeoutFailed;
  // Windows bounds the wait for the reply headers by the receive time-out as well; Wine
  // waits for them with this separate limit only (unlimited by default): set it to match.
  SetDwordOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, static_cast<DWORD>(timeout));

  if (!SetBasicCredentials(request, WINHTTP_AUTH_TARGET_SERVER, options.userName, options.password) ||
      !SetBasicCredentials(request, WINHTTP_AUTH_TARGET_PROXY, options.proxyUser, options.proxyPassword)) {
    return kWinHttpCredentialsFailed;
  }
  // Without a cookie variable the platform neither stores nor sends cookies by itself. With
  // one, its cookie handling stays on (its default), so cookies set by a redirect go along
  // to the next hop. (WINHTTP_OPTION_ENABLE_FEATURE with 1 is no cookie switch: it turns on
  // certificate revocation checks, which fail for servers without a reachable revocation list.)
  if (!options.cookies && !SetDwordOption(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_COOKIES))
    return kWinHttpCookieOptionFailed;
  if (forbidRedirects && !SetDwordOption(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_REDIRECTS))
    return kWinHttpRedirectOptionFailed;
  return nullptr;
}

// Sends the header lines and the body and waits for the reply headers: the message of the
// step that failed, or nullptr.
const char* Send(HINTERNET request, const std::wstring& headerText, const std::string& data) {
  if (!WinHttpAddRequestHeaders(request, headerText.c_str(), static_cast<DWORD>(headerText.size()),
                                WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE)) {
    return kWinHttpHeadersFailed;
  }
  if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                          data.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(data.data()),
                          static_cast<DWORD>(data.size()), static_cast<DWORD>(data.size()), 0)) {
    return kWinHttpSendFailed;
  }
  if (!WinHttpReceiveResponse(request, nullptr)) return kWinHttpNoResponse;
  return nullptr;
}

// The reply's Content-Length, 0 when it has none.
DWORD DeclaredLength(HINTERNET request) {
  DWORD declared = 0, size = sizeof declared;
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &declared, &size, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return declared;
}

// Reads the whole body; false when it broke off.
bool ReadBody(HINTERNET request, bool isHead, ByteArray& body) {
  ReserveFor(body, DeclaredLength(request));
  for (;;) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request, &available) || available < 1) break;
    // Read straight into the end of the body: the new bytes start zeroed, and only those
    // actually read are kept.
    const size_t at = body.size();
    body.resize(at + available);
    DWORD read = 0;
    if (!WinHttpReadData(request, body.data() + at, available, &read)) {
      body.resize(at);
      return false;
    }
    body.resize(at + read);
  }
  // A body cut short by the server: Windows fails the read, Wine ends it quietly, so the
  // bytes read are also held against the declared length.
  return isHead || body.size() >= DeclaredLength(request);
}

// The whole raw reply header text, or false when the platform cannot give it.
bool QueryRawHeaders(HINTERNET request, std::string& headers) {
  DWORD size = 0;
  WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                      &size, WINHTTP_NO_HEADER_INDEX);
  std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD length = size;
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(),
                           &length, WINHTTP_NO_HEADER_INDEX)) {
    return false;
  }
  headers = WideToGbk(std::wstring_view(buffer).substr(0, length / sizeof(wchar_t)));
  return true;
}

// The status code and reason that follow the protocol version ("HTTP/1.1 ").
std::string StatusText(const std::string& rawHeaders) {
  const int end = Find(rawHeaders, "\r\n", 10);
  if (rawHeaders.size() < 10) return {};
  return end == -1 ? rawHeaders.substr(9) : rawHeaders.substr(9, end - 10);
}

// The value of the last "Location: " line (name without case); false when there is none.
bool LocationOf(const std::string& rawHeaders, std::string& location) {
  bool seen = false;
  for (const std::string& line : Split(rawHeaders, "\r\n")) {
    if (line.size() >= 10 &&
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.data(), 10, "Location: ", 10) == CSTR_EQUAL) {
      location = line.substr(10);
      seen = true;
    }
  }
  return seen;
}

// Hands the reply's status, headers, location and cookies to the caller's outputs. A broken
// body is reported as such, and the message stays: the reply's status text in its place
// would pass the partial body off as complete.
void CollectReply(const std::string& rawHeaders, bool readFailed, const WinHttpOptions& options) {
  if (options.status) *options.status = readFailed ? kWinHttpReadFailed : StatusText(rawHeaders);
  if (options.replyHeaders) *options.replyHeaders = rawHeaders;
  std::string location;
  if (LocationOf(rawHeaders, location) && options.location) *options.location = location;
  std::string cookies = ReplyCookies(rawHeaders);
  if (options.cookies) MergeCookies(*options.cookies, cookies);
  if (options.replyCookies) *options.replyCookies = cookies;
}

// The body as text: up to its first zero byte, converted from the character set its page
// declares when that is no name of code page 936.
std::string BodyText(const ByteArray& body) {
  std::string text(UpToZero(AsText(body)));
  const std::string charset = DeclaredCharset(text.substr(0, 1024));
  if (!charset.empty() && charset != "gbk" && charset != "gb2312") ConvertToGbk(body, charset, text);
  return text;
}

// One exchange's handles. Closed on every path, request before connection before root, and
// all before COM ends (they are declared after its start).
struct Exchange {
  com::ComInit com;
  HttpHandle root, connection, request;

  // Opens the request, sets it up, sends it and waits for the reply headers: the message
  // of the step that failed, or nullptr.
  const char* OpenAndSend(const Target& target, const WinHttpOptions& options, const std::wstring& headerText,
                          bool forbidRedirects) {
    request.reset(WinHttpOpenRequest(connection.get(), Verb(options.method), target.object.c_str(), nullptr,
                                     WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                     target.secure ? WINHTTP_FLAG_SECURE : 0));
    if (!request) return kWinHttpRequestFailed;
    const char* failed = SetUpRequest(request.get(), options, forbidRedirects);
    return failed ? failed : Send(request.get(), headerText, options.postText);
  }
};

}  // namespace

std::string WinHttpRequestHeaders(const std::string& headers, const std::string& cookies) {
  std::string text = headers.empty() ? std::string() : headers + "\r\n";
  for (const DefaultLine& line : kDefaultLines) {
    if (Find(text, line.key, 1, line.ignoreCase) == -1) text += line.line;
  }
  if (!cookies.empty() && Find(text, "Cookie: ", 1, true) == -1) text += "Cookie: " + cookies + "\r\n";
  return text;
}

std::string WinHttpFetch(const std::string& address, const WinHttpOptions& options) {
  Exchange x;
  auto fail = [&](const char* message) {
    if (options.status) *options.status = message;
    return std::string();
  };
  if (!WinHttpCheckPlatform()) return fail(kWinHttpUnsupported);
  Target target;
  if (!CrackAddress(address, target)) return fail(kWinHttpBadAddress);
  x.root.reset(OpenSession(options.proxy));
  if (!x.root) return fail(kWinHttpSessionFailed);
  x.connection.reset(WinHttpConnect(x.root.get(), target.host.c_str(), target.port, 0));
  if (!x.connection) return fail(kWinHttpConnectFailed);

  const std::wstring headerText =
      GbkToWide(WinHttpRequestHeaders(options.headers, options.cookies ? *options.cookies : ""));
  const char* message = x.OpenAndSend(target, options, headerText, options.noRedirect);
  // Windows' default redirect policy does not follow a redirect from HTTPS down to plain HTTP
  // and hands back the 3xx reply itself. Wine fails the exchange with
  // ERROR_WINHTTP_REDIRECT_FAILED and keeps no reply. For a GET or HEAD the request is then
  // sent once more with redirects forbidden, which gives the 3xx reply Windows hands back (the
  // first one of a chain); a POST or PUT is not sent twice.
  const std::wstring_view verb = Verb(options.method);
  if (message == kWinHttpNoResponse && GetLastError() == ERROR_WINHTTP_REDIRECT_FAILED && !options.noRedirect &&
      (verb == L"GET" || verb == L"HEAD")) {
    message = x.OpenAndSend(target, options, headerText, true);
  }
  if (message) return fail(message);

  ByteArray body;
  const bool readFailed = !ReadBody(x.request.get(), options.method == HttpMethod::kHead, body);
  if (readFailed && options.status) *options.status = kWinHttpReadFailed;
  std::string rawHeaders;
  if (!QueryRawHeaders(x.request.get(), rawHeaders)) return std::string();
  CollectReply(NormalizeSetCookie(rawHeaders), readFailed, options);
  std::string text = BodyText(body);
  if (options.body) *options.body = std::move(body);
  return text;
}

}  // namespace tunelark
