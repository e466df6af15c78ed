// Lazily imported functions: a function the DLL lacks (or a DLL that is missing) fails its
// call with the function's failure result and ERROR_PROC_NOT_FOUND instead of calling null.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/lazy_import.h"

// Declarations only: no DLL exports these names.
extern "C" BOOL WINAPI TlNoSuchBoolFunction(int value);
extern "C" HRESULT WINAPI TlNoSuchComFunction(void* out);
extern "C" void WINAPI TlNoSuchVoidFunction(int value);
extern "C" HANDLE WINAPI TlNoSuchHandleFunction();

TL_LAZY_IMPORT(lacking, "kernel32.dll", TlNoSuchBoolFunction)
TL_LAZY_IMPORT_OR(lacking, "kernel32.dll", TlNoSuchComFunction, E_NOTIMPL)
TL_LAZY_IMPORT(lacking, "kernel32.dll", TlNoSuchVoidFunction)
TL_LAZY_IMPORT(lacking, "tl-no-such-library.dll", TlNoSuchHandleFunction)
TL_LAZY_IMPORT(present, "kernel32.dll", GetCurrentProcessId)

namespace {

TEST(LazyImport, AMissingFunctionFailsItsCallInsteadOfCallingNull) {
  SetLastError(0);
  EXPECT_EQ(lacking::TlNoSuchBoolFunction(1), FALSE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(lacking::TlNoSuchComFunction(nullptr), E_NOTIMPL);
  lacking::TlNoSuchVoidFunction(2);
  EXPECT_EQ(lacking::TlNoSuchHandleFunction(), nullptr) << "a missing DLL fails the same way";
  EXPECT_EQ(present::GetCurrentProcessId(), GetCurrentProcessId());
}

}  // namespace
