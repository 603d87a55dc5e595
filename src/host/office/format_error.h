// The error of a document reader: what was malformed, and where (the stream or part and the
// byte offset in it).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tovalin {

class FormatError : public std::runtime_error {
 public:
  FormatError(const std::string& what, const std::string& where, uint64_t offset)
      : std::runtime_error(where + " at offset " + std::to_string(offset) + ": " + what),
        where_(where),
        offset_(offset) {}

  const std::string& where() const { return where_; }
  uint64_t offset() const { return offset_; }

 private:
  std::string where_;
  uint64_t offset_;
};

}  // namespace tovalin
