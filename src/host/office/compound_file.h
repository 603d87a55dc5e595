// A reader of compound files (the storage format of Office 97-2003 documents and of VBA project
// parts): header, FAT, DIFAT, mini FAT and mini stream, and the directory tree. The input is
// hostile: every chain is bounded and checked for loops, every size against the file, and no
// allocation exceeds what the file's size justifies. Failures throw FormatError naming the
// stream and the offset.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovalin {

class CompoundFile {
 public:
  using EntryId = uint32_t;
  enum class EntryType : uint8_t { kStorage = 1, kStream = 2, kRoot = 5 };
  struct Entry {
    std::string name;  // UTF-8, converted from the stored UTF-16 name
    EntryType type;
    uint64_t size;  // streams only
  };

  // True when the bytes start with the compound file signature.
  static bool HasSignature(std::span<const uint8_t> bytes);
  // Parses the file; `name` names it in errors.
  static CompoundFile Open(std::shared_ptr<const std::vector<uint8_t>> bytes, std::string name);

  EntryId root() const { return 0; }
  const Entry& entry(EntryId id) const;
  // The entries directly inside a storage, in the order of the directory's tree.
  std::vector<EntryId> Children(EntryId storage) const;
  // The child of `storage` with that name, compared as the format compares names (without
  // regard to letter case); nullopt when there is none.
  std::optional<EntryId> Find(EntryId storage, std::string_view name) const;
  // A path of names separated by "/" below `storage` ("VBA/dir").
  std::optional<EntryId> FindPath(EntryId storage, std::string_view path) const;
  // The whole stream. Throws FormatError when its chain is damaged.
  std::vector<uint8_t> ReadStream(EntryId stream) const;
  // "VBA/dir" for messages: the names from below the root to the entry.
  std::string PathOf(EntryId id) const;
  const std::string& name() const { return name_; }

 private:
  // A directory entry's tree links, and where the reader placed it: its parent storage and,
  // for a storage, the range of its children in `order_` (tree order) and `by_name_` (sorted
  // by the comparison key).
  struct Node {
    EntryId left = 0xFFFFFFFF;
    EntryId right = 0xFFFFFFFF;
    EntryId child = 0xFFFFFFFF;
    EntryId parent = 0xFFFFFFFF;  // none for the root and for entries outside the tree
    uint32_t start_sector = 0;
    uint32_t children_begin = 0;
    uint32_t children_count = 0;
    std::u16string key;  // the stored name with its letters uppercased
  };
  // How a chain's units are found: the allocation table (FAT or mini FAT), the unit size, and
  // whether the units are file sectors or mini sectors of the mini stream.
  struct ChainKind {
    const std::vector<uint32_t>* table;
    uint32_t unit_size;
    bool mini;
  };

  struct Header;

  CompoundFile() = default;
  Header ReadHeader();
  void ReadFat(const Header& header);
  void ReadDirectory(const Header& header);
  void ReadMiniStream(const Header& header);
  // The sectors of a chain whose length only its end marker gives (the directory, the mini
  // FAT); `link_offset` locates the start link in the file, for messages.
  std::vector<uint32_t> StructureChain(uint32_t start, uint64_t link_offset,
                                       const char* what) const;
  // The first `size` bytes of a chain of units.
  std::vector<uint8_t> ReadChain(const ChainKind& kind, uint32_t start, uint64_t size,
                                 const std::string& where) const;
  // Copies `count` bytes (at most a sector) of a sector that starts within the file, with
  // zeros where the file ends early.
  void CopySector(uint32_t sector, uint8_t* out, size_t count) const;
  uint64_t FatEntryOffset(uint32_t sector) const;
  uint64_t SectorOffset(uint32_t sector) const { return (uint64_t{sector} + 1) * sector_size_; }
  [[noreturn]] void Fail(uint64_t offset, const std::string& what) const;

  std::shared_ptr<const std::vector<uint8_t>> bytes_;
  std::string name_;
  std::vector<Entry> entries_;
  std::vector<Node> nodes_;            // tree links and parents, one per entry
  std::vector<EntryId> order_;         // every storage's children, storage after storage
  std::vector<EntryId> by_name_;       // the same ranges, each sorted by key
  std::vector<uint32_t> fat_;          // one entry per sector of the file
  std::vector<uint32_t> fat_sectors_;  // where the FAT's sectors are, in FAT order
  std::vector<uint32_t> mini_fat_;     // one entry per mini sector of the mini stream
  std::vector<uint8_t> mini_stream_;   // whole mini sectors, zero-padded
  uint32_t sector_size_ = 512;
  uint32_t sector_count_ = 0;  // sectors that start within the file and have a FAT entry
  uint32_t mini_stream_cutoff_ = 4096;
  bool version4_ = false;
};

}  // namespace tovalin
