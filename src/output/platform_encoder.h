// The platform half of CodePageEncoder. code_page_encoder.cc checks the input: only well-formed
// UTF-8 reaches a platform encoder, and every byte that is not part of a well-formed sequence is
// written as "?" before it gets there. Each platform (iconv on POSIX, the code-page functions on
// Windows) implements CreatePlatformEncoder once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "output/code_page_encoder.h"

namespace tovalin {

// An encoder whose Encode requires well-formed UTF-8 and counts the characters the code page
// lacks, each written as one "?". nullptr when the platform cannot convert to the code page.
std::unique_ptr<CodePageEncoder> CreatePlatformEncoder(uint32_t code_page);

// The length of the well-formed UTF-8 sequence at the start of `s`, or 0 when it does not start
// with one (a stray continuation byte, an overlong form, a surrogate, a value past U+10FFFF or a
// sequence cut short). `s` must not be empty.
size_t Utf8SequenceLength(std::string_view s);

}  // namespace tovalin
