// The VBA project of a PowerPoint 97-2003 presentation: reached from the VBA info atom of the
// document container through the persist directory, stored (usually zlib-compressed) as a
// compound file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "host/office/compound_file.h"

namespace tovalin {

// The bytes of the compound file holding the VBA project, or nullopt when the presentation has
// none. Throws FormatError when the records on the way are damaged.
std::optional<std::vector<uint8_t>> ExtractPowerPointVbaProject(const CompoundFile& presentation);

// The same from the bytes of the presentation's two streams, "Current User" and
// "PowerPoint Document".
std::optional<std::vector<uint8_t>> ExtractPowerPointVbaProject(
    std::span<const uint8_t> current_user, std::span<const uint8_t> document);

}  // namespace tovalin
