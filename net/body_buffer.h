// Room for a reply body of a declared length, taken up front so the read loop does not copy
// the body over and over as it grows. The declared length comes from the server: it is only
// a hint, capped, and a failure to get the room is no failure of the exchange.
#pragma once
#include <cstddef>
#include <new>

#include "base/byte_array.h"

namespace tunelark {

inline void ReserveFor(ByteArray& body, size_t declaredLength) {
  constexpr size_t kMostReserved = 128u * 1024 * 1024;
  try {
    body.reserve(declaredLength < kMostReserved ? declaredLength : kMostReserved);
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace tunelark
