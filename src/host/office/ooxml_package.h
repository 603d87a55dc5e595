// Zip packages (Office Open XML documents): the archive's directory, its members, and the part
// that holds the VBA project, found through the package's content types and relationships.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovalin {

class ZipArchive {
 public:
  struct Member {
    std::string name;
    uint64_t compressed_size;
    uint64_t uncompressed_size;
    uint16_t method;  // 0 stored, 8 deflated
    uint64_t local_header_offset;
  };

  // True when the bytes start with a zip local file header signature.
  static bool HasSignature(std::span<const uint8_t> bytes);
  // Reads the central directory; throws FormatError.
  static ZipArchive Open(std::shared_ptr<const std::vector<uint8_t>> bytes, std::string name);

  const std::vector<Member>& members() const { return members_; }
  // The member of that name, compared without regard to ASCII case as part names are.
  std::optional<size_t> Find(std::string_view name) const;
  // The member's bytes, inflated and checked against its stored size and CRC; throws
  // FormatError, also when the member is larger than `max_size`.
  std::vector<uint8_t> Read(size_t index, uint64_t max_size) const;
  const std::string& name() const { return name_; }

 private:
  // What Read() checks that callers have no use for: the stored CRC-32 and the general purpose
  // flags (bit 0: encrypted), one per member.
  struct Check {
    uint32_t crc32;
    uint16_t flags;
  };

  ZipArchive() = default;
  [[noreturn]] void Fail(uint64_t offset, const std::string& what) const;

  std::shared_ptr<const std::vector<uint8_t>> bytes_;
  std::string name_;
  std::vector<Member> members_;
  std::vector<Check> checks_;
};

// The member name of the VBA project part ("xl/vbaProject.bin"), found through the content types
// and the relationships of the package's main part; nullopt when the package holds none.
// Throws FormatError when those parts are damaged.
std::optional<std::string> FindVbaProjectPart(const ZipArchive& package);

}  // namespace tovalin
