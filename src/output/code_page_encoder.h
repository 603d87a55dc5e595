// Converts UTF-8 text to the bytes of a Windows code page (1252, 1251, 932, ...). A character
// the code page cannot hold becomes "?", and is counted so that the caller can warn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tovalin {

class CodePageEncoder {
 public:
  // nullptr when the code page is not supported on this system.
  static std::unique_ptr<CodePageEncoder> Create(uint32_t code_page);
  virtual ~CodePageEncoder() = default;

  // Appends the encoded form of `utf8` to `out`; returns the number of characters replaced by
  // "?" (also every byte of `utf8` that is not valid UTF-8).
  virtual size_t Encode(std::string_view utf8, std::string& out) = 0;
};

bool IsSupportedCodePage(uint32_t code_page);

}  // namespace tovalin
