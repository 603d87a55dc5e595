// Writes compound files ([MS-CFB]) for tests: a tree of storages and streams laid out in a
// known order, so that tests can find and damage any header field, FAT or mini FAT entry,
// directory entry or stream sector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tovalin::testing {

// Writes `value` little-endian in `width` bytes at `offset`, over what is there.
inline void PutLe(std::vector<uint8_t>& bytes, size_t offset, uint64_t value, int width = 4) {
  for (int i = 0; i < width; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Streams under 4096 bytes go to the mini stream. Sector layout: FAT, DIFAT, `free_sectors`
// unused ones, directory, mini FAT, mini stream, then the other streams in the order they were
// added, so the last stream ends the file. Children are linked as balanced trees in the order
// of their names.
class CfbWriter {
 public:
  using Id = uint32_t;  // a directory entry, in the order added; the root is 0
  static constexpr Id kRoot = 0;
  static constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
  static constexpr uint32_t kFreeSector = 0xFFFFFFFF;

  // `major` 3 writes 512-byte sectors, 4 writes 4096-byte ones.
  explicit CfbWriter(uint16_t major = 3, uint32_t free_sectors = 0);

  Id AddStream(Id parent, std::u16string name, std::vector<uint8_t> data = {});
  Id AddStorage(Id parent, std::u16string name);
  std::vector<uint8_t> Build();

  // Where things are in what Build wrote.
  size_t SectorOffset(uint32_t sector) const { return (sector + size_t{1}) * size_; }
  size_t EntryOffset(Id id) const {
    return SectorOffset(directory_ + id / (size_ / 128)) + id % (size_ / 128) * 128;
  }
  size_t FatOffset(uint32_t sector) const {
    return SectorOffset(sector / (size_ / 4)) + sector % (size_ / 4) * 4;
  }
  size_t MiniFatOffset(uint32_t mini) const {
    return SectorOffset(mini_fat_ + mini / (size_ / 4)) + mini % (size_ / 4) * 4;
  }
  // The first sector (mini sector for a small stream) of an entry; the root's is the mini
  // stream's.
  uint32_t Start(Id id) const { return entries_[id].start; }
  uint32_t fat_sectors() const { return fat_sectors_; }
  uint32_t directory() const { return directory_; }

 private:
  static constexpr uint32_t kNoEntry = 0xFFFFFFFF;
  struct Entry {
    std::u16string name;
    uint8_t type;
    Id parent;
    std::vector<uint8_t> data;
    uint32_t left = kNoEntry, right = kNoEntry, child = kNoEntry, start = kEndOfChain;
  };
  Id Add(Id parent, std::u16string name, uint8_t type, std::vector<uint8_t> data);
  // Links the sorted `ids` as a balanced tree; returns its root.
  uint32_t Tree(const std::vector<Id>& ids, size_t begin, size_t end);

  uint16_t major_;
  uint32_t size_, free_;
  std::vector<Entry> entries_;
  uint32_t directory_ = 0, mini_fat_ = 0, fat_sectors_ = 0;
};

}  // namespace tovalin::testing
