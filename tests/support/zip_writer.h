// Writes zip archives (APPNOTE) for tests: stored or deflated members, optionally with zip64
// records, and with fields that can be set wrong on purpose.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovalin::testing {

struct ZipMember {
  std::string name;
  std::string data;
  uint16_t method = 0;  // 8 deflates the data; any other writes it unchanged
  uint16_t flags = 0;
  std::optional<uint32_t> crc = {};          // the real one when unset
  std::optional<uint32_t> stated_size = {};  // the real one when unset
};

// Local headers, central directory and end record, in that order. `zip64` adds the zip64 end
// records and moves the sizes and offsets into zip64 extra fields; `stated_count` replaces
// the member count of the end records.
std::vector<uint8_t> MakeZip(const std::vector<ZipMember>& members, bool zip64 = false,
                             std::optional<uint16_t> stated_count = {},
                             const std::string& comment = "");

}  // namespace tovalin::testing
