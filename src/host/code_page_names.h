// The iconv names of Windows code pages, shared by the layers that read and write text in them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovalin {

// The iconv names to try for a Windows code page, most specific first. Callers that cannot use
// some code pages (a stream encoder and UTF-16, say) reject them before asking.
std::vector<std::string> IconvNamesForCodePage(uint32_t code_page);

}  // namespace tovalin
