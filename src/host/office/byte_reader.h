// A bounds-checked little-endian reader over a byte span. Every read checks the remaining
// length first and throws FormatError naming the input and the offset when it ends too early.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "host/office/format_error.h"

namespace tovalin {

class ByteReader {
 public:
  ByteReader(std::span<const uint8_t> bytes, std::string where)
      : bytes_(bytes), where_(std::move(where)) {}

  size_t offset() const { return offset_; }
  size_t remaining() const { return bytes_.size() - offset_; }
  bool AtEnd() const { return offset_ == bytes_.size(); }
  const std::string& where() const { return where_; }

  uint8_t U8() { return static_cast<uint8_t>(Fixed<1>()); }
  uint16_t U16() { return static_cast<uint16_t>(Fixed<2>()); }
  uint32_t U32() { return static_cast<uint32_t>(Fixed<4>()); }
  uint64_t U64() { return Fixed<8>(); }

  std::span<const uint8_t> Bytes(size_t count) {
    Require(count);
    std::span<const uint8_t> part = bytes_.subspan(offset_, count);
    offset_ += count;
    return part;
  }
  std::string_view Chars(size_t count) {
    std::span<const uint8_t> part = Bytes(count);
    return {reinterpret_cast<const char*>(part.data()), part.size()};
  }
  void Skip(size_t count) { Bytes(count); }
  void Seek(size_t offset) {
    if (offset > bytes_.size()) Fail("offset beyond the end");
    offset_ = offset;
  }

  // Throws FormatError at the current offset.
  [[noreturn]] void Fail(const std::string& what) const {
    throw FormatError(what, where_, offset_);
  }
  void Require(size_t count) const {
    if (count > remaining()) {
      Fail("needs " + std::to_string(count) + " bytes, " + std::to_string(remaining()) + " left");
    }
  }

 private:
  template <size_t N>
  uint64_t Fixed() {
    Require(N);
    uint64_t value = 0;
    for (size_t i = 0; i < N; ++i) value |= uint64_t{bytes_[offset_ + i]} << (8 * i);
    offset_ += N;
    return value;
  }

  std::span<const uint8_t> bytes_;
  std::string where_;
  size_t offset_ = 0;
};

}  // namespace tovalin
