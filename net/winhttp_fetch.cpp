#include "net/winhttp_fetch.h"

#include <windows.h>
#include <winhttp.h>

#include <cstring>
#include <utility>

#include "net/body_buffer.h"
#include "net/charset_convert.h"
#include "net/reply_cookies.h"
#include "net/text_utils.h"
#include "net/unique_internet_handle.h"
#include "text/com_dispatch.h"

namespace tunelark {
namespace {

using HttpHandle = UniqueInternetHandle<&WinHttpCloseHandle>;

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

std::wstring Wide(const std::string& text) { return GbkToWide(text); }

std::string TextUpToZero(const ByteArray& bytes) {
  std::string text(bytes.begin(), bytes.end());
  text.resize(strnlen(text.c_str(), text.size()));
  return text;
}

bool SetDwordOption(HINTERNET handle, DWORD option, DWORD value) {
  return WinHttpSetOption(handle, option, &value, sizeof value);
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
  buffer.resize(wcsnlen(buffer.c_str(), length / sizeof(wchar_t)));
  headers = WideToGbk(buffer);
  return true;
}

// Closes the handles and ends COM on every path: the handles are declared after the COM
// start, so they are released first, request before connection before root.
struct Exchange {
  com::ComInit com;
  HttpHandle root, connection, request;
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

  const std::wstring wideAddress = Wide(address);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (wideAddress.empty() || !WinHttpCrackUrl(wideAddress.c_str(), 0, 0, &parts)) return fail(kWinHttpBadAddress);
  const std::wstring host = parts.lpszHostName ? std::wstring(parts.lpszHostName, parts.dwHostNameLength) : L"";
  std::wstring object;
  if (parts.lpszUrlPath && parts.dwUrlPathLength >= 1) object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  else object = L"/";
  if (parts.lpszExtraInfo) object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

  if (options.proxy.empty()) {
    x.root = HttpHandle(WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0));
  } else {
    // Windows reads "http=host:port" as a proxy for plain HTTP only and a bare "host:port" as
    // one for every scheme. The session makes a single request whose scheme is known, so both
    // mean the same there; Wine's WinHttp reads only the bare form, so that one is passed.
    const std::wstring proxyName = Wide(options.proxy);
    x.root = HttpHandle(
        WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxyName.c_str(), WINHTTP_NO_PROXY_BYPASS, 0));
  }
  if (!x.root) return fail(kWinHttpSessionFailed);

  x.connection = HttpHandle(WinHttpConnect(x.root.get(), host.c_str(), parts.nPort, 0));
  if (!x.connection) return fail(kWinHttpConnectFailed);

  static constexpr const wchar_t* kVerbs[] = {L"GET", L"POST", L"HEAD", L"PUT"};
  const bool knownMethod = options.method >= 0 && options.method <= 3;
  const wchar_t* verb = knownMethod ? kVerbs[options.method] : L"GET";
  const int timeout = options.timeoutSeconds > 0 ? options.timeoutSeconds * 1000 : 30000;
  const std::wstring headerText = Wide(WinHttpRequestHeaders(options.headers, options.cookies ? *options.cookies : ""));

  // Opens the request, sets it up, sends it and waits for the reply headers: the message of
  // the step that failed, or nullptr.
  auto openAndSend = [&](bool forbidRedirects) -> const char* {
    x.request = HttpHandle(WinHttpOpenRequest(x.connection.get(), verb, object.c_str(), nullptr, WINHTTP_NO_REFERER,
                                              WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0));
    if (!x.request) return kWinHttpRequestFailed;
    HINTERNET request = x.request.get();

    if (!WinHttpSetTimeouts(request, timeout, timeout, timeout, timeout)) return kWinHttpTimeoutFailed;
    // Windows bounds the wait for the reply headers by the receive time-out as well; Wine
    // waits for them with this separate limit only (unlimited by default): set it to match.
    SetDwordOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, static_cast<DWORD>(timeout));

    if (!options.userName.empty() && !options.password.empty() &&
        !WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC,
                               Wide(options.userName).c_str(), Wide(options.password).c_str(), nullptr)) {
      return kWinHttpCredentialsFailed;
    }
    if (!options.proxyUser.empty() && !options.proxyPassword.empty() &&
        !WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_PROXY, WINHTTP_AUTH_SCHEME_BASIC,
                               Wide(options.proxyUser).c_str(), Wide(options.proxyPassword).c_str(), nullptr)) {
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

    if (!WinHttpAddRequestHeaders(request, headerText.c_str(), static_cast<DWORD>(headerText.size()),
                                  WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE)) {
      return kWinHttpHeadersFailed;
    }
    const std::string& data = options.postText;
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            data.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(data.data()),
                            static_cast<DWORD>(data.size()), static_cast<DWORD>(data.size()), 0)) {
      return kWinHttpSendFailed;
    }
    if (!WinHttpReceiveResponse(request, nullptr)) return kWinHttpNoResponse;
    return nullptr;
  };

  const char* message = openAndSend(options.noRedirect);
  // Windows' default redirect policy does not follow a redirect from HTTPS down to plain HTTP
  // and hands back the 3xx reply itself. Wine fails the exchange with
  // ERROR_WINHTTP_REDIRECT_FAILED and keeps no reply. For a GET or HEAD the request is then
  // sent once more with redirects forbidden, which gives the 3xx reply Windows hands back (the
  // first one of a chain); a POST or PUT is not sent twice.
  if (message == kWinHttpNoResponse && GetLastError() == ERROR_WINHTTP_REDIRECT_FAILED && !options.noRedirect &&
      (!knownMethod || options.method == 0 || options.method == 2)) {
    message = openAndSend(true);
  }
  if (message) return fail(message);
  HINTERNET request = x.request.get();

  ByteArray body;
  ReserveFor(body, DeclaredLength(request));
  bool readFailed = false;
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
      readFailed = true;
      break;
    }
    body.resize(at + read);
  }
  // A body cut short by the server: Windows fails the read, Wine ends it quietly, so the
  // bytes read are also held against the declared length.
  if (!readFailed && options.method != 2 && body.size() < DeclaredLength(request)) readFailed = true;
  // A broken body is reported as such, and the message stays: the reply's status text in its
  // place would pass the partial body off as complete.
  if (readFailed && options.status) *options.status = kWinHttpReadFailed;

  std::string rawHeaders;
  if (!QueryRawHeaders(request, rawHeaders)) return std::string();
  rawHeaders = NormalizeSetCookie(rawHeaders);
  if (options.replyHeaders) *options.replyHeaders = rawHeaders;
  if (options.status && !readFailed) {
    // The status code and reason that follow the protocol version ("HTTP/1.1 ").
    const int end = Find(rawHeaders, "\r\n", 10);
    *options.status = rawHeaders.size() < 10 ? std::string()
                      : end == -1        ? rawHeaders.substr(9)
                                         : rawHeaders.substr(9, end - 10);
  }
  std::string location;
  bool sawLocation = false;
  for (const std::string& line : Split(rawHeaders, "\r\n")) {
    if (line.size() >= 10 && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.data(), 10, "Location: ", 10) ==
                                 CSTR_EQUAL) {
      location = line.substr(10);
      sawLocation = true;
    }
  }
  if (options.location && sawLocation) *options.location = location;
  std::string cookies = ReplyCookies(rawHeaders);
  if (options.cookies) MergeCookies(*options.cookies, cookies);
  if (options.replyCookies) *options.replyCookies = cookies;

  std::string text = TextUpToZero(body);
  const std::string charset = DeclaredCharset(text.substr(0, 1024));
  if (!charset.empty() && charset != "gbk" && charset != "gb2312") ConvertToGbk(body, charset, text);
  if (options.body) *options.body = std::move(body);
  return text;
}

}  // namespace tunelark
