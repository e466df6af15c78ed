// The COM and automation functions the program calls, loaded with ole32.dll and
// oleaut32.dll on first use (see base/lazy_import.h). Include after <objbase.h>/<oleauto.h>.
#pragma once
#include <objbase.h>
#include <oleauto.h>

#include "base/lazy_import.h"

TL_LAZY_IMPORT(ole, "ole32.dll", CoInitialize)
TL_LAZY_IMPORT(ole, "ole32.dll", CoUninitialize)
TL_LAZY_IMPORT(ole, "ole32.dll", CoCreateInstance)
TL_LAZY_IMPORT(ole, "ole32.dll", CLSIDFromProgID)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysAllocString)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysAllocStringLen)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysFreeString)
TL_LAZY_IMPORT(ole, "oleaut32.dll", SysStringLen)
TL_LAZY_IMPORT(ole, "oleaut32.dll", VariantInit)
TL_LAZY_IMPORT(ole, "oleaut32.dll", VariantClear)
TL_LAZY_IMPORT(ole, "oleaut32.dll", VariantCopy)
TL_LAZY_IMPORT(ole, "oleaut32.dll", VariantChangeTypeEx)
