// Reads a whole input file into memory, refusing files larger than a limit before reading them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tovalin {

using FileBytes = std::shared_ptr<const std::vector<uint8_t>>;

// Throws DocumentError naming the file: kUnreadable when it cannot be read, kNotADocument when it
// is larger than `max_size`.
FileBytes ReadInputFile(const std::string& path, uint64_t max_size);

}  // namespace tovalin
