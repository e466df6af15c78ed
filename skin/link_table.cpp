#include "skin/link_table.h"

#include <array>
#include <cstring>
#include <unordered_map>

#include "skin/window_props.h"

namespace tunelark::link_table {

namespace {

constexpr std::array<const char*, 6> kKeys{prop::kListPosition,        prop::kInstance,
                                           prop::kPreviousProc,        prop::kTransparentPosition,
                                           prop::kTransparentInstance, prop::kTransparentProc};

struct Links {
  std::array<intptr_t, kKeys.size()> values{};
  unsigned present = 0;  // bit i: values[i] was stored
};

// Skinned windows may belong to more than one thread (each thread's own windows): the lock
// is a slim reader/writer lock, held only for the map access.
struct Table {
  SRWLOCK lock = SRWLOCK_INIT;
  std::unordered_map<HWND, Links> links;
};
Table& TheTable() {
  static Table table;
  return table;
}

int IndexOf(const char* key) {
  for (size_t i = 0; i < kKeys.size(); ++i)
    if (key == kKeys[i]) return static_cast<int>(i);
  for (size_t i = 0; i < kKeys.size(); ++i)
    if (std::strcmp(key, kKeys[i]) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace

bool IsLinkKey(const char* key) { return key && IndexOf(key) >= 0; }

bool Lookup(HWND window, const char* key, intptr_t& value) {
  const int i = key ? IndexOf(key) : -1;
  if (i < 0 || !window) return false;
  Table& t = TheTable();
  AcquireSRWLockShared(&t.lock);
  bool found = false;
  if (auto it = t.links.find(window); it != t.links.end() && (it->second.present & (1u << i))) {
    value = it->second.values[static_cast<size_t>(i)];
    found = true;
  }
  ReleaseSRWLockShared(&t.lock);
  return found;
}

unsigned Lookup3(HWND window, const char* const (&keys)[3], intptr_t (&values)[3]) {
  int index[3];
  for (int k = 0; k < 3; ++k) {
    index[k] = keys[k] ? IndexOf(keys[k]) : -1;
    values[k] = 0;
  }
  if (!window) return 0;
  Table& t = TheTable();
  AcquireSRWLockShared(&t.lock);
  unsigned found = 0;
  if (auto it = t.links.find(window); it != t.links.end()) {
    for (int k = 0; k < 3; ++k) {
      if (index[k] < 0 || !(it->second.present & (1u << index[k]))) continue;
      values[k] = it->second.values[static_cast<size_t>(index[k])];
      found |= 1u << k;
    }
  }
  ReleaseSRWLockShared(&t.lock);
  return found;
}

void Store(HWND window, const char* key, intptr_t value) {
  const int i = key ? IndexOf(key) : -1;
  if (i < 0 || !window) return;
  Table& t = TheTable();
  AcquireSRWLockExclusive(&t.lock);
  try {
    Links& links = t.links[window];
    links.values[static_cast<size_t>(i)] = value;
    links.present |= 1u << i;
  } catch (...) {
    // Out of memory: the property alone still holds the link.
  }
  ReleaseSRWLockExclusive(&t.lock);
}

void Forget(HWND window) {
  Table& t = TheTable();
  AcquireSRWLockExclusive(&t.lock);
  t.links.erase(window);
  ReleaseSRWLockExclusive(&t.lock);
}

size_t Size() {
  Table& t = TheTable();
  AcquireSRWLockShared(&t.lock);
  const size_t n = t.links.size();
  ReleaseSRWLockShared(&t.lock);
  return n;
}

}  // namespace tunelark::link_table

namespace tunelark {

intptr_t ReadProp(HWND window, const char* key) {
  intptr_t value = 0;
  if (link_table::Lookup(window, key, value)) return value;
  return reinterpret_cast<intptr_t>(GetPropA(window, key));
}

ControlLink ReadControlLink(HWND control, const LinkKeys& keys) {
  const char* const names[3] = {keys.instance, keys.position, keys.previousProc};
  intptr_t values[3];
  const unsigned found = link_table::Lookup3(control, names, values);
  for (int k = 0; k < 3; ++k)
    if (!(found & (1u << k))) values[k] = reinterpret_cast<intptr_t>(GetPropA(control, names[k]));
  return {static_cast<int>(values[0]), static_cast<int>(values[1]), reinterpret_cast<WNDPROC>(values[2])};
}

void WriteProp(HWND window, const char* key, intptr_t value) {
  SetPropA(window, key, reinterpret_cast<HANDLE>(value));
  link_table::Store(window, key, value);
}

}  // namespace tunelark
