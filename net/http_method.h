// The request methods of the two request routines, and the user agent WinINet requests
// send unless the caller names another.
#pragma once

namespace tunelark {

// Values outside the list are sent as GET. WinINet sends PUT as GET as well.
enum class HttpMethod : int { kGet = 0, kPost = 1, kHead = 2, kPut = 3 };

inline constexpr char kWinInetUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

}  // namespace tunelark
