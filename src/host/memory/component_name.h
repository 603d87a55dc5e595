// The rule for component names: a VBA identifier. Names become file names, so the rule also
// keeps path separators, dots and control characters out of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovalin {

inline constexpr int kMaxComponentNameLength = 31;

// What the name lacks to be an identifier (a letter, then letters, digits or "_", at most 31
// characters; non-ASCII characters count as letters), or nullopt when it is one.
std::optional<std::string> ComponentNameFault(std::string_view name);

}  // namespace tovalin
