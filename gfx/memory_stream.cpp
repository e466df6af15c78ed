#include "gfx/memory_stream.h"

#include <cstring>
#include <utility>

namespace tunelark {

MemoryStream::MemoryStream(MemoryStream&& other) noexcept
    : memory_(std::exchange(other.memory_, nullptr)), stream_(std::exchange(other.stream_, nullptr)) {}

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
  if (this != &other) {
    Close();
    memory_ = std::exchange(other.memory_, nullptr);
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

IStream* MemoryStream::Open(const ByteArray& bytes) { return Open(bytes.data(), bytes.size()); }

IStream* MemoryStream::Open(const void* data, size_t size) {
  Close();
  if (size > 0 && !data) return nullptr;
  HGLOBAL memory = nullptr;
  if (size > 0) {
    memory = GlobalAlloc(GHND, size);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
      GlobalFree(memory);
      return nullptr;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
  }
  // The stream does not free the block on release: Close frees it after the stream is gone.
  // With no block the stream makes its own, growable one, which this object then owns.
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, FALSE, &stream)) || !stream) {
    if (memory) GlobalFree(memory);
    return nullptr;
  }
  if (!memory && FAILED(GetHGlobalFromStream(stream, &memory))) {
    stream->Release();
    return nullptr;
  }
  memory_ = memory;
  stream_ = stream;
  return stream_;
}

void MemoryStream::Close() {
  if (!stream_) return;
  // A growing stream may have moved its block; free the one it holds now.
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream_, &memory)) || !memory) memory = memory_;
  stream_->Release();
  stream_ = nullptr;
  if (memory) GlobalFree(memory);
  memory_ = nullptr;
}

size_t MemoryStream::Size() const {
  HGLOBAL memory = MemoryHandle();
  return memory ? GlobalSize(memory) : 0;
}

HGLOBAL MemoryStream::MemoryHandle() const {
  if (!stream_) return nullptr;
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream_, &memory))) return nullptr;
  return memory;
}

ByteArray MemoryStream::ReadBytes() const {
  HGLOBAL memory = MemoryHandle();
  if (!memory) return {};
  size_t size = GlobalSize(memory);
  STATSTG stat{};
  if (SUCCEEDED(stream_->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < size)
    size = static_cast<size_t>(stat.cbSize.QuadPart);
  if (size == 0) return {};
  const void* data = GlobalLock(memory);
  if (!data) return {};
  const auto* bytes = static_cast<const unsigned char*>(data);
  ByteArray copy(bytes, bytes + size);
  GlobalUnlock(memory);
  return copy;
}

}  // namespace tunelark
