// Calls into system DLLs that are loaded on first use instead of at program start. Every
// DLL a program imports is loaded before its first line runs; under Wine each costs
// milliseconds, and the HTTP and COM ones are not needed until the user searches.
//
//   TL_LAZY_IMPORT(lazy, "wininet.dll", InternetOpenA)  defines lazy::InternetOpenA(...),
//   which forwards to the DLL's function, resolved once (thread-safe). Call it qualified
//   (lazy::Name) so the platform's own declaration is never chosen. The DLL stays loaded.
//
// When the DLL or the function is missing, the call does nothing, sets the last error to
// ERROR_PROC_NOT_FOUND and returns the function's failure result: zero (FALSE, a null
// handle or pointer, 0) for TL_LAZY_IMPORT, the given value for TL_LAZY_IMPORT_OR (for
// HRESULTs, whose zero means success), nothing for functions without a result.
#pragma once
#include <windows.h>

#include <type_traits>

namespace tunelark {

// The function `name` of the system DLL `dll`; null when the DLL or the function is missing.
template <typename Fn>
Fn ResolveImport(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The failure result of TL_LAZY_IMPORT: the result type's zero.
struct ZeroResult {};

// Calls proc, or gives `failure` when it is missing.
template <typename Fn, typename Failure, typename... Args>
auto CallImport(Fn proc, Failure failure, Args... args) {
  using Result = decltype(proc(args...));
  if (proc) return proc(args...);
  SetLastError(ERROR_PROC_NOT_FOUND);
  if constexpr (std::is_void_v<Result>) {
    return;
  } else if constexpr (std::is_same_v<Failure, ZeroResult>) {
    return Result{};
  } else {
    return static_cast<Result>(failure);
  }
}

}  // namespace tunelark

#define TL_LAZY_IMPORT_OR(ns, dll, name, failure)                                      \
  namespace ns {                                                                       \
  template <typename... Args>                                                          \
  inline auto name(Args... args) {                                                     \
    static const auto proc = ::tunelark::ResolveImport<decltype(&::name)>(dll, #name); \
    return ::tunelark::CallImport(proc, failure, args...);                             \
  }                                                                                    \
  }

#define TL_LAZY_IMPORT(ns, dll, name) TL_LAZY_IMPORT_OR(ns, dll, name, ::tunelark::ZeroResult{})
