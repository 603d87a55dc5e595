// Any bytes opened as a zip package end in the VBA project part's bytes, no part, or a
// FormatError; the part is read with a cap, as the document reader reads it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/office/format_error.h"
#include "host/office/ooxml_package.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    tovalin::ZipArchive package = tovalin::ZipArchive::Open(
        std::make_shared<const std::vector<uint8_t>>(data, data + size), "fuzz.zip");
    if (std::optional<std::string> part = tovalin::FindVbaProjectPart(package)) {
      package.Read(*package.Find(*part), 64 << 20);
    }
  } catch (const tovalin::FormatError&) {
  }
  return 0;
}
