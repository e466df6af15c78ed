// The WinINet functions the program calls, loaded with wininet.dll on first use (see
// base/lazy_import.h), and the owner of their handles. Include after <wininet.h>.
#pragma once
#include <windows.h>
#include <wininet.h>

#include "base/lazy_import.h"
#include "base/unique_handle.h"

TL_LAZY_IMPORT(inet, "wininet.dll", InternetOpenA)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetConnectA)
TL_LAZY_IMPORT(inet, "wininet.dll", HttpOpenRequestA)
TL_LAZY_IMPORT(inet, "wininet.dll", HttpSendRequestA)
TL_LAZY_IMPORT(inet, "wininet.dll", HttpQueryInfoA)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetReadFile)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetReadFileExA)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetQueryDataAvailable)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetCrackUrlA)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetSetOptionA)
TL_LAZY_IMPORT(inet, "wininet.dll", InternetCloseHandle)

namespace tunelark {

struct CloseInternetHandle {
  void operator()(HINTERNET handle) const { inet::InternetCloseHandle(handle); }
};
// A WinINet root, connection or request handle.
using InternetHandle = UniqueHandle<HINTERNET, CloseInternetHandle>;

}  // namespace tunelark
