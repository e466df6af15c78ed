// MemoryStream: a COM stream (CreateStreamOnHGlobal) over a movable global memory block that
// this object owns. Opened from bytes it serves image loading; opened empty it collects what
// an image save writes, and reads back as bytes.
#pragma once
#include <objidl.h>
#include <windows.h>

#include <cstddef>

#include "base/byte_array.h"

namespace tunelark {

class MemoryStream {
 public:
  MemoryStream() = default;
  MemoryStream(MemoryStream&& other) noexcept;
  MemoryStream& operator=(MemoryStream&& other) noexcept;
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  ~MemoryStream() { Close(); }

  // Closes what was held, copies the bytes into a new movable block and makes a stream on it
  // (positioned at the start). An empty array gives an empty, growable stream. Returns the
  // stream (owned by this object) or null when the block or the stream cannot be made.
  IStream* Open(const ByteArray& bytes);
  IStream* Open(const void* data, size_t size);
  // Releases the stream, then frees the block. Nothing happens when nothing is open.
  void Close();

  IStream* stream() const { return stream_; }
  bool isOpen() const { return stream_ != nullptr; }
  // Size of the global block (GlobalSize); 0 when nothing is open.
  size_t Size() const;
  // The block under the stream (GetHGlobalFromStream); null when nothing is open.
  HGLOBAL MemoryHandle() const;
  // The stream's content as bytes (the stream's own length, which can be less than the
  // block's size after writes); empty when nothing is open.
  ByteArray ReadBytes() const;

 private:
  HGLOBAL memory_ = nullptr;
  IStream* stream_ = nullptr;
};

}  // namespace tunelark
