// The COM and automation functions the program calls, loaded with ole32.dll and
// oleaut32.dll on first use (see base/lazy_import.h). A missing one fails its call: HRESULT
// functions give kMissingComFunction, the others their zero.
#pragma once
#include <objbase.h>
#include <oleauto.h>

#include "base/lazy_import.h"

inline constexpr HRESULT kMissingComFunction = HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

TL_LAZY_IMPORT_OR(ole, "ole32.dll", CoInitialize, kMissingComFunction)
TL_LAZY_IMPORT(ole, "ole32.dll", CoUninitialize)
TL_LAZY_IMPORT_OR(ole, "ole32.dll", CoCreateInstance, kMissingComFunction)
TL_LAZY_IMPORT_OR(ole, "ole32.dll", CLSIDFromProgID, kMissingComFunction)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysAllocStringLen)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysFreeString)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysStringLen)
TL_LAZY_IMPORT(ole, "oleaut32.dll", VariantInit)
TL_LAZY_IMPORT_OR(ole, "oleaut32.dll", VariantClear, kMissingComFunction)
TL_LAZY_IMPORT_OR(ole, "oleaut32.dll", VariantCopy, kMissingComFunction)
TL_LAZY_IMPORT_OR(ole, "oleaut32.dll", VariantChangeTypeEx, kMissingComFunction)
