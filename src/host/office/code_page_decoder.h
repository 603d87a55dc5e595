// Decodes text stored in a Windows code page (the project's PROJECTCODEPAGE: 1252, 1251, 932,
// 936, 949, 950, 65001, ...) to UTF-8 through iconv. Bytes the code page cannot decode become
// U+FFFD, one for each byte skipped, so that damaged text still reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tovalin {

class CodePageDecoder {
 public:
  // A decoder for `code_page`. When iconv has no converter for it, the decoder passes ASCII
  // through and turns every other byte into U+FFFD; supported() then says false.
  explicit CodePageDecoder(uint32_t code_page);
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  uint32_t code_page() const { return code_page_; }
  bool supported() const { return supported_; }

  // Appends the UTF-8 form of `bytes` to `out`.
  void DecodeTo(std::string_view bytes, std::string& out);
  std::string Decode(std::string_view bytes) {
    std::string out;
    DecodeTo(bytes, out);
    return out;
  }
  std::string Decode(std::span<const uint8_t> bytes) {
    return Decode(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

 private:
  // The UTF-8 form of one byte 0x80-0xFF of a single-byte code page (U+FFFD when undefined).
  struct TableEntry {
    char bytes[3];
    uint8_t length;
  };

  void IconvTo(std::string_view bytes, std::string& out);
  bool BuildTable();

  uint32_t code_page_;
  void* cd_ = nullptr;  // iconv_t; null when unsupported
  bool supported_ = false;
  // True when the code page maps bytes 0x00-0x7F to ASCII, so that runs of them are copied as
  // they are.
  bool ascii_compatible_ = false;
  // True when every byte below 0x40 stands for itself and never continues a character (the
  // double-byte code pages of East Asia, UTF-8): text can be cut there and converted in pieces.
  bool cuts_below_0x40_ = false;
  bool single_byte_ = false;  // then table_ decodes bytes 0x80-0xFF without iconv
  TableEntry table_[128] = {};
};

// UTF-16LE to UTF-8. An unpaired surrogate and an odd last byte become U+FFFD.
std::string DecodeUtf16Le(std::span<const uint8_t> bytes);

}  // namespace tovalin
