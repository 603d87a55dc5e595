// UTF-8 encoding shared by the document readers.
#pragma once

#include <cstdint>
#include <string>

namespace tovalin {

// Appends the UTF-8 form of `code_point` (at most U+10FFFF) to `out`.
void AppendUtf8(std::string& out, uint32_t code_point);

}  // namespace tovalin
