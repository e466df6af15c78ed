// WinInetFetch: one complete HTTP exchange through WinINet (ANSI functions). Opens a root
// handle, a connection and a request, completes the caller's header lines with defaults,
// sends, reads the whole body, collects the raw reply headers and the cookies the reply
// sets, closes everything and returns the body. Texts are code page 936 byte strings.
// Reentrant: every call has its own handles; download threads may call it beside the UI.
#pragma once
#include <string>

#include "base/byte_array.h"
#include "net/http_method.h"

namespace tunelark {

struct WinInetOptions {
  HttpMethod method = HttpMethod::kGet;  // kPost, kHead; other values -> GET
  std::string postText;                  // body for POST and HEAD when postBytes is empty
  std::string* cookies = nullptr;        // in/out; nullptr = not given
  std::string* replyCookies = nullptr;   // out
  std::string* headers = nullptr;        // in/out (defaults appended); nullptr = not given (empty)
  std::string* replyHeaders = nullptr;   // out
  bool noRedirect = false;
  ByteArray postBytes;
  std::string proxy;        // host:port of an HTTP proxy; empty = direct
  size_t maxBodyBytes = 0;  // a longer body fails the exchange; 0 = no limit
};

// The body bytes. The strings the options point to are read and written. Empty, with the
// reply outputs untouched, when the address names no usable port, the root handle, the
// connection or the request cannot be opened, or the body is longer than maxBodyBytes.
ByteArray WinInetFetch(const std::string& address, WinInetOptions& options);
ByteArray WinInetFetch(const std::string& address);

// The user agent sent for the given caller header text.
std::string WinInetUserAgent(const std::string& headers);

}  // namespace tunelark
