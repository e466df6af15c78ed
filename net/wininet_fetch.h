// WinInetFetch: one complete HTTP exchange through WinINet (ANSI functions). Opens a root
// handle, a connection and a request, completes the caller's header lines with defaults,
// sends, reads the whole body, collects the raw reply headers and the cookies the reply
// sets, closes everything and returns the body. Texts are code page 936 byte strings.
// Reentrant: every call has its own handles; download threads may call it beside the UI.
#pragma once
#include <string>

#include "base/byte_array.h"

namespace tunelark {

struct WinInetOptions {
  int method = 0;                      // 0 GET, 1 POST, 2 HEAD, other -> GET
  std::string postText;                // body for POST and HEAD when postBytes is empty
  std::string* cookies = nullptr;      // in/out; nullptr = not given
  std::string* replyCookies = nullptr; // out
  std::string* headers = nullptr;      // in/out (defaults appended); nullptr = not given (empty)
  std::string* replyHeaders = nullptr; // out
  bool noRedirect = false;
  ByteArray postBytes;
  std::string proxy;                   // host:port of an HTTP proxy; empty = direct
};

// The body bytes; empty when the root handle, the connection or the request cannot be opened
// (the outputs are then left untouched).
ByteArray WinInetFetch(const std::string& address, const WinInetOptions& options = {});

// The user agent sent for the given caller header text.
std::string WinInetUserAgent(const std::string& headers);

}  // namespace tunelark
