// The WinINet functions the program calls, loaded with wininet.dll on first use
// (see base/lazy_import.h). Include after <wininet.h>.
#pragma once
#include <windows.h>
#include <wininet.h>

#include "base/lazy_import.h"

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

namespace inet {
// A plain function of the platform's own type, so it can serve as a handle owner's release.
inline BOOL WINAPI InternetCloseHandle(HINTERNET handle) {
  static const auto proc =
      ::tunelark::ResolveImport<decltype(&::InternetCloseHandle)>("wininet.dll", "InternetCloseHandle");
  return proc(handle);
}
}  // namespace inet
