#include "host/memory/component_name.h"

#include <cstdint>

#include "host/memory/message_text.h"

namespace tovalin {

std::optional<std::string> ComponentNameFault(std::string_view name) {
  if (name.empty()) return "a component name cannot be empty";
  int32_t length = 0;
  for (size_t i = 0; i < name.size();) {
    const char32_t c = DecodeUtf8(name, i);
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool other = (c >= '0' && c <= '9') || c == '_';
    // Non-ASCII characters are letters here, except the C1 control characters.
    const bool non_ascii = c >= 0xA0 && c != kInvalidUtf8;
    if (length == 0 && !letter && !non_ascii) return "a component name must start with a letter";
    if (!letter && !other && !non_ascii) {
      return "a component name may hold only letters, digits and \"_\"";
    }
    ++length;
  }
  if (length > kMaxComponentNameLength) return "a component name has at most 31 characters";
  return std::nullopt;
}

}  // namespace tovalin
