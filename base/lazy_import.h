// Calls into system DLLs that are loaded on first use instead of at program start. Every
// DLL a program imports is loaded before its first line runs; under Wine each costs
// milliseconds, and the HTTP and COM ones are not needed until the user searches.
//
//   TL_LAZY_IMPORT(lazy, "wininet.dll", InternetOpenA)  defines lazy::InternetOpenA(...),
//   which forwards to the DLL's function, resolved once (thread-safe). Call it qualified
//   (lazy::Name) so the platform's own declaration is never chosen. The DLL stays loaded.
#pragma once
#include <windows.h>

namespace tunelark {

// The function `name` of the system DLL `dll`; null only if the platform lacks it.
template <typename Fn>
Fn ResolveImport(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace tunelark

#define TL_LAZY_IMPORT(ns, dll, name)                                                          \
  namespace ns {                                                                               \
  template <typename... Args>                                                                  \
  inline auto name(Args... args) {                                                             \
    static const auto proc = ::tunelark::ResolveImport<decltype(&::name)>(dll, #name);         \
    return proc(args...);                                                                      \
  }                                                                                            \
  }
