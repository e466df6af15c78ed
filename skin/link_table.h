// The skin's links of each window it has taken ("Hw_lbID", "Hw_FuID", "Hw_hProc" and the
// transparent controls' "Kj_" three), kept in the process beside the window properties.
//
// The properties stay the record other code reads; this table is what the skin's own window
// procedures read on every message. Under Wine each GetPropA is a round trip to the server,
// and a list being filled passes hundreds of messages through the skin. Entries are written
// with the properties and dropped when the window's WM_NCDESTROY chains on; a lookup that
// misses falls back to the property.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tunelark::link_table {

// Whether `key` is one of the six link keys the table mirrors.
bool IsLinkKey(const char* key);
// The mirrored value of a link key; false when the table holds none for the window.
bool Lookup(HWND window, const char* key, intptr_t& value);
// The mirrored values of three link keys at once; bit k of the answer: keys[k] was found
// (values[k] is 0 where it was not).
unsigned Lookup3(HWND window, const char* const (&keys)[3], intptr_t (&values)[3]);
void Store(HWND window, const char* key, intptr_t value);
// Drops every link of the window (its handle may be given to a new window).
void Forget(HWND window);
// Number of windows with links (for tests).
size_t Size();

}  // namespace tunelark::link_table
