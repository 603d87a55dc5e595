// The value texts of property lines.
#include <cmath>
#include <cstdio>

#include "engine/export_class.h"
#include "host/host_error.h"
#include "host/variant.h"

namespace tovalin {

std::string ExportClass::FormatBoolean(bool value) { return value ? "-1" : "0"; }

std::string ExportClass::FormatColor(int32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(static_cast<uint32_t>(value)));
  return std::string("&H") + digits + "&";
}

std::string ExportClass::QuoteString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  quoted += '"';
  return quoted;
}

std::string TwipsText(float points) {
  const float twips = points * 20.0f;  // rounded to a Single, as the runtime's product is
  if (!std::isfinite(twips)) throw HostError(kErrOverflow);
  return FormatSingle(twips);
}

}  // namespace tovalin
