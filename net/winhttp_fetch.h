// WinHttpFetch: one complete HTTP exchange through WinHttp. Beyond WinInetFetch it offers
// server and proxy credentials, a time-out, the PUT method, numbered status messages
// ("700 ..." to "713 ..."), the reply's status text and location, and the body converted to
// code page 936 text from the character set its page declares in a meta tag. Texts are code
// page 936 byte strings (converted to UTF-16 for every WinHttp call and back).
// Reentrant; starts and ends COM on the calling thread, so any thread may call it.
#pragma once
#include <string>

#include "base/byte_array.h"
#include "net/http_method.h"

namespace tunelark {

struct WinHttpOptions {
  HttpMethod method = HttpMethod::kGet;  // other values -> GET
  std::string postText;                  // sent for every method, as its bytes
  std::string* cookies = nullptr;        // in/out: reply cookies merged in
  std::string* replyCookies = nullptr;   // out
  std::string headers;                   // extra header lines separated by CRLF
  std::string* replyHeaders = nullptr;   // out: raw reply headers
  bool noRedirect = false;
  std::string userName, password, proxy, proxyUser, proxyPassword;
  int timeoutSeconds = 0;           // each phase; <=0 -> 30 s
  std::string* location = nullptr;  // out: value of the reply's location line
  std::string* status = nullptr;    // out: "302 Found", or a numbered message
  ByteArray* body = nullptr;        // out: the body bytes
};

// Status messages written into WinHttpOptions::status when a step fails.
inline constexpr const char* kWinHttpUnsupported = "700 当前系统不支持WinHttp服务!";
inline constexpr const char* kWinHttpBadAddress = "701 解析URL地址失败!";
inline constexpr const char* kWinHttpSessionFailed = "702 创建WinHttp会话失败!";
inline constexpr const char* kWinHttpConnectFailed = "703 创建WinHttp连接失败!";
inline constexpr const char* kWinHttpRequestFailed = "704 创建WinHttp请求失败!";
inline constexpr const char* kWinHttpTimeoutFailed = "705 设置超时时间失败!";
inline constexpr const char* kWinHttpCredentialsFailed = "707 设置代理凭证失败!";
inline constexpr const char* kWinHttpCookieOptionFailed = "708 禁止自动设置Cookies失败!";
inline constexpr const char* kWinHttpRedirectOptionFailed = "709 重定向设置失败!";
inline constexpr const char* kWinHttpHeadersFailed = "710 设置协议头失败!";
inline constexpr const char* kWinHttpSendFailed = "711 发送请求失败!";
inline constexpr const char* kWinHttpNoResponse = "712 服务器未响应!";
inline constexpr const char* kWinHttpReadFailed = "713 读取数据失败!";

// The body as text (converted from its declared character set); empty on failure.
std::string WinHttpFetch(const std::string& address, const WinHttpOptions& options = {});

// The request header text sent for the caller's header lines and cookies.
std::string WinHttpRequestHeaders(const std::string& headers, const std::string& cookies);

}  // namespace tunelark
