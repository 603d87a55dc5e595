#include "host/office/compound_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "host/office/byte_reader.h"
#include "host/office/format_error.h"
#include "host/office/utf.h"

namespace tovalin {
namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr size_t kHeaderSize = 512;
constexpr uint32_t kHeaderFatLocations = 109;
// Sector numbers above the last regular one are markers in the FAT and in links.
constexpr uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr uint32_t kEntrySize = 128;
constexpr uint32_t kMiniSectorShift = 6;
constexpr uint32_t kMiniSectorSize = 1u << kMiniSectorShift;
constexpr uint32_t kMiniStreamCutoff = 4096;
constexpr uint16_t kMaxNameBytes = 64;

// Field offsets in a directory entry.
constexpr size_t kEntryNameLength = 64;
constexpr size_t kEntryType = 66;
constexpr size_t kEntryLeft = 68;
constexpr size_t kEntryRight = 72;
constexpr size_t kEntryChild = 76;
constexpr size_t kEntryStart = 116;
constexpr size_t kEntrySizeField = 120;

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

std::string Hex(uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = value > 0xFFFF ? 28 : 12; shift >= 0; shift -= 4) {
    text += kDigits[(value >> shift) & 0xF];
  }
  return text;
}

// A link that is not one of the `count` units of its table, for messages.
std::string DescribeLink(uint32_t link, uint32_t count, const std::string& unit) {
  if (link == kEndOfChain) return "the end of the chain";
  if (link == kFreeSector) return "a free-sector marker";
  if (link > kLastRegularSector) return "the marker " + Hex(link);
  return unit + " " + std::to_string(link) + ", beyond the last of " + std::to_string(count);
}

// Why a chain cannot go on after `steps` units.
std::string ChainFault(uint32_t link, uint32_t count, bool mini, uint64_t steps) {
  const std::string unit = mini ? "mini sector" : "sector";
  return "the " + unit + " chain reaches " + DescribeLink(link, count, unit) + " after " +
         std::to_string(steps) + " " + unit + (steps == 1 ? "" : "s");
}

// The letters' simple uppercase, for the ranges names in Office documents use: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic. Other code units compare as they are.
char16_t Uppercase(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  if (c < 0x100) {
    if (c == 0xB5) return 0x39C;
    if (c == 0xFF) return 0x178;
    return c >= 0xE0 && c != 0xF7 ? static_cast<char16_t>(c - 0x20) : c;
  }
  if (c < 0x180) {
    if (c == 0x131) return u'I';
    if (c == 0x17F) return u'S';
    // Upper and lower case alternate: the upper letter is even below U+0138 and between
    // U+014A and U+0177, odd in U+0139..U+0148 and U+0179..U+017E.
    const bool even_upper = c < 0x138 || (c >= 0x14A && c < 0x178);
    const bool odd_upper = (c >= 0x139 && c < 0x149) || (c >= 0x179 && c < 0x17F);
    if ((even_upper && (c & 1)) || (odd_upper && !(c & 1))) return static_cast<char16_t>(c - 1);
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : static_cast<char16_t>(c - 0x20);
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return static_cast<char16_t>(c - 0x25);
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return static_cast<char16_t>(c - 0x3F);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  return c;
}

std::u16string UppercaseKey(std::u16string_view name) {
  std::u16string key(name);
  for (char16_t& c : key) c = Uppercase(c);
  return key;
}

// The order of names in a storage: shorter names first, then code unit by code unit.
bool KeyLess(const std::u16string& a, const std::u16string& b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const uint32_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
      ++i;
    } else {
      AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
  }
  return out;
}

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  size_t i = 0;
  while (i < text.size()) {
    const uint8_t lead = static_cast<uint8_t>(text[i]);
    const size_t length = lead < 0x80    ? 1
                          : lead >= 0xF0 ? 4
                          : lead >= 0xE0 ? 3
                          : lead >= 0xC0 ? 2
                                         : 0;
    uint32_t code_point = length == 1   ? lead
                          : length == 2 ? lead & 0x1Fu
                                        : lead & (0x7Fu >> length);
    bool valid = length != 0 && lead < 0xF5 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const uint8_t next = static_cast<uint8_t>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code_point = code_point << 6 | (next & 0x3Fu);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || code_point < kSmallest[length] || (code_point >= 0xD800 && code_point < 0xE000) ||
        code_point > 0x10FFFF) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (code_point >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code_point);
    }
    i += length;
  }
  return out;
}

}  // namespace

// The header fields that locate the structures read after it.
struct CompoundFile::Header {
  uint32_t fat_count;
  uint32_t directory_start;
  uint32_t mini_fat_start;
  uint32_t difat_start;
};

bool CompoundFile::HasSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= sizeof kSignature &&
         std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

CompoundFile CompoundFile::Open(std::shared_ptr<const std::vector<uint8_t>> bytes,
                                std::string name) {
  CompoundFile file;
  file.bytes_ = bytes ? std::move(bytes) : std::make_shared<const std::vector<uint8_t>>();
  file.name_ = std::move(name);
  const Header header = file.ReadHeader();
  file.ReadFat(header);
  file.ReadDirectory(header);
  file.ReadMiniStream(header);
  return file;
}

CompoundFile::Header CompoundFile::ReadHeader() {
  const std::vector<uint8_t>& data = *bytes_;
  if (data.size() < kHeaderSize) {
    Fail(0, "the file has " + std::to_string(data.size()) +
                " bytes, fewer than a compound file header's 512");
  }
  if (!HasSignature(data)) Fail(0, "no compound file signature");
  ByteReader reader(std::span<const uint8_t>(data).first(kHeaderSize), name_);
  reader.Seek(26);
  const uint16_t major = reader.U16();
  if (major != 3 && major != 4) {
    Fail(26, "major version " + std::to_string(major) + ", expected 3 or 4");
  }
  version4_ = major == 4;
  const uint16_t byte_order = reader.U16();
  if (byte_order != 0xFFFE) Fail(28, "byte order " + Hex(byte_order) + ", expected 0xFFFE");
  const uint16_t sector_shift = reader.U16();
  const uint16_t expected_shift = version4_ ? 12 : 9;
  if (sector_shift != expected_shift) {
    Fail(30, "sector shift " + std::to_string(sector_shift) + ", expected " +
                 std::to_string(expected_shift) + " in version " + std::to_string(major));
  }
  sector_size_ = 1u << sector_shift;
  const uint16_t mini_shift = reader.U16();
  if (mini_shift != kMiniSectorShift) {
    Fail(32, "mini sector shift " + std::to_string(mini_shift) + ", expected 6");
  }
  Header header;
  reader.Seek(44);
  header.fat_count = reader.U32();
  header.directory_start = reader.U32();
  reader.Skip(4);  // transaction signature
  mini_stream_cutoff_ = reader.U32();
  if (mini_stream_cutoff_ != kMiniStreamCutoff) {
    Fail(56, "mini stream cutoff " + std::to_string(mini_stream_cutoff_) + ", expected 4096");
  }
  header.mini_fat_start = reader.U32();
  reader.Skip(4);  // the count of mini FAT sectors: the chain decides
  header.difat_start = reader.U32();
  // The count of DIFAT sectors is not needed either: the count of FAT sectors bounds the chain.

  // A sector counts when it starts within the file; one cut short in its padding is read
  // zero-padded. In version 4 the header occupies a whole 4096-byte sector.
  const uint64_t started = (data.size() + sector_size_ - 1) / sector_size_;
  sector_count_ = static_cast<uint32_t>(std::min<uint64_t>(started - 1, kLastRegularSector + 1));
  return header;
}

void CompoundFile::ReadFat(const Header& header) {
  if (header.fat_count > sector_count_) {
    Fail(44, std::to_string(header.fat_count) + " FAT sectors in a file of " +
                 std::to_string(sector_count_) + " sectors");
  }
  fat_sectors_.reserve(header.fat_count);
  const auto add_location = [&](uint32_t location, uint64_t offset) {
    if (location >= sector_count_) {
      Fail(offset, "FAT sector " + std::to_string(fat_sectors_.size()) + " is at " +
                       DescribeLink(location, sector_count_, "sector"));
    }
    fat_sectors_.push_back(location);
  };
  const uint8_t* data = bytes_->data();
  const uint32_t in_header = std::min(header.fat_count, kHeaderFatLocations);
  for (uint32_t i = 0; i < in_header; ++i) add_location(Le32(data + 76 + 4 * i), 76 + 4 * i);

  // The other locations fill DIFAT sectors, each ending with the link to the next.
  const uint32_t per_difat = sector_size_ / 4 - 1;
  std::vector<uint8_t> sector(sector_size_);
  std::vector<bool> seen;
  uint32_t difat = header.difat_start;
  uint64_t link_offset = 68;
  while (fat_sectors_.size() < header.fat_count) {
    if (difat >= sector_count_) {
      Fail(link_offset, "the DIFAT chain reaches " + DescribeLink(difat, sector_count_, "sector") +
                            " with " + std::to_string(fat_sectors_.size()) + " of " +
                            std::to_string(header.fat_count) + " FAT sector locations");
    }
    if (seen.empty()) seen.resize(sector_count_);
    if (seen[difat]) {
      Fail(link_offset, "the DIFAT chain loops back to sector " + std::to_string(difat));
    }
    seen[difat] = true;
    CopySector(difat, sector.data(), sector_size_);
    for (uint32_t i = 0; i < per_difat && fat_sectors_.size() < header.fat_count; ++i) {
      add_location(Le32(sector.data() + 4 * i), SectorOffset(difat) + 4 * i);
    }
    link_offset = SectorOffset(difat) + 4 * per_difat;
    difat = Le32(sector.data() + 4 * per_difat);
  }

  // Entries for sectors past the end of the file are never needed; a sector without an entry
  // cannot be part of a chain.
  const uint32_t per_fat = sector_size_ / 4;
  fat_.resize(std::min<uint64_t>(uint64_t{header.fat_count} * per_fat, sector_count_));
  for (size_t k = 0; k * per_fat < fat_.size(); ++k) {
    CopySector(fat_sectors_[k], sector.data(), sector_size_);
    const size_t end = std::min<size_t>(fat_.size(), (k + 1) * per_fat);
    for (size_t i = k * per_fat; i < end; ++i) fat_[i] = Le32(sector.data() + 4 * (i % per_fat));
  }
  sector_count_ = static_cast<uint32_t>(fat_.size());
}

std::vector<uint32_t> CompoundFile::StructureChain(uint32_t start, uint64_t link_offset,
                                                   const char* what) const {
  std::vector<uint32_t> chain;
  std::vector<bool> seen(sector_count_);
  for (uint32_t link = start; link != kEndOfChain; link = fat_[link]) {
    if (link >= sector_count_) {
      Fail(link_offset,
           std::string(what) + ": " + ChainFault(link, sector_count_, false, chain.size()));
    }
    if (seen[link]) {
      Fail(link_offset, std::string(what) + ": the sector chain loops back to sector " +
                            std::to_string(link) + " after " + std::to_string(chain.size()) +
                            " sectors");
    }
    seen[link] = true;
    chain.push_back(link);
    link_offset = FatEntryOffset(link);
  }
  return chain;
}

void CompoundFile::ReadDirectory(const Header& header) {
  const std::vector<uint32_t> sectors = StructureChain(header.directory_start, 48, "the directory");
  if (sectors.empty()) Fail(48, "the directory is empty");
  const uint32_t per_sector = sector_size_ / kEntrySize;
  const size_t count = sectors.size() * per_sector;
  const auto entry_offset = [&](EntryId id) {
    return SectorOffset(sectors[id / per_sector]) + uint64_t{id % per_sector} * kEntrySize;
  };
  entries_.resize(count);
  nodes_.resize(count);
  std::vector<uint16_t> name_lengths(count);
  std::vector<uint8_t> sector(sector_size_);
  for (size_t k = 0; k < sectors.size(); ++k) {
    CopySector(sectors[k], sector.data(), sector_size_);
    for (uint32_t j = 0; j < per_sector; ++j) {
      const uint8_t* raw = sector.data() + j * kEntrySize;
      const size_t id = k * per_sector + j;
      Entry& entry = entries_[id];
      Node& node = nodes_[id];
      entry.type = static_cast<EntryType>(raw[kEntryType]);
      node.left = Le32(raw + kEntryLeft);
      node.right = Le32(raw + kEntryRight);
      node.child = Le32(raw + kEntryChild);
      node.start_sector = Le32(raw + kEntryStart);
      // Version 3 files keep only 32 bits of the size; some writers leave garbage above them.
      const uint64_t size = Le32(raw + kEntrySizeField) | uint64_t{Le32(raw + kEntrySizeField + 4)}
                                                              << 32;
      entry.size = version4_ ? size : size & 0xFFFFFFFF;
      const uint16_t name_length =
          static_cast<uint16_t>(raw[kEntryNameLength] | raw[kEntryNameLength + 1] << 8);
      name_lengths[id] = name_length;
      if (name_length % 2 != 0 || name_length > kMaxNameBytes) continue;
      std::u16string units;
      for (uint16_t i = 0; i + 1 < name_length; i += 2) {
        const char16_t unit = static_cast<char16_t>(raw[i] | raw[i + 1] << 8);
        if (unit == 0) break;  // the terminating NUL, which the length includes
        units += unit;
      }
      entry.name = Utf16ToUtf8(units);
      node.key = UppercaseKey(units);
    }
  }

  // Every entry joins the tree once, when a link first reaches it; a second link to it is a
  // cycle or a shared subtree.
  std::vector<bool> placed(count);
  const auto check_entry = [&](EntryId id, bool root) {
    const uint8_t type = static_cast<uint8_t>(entries_[id].type);
    const bool expected = root ? type == static_cast<uint8_t>(EntryType::kRoot)
                               : type == static_cast<uint8_t>(EntryType::kStorage) ||
                                     type == static_cast<uint8_t>(EntryType::kStream);
    if (!expected) {
      Fail(entry_offset(id) + kEntryType,
           "directory entry " + std::to_string(id) + " has type " + std::to_string(type) +
               (root ? ", not the root storage's 5" : ", not a storage (1) or a stream (2)"));
    }
    const uint16_t length = name_lengths[id];
    if (length < 2 || length % 2 != 0 || length > kMaxNameBytes) {
      Fail(entry_offset(id) + kEntryNameLength,
           "directory entry " + std::to_string(id) + " has a name length of " +
               std::to_string(length) + " bytes, not an even count from 2 to 64");
    }
    if (!root && entries_[id].type == EntryType::kStorage) entries_[id].size = 0;
  };
  check_entry(root(), true);
  placed[root()] = true;

  std::vector<EntryId> storages = {root()};
  std::vector<EntryId> pending;
  for (size_t q = 0; q < storages.size(); ++q) {
    const EntryId storage = storages[q];
    // Pushes `id` and its chain of left descendants, the next entries in tree order.
    const auto descend = [&](EntryId from, EntryId id, size_t field, const char* link) {
      while (id != kNoStream) {
        if (id >= count || placed[id]) {
          Fail(entry_offset(from) + field,
               "directory entry " + std::to_string(from) + ": its " + link + " " +
                   std::to_string(id) +
                   (id >= count ? " is beyond the last entry " + std::to_string(count - 1)
                                : " is already in the tree"));
        }
        placed[id] = true;
        check_entry(id, false);
        nodes_[id].parent = storage;
        pending.push_back(id);
        from = id;
        id = nodes_[id].left;
        field = kEntryLeft;
        link = "left sibling";
      }
    };
    nodes_[storage].children_begin = static_cast<uint32_t>(order_.size());
    descend(storage, nodes_[storage].child, kEntryChild, "child");
    while (!pending.empty()) {
      const EntryId id = pending.back();
      pending.pop_back();
      order_.push_back(id);
      if (entries_[id].type == EntryType::kStorage) storages.push_back(id);
      descend(id, nodes_[id].right, kEntryRight, "right sibling");
    }
    nodes_[storage].children_count =
        static_cast<uint32_t>(order_.size()) - nodes_[storage].children_begin;
  }

  by_name_ = order_;
  for (EntryId storage : storages) {
    const auto begin = by_name_.begin() + nodes_[storage].children_begin;
    std::sort(begin, begin + nodes_[storage].children_count,
              [&](EntryId a, EntryId b) { return KeyLess(nodes_[a].key, nodes_[b].key); });
  }
}

void CompoundFile::ReadMiniStream(const Header& header) {
  const Entry& root_entry = entries_[root()];
  if (root_entry.size > 0) {
    mini_stream_ = ReadChain({&fat_, sector_size_, false}, nodes_[root()].start_sector,
                             root_entry.size, name_ + ": the mini stream");
  }
  const size_t mini_sectors = (mini_stream_.size() + kMiniSectorSize - 1) / kMiniSectorSize;
  mini_stream_.resize(mini_sectors * kMiniSectorSize);

  // Some writers mark an absent mini FAT as free rather than as an empty chain.
  const std::vector<uint32_t> sectors =
      header.mini_fat_start == kFreeSector
          ? std::vector<uint32_t>()
          : StructureChain(header.mini_fat_start, 60, "the mini FAT");
  const uint32_t per_fat = sector_size_ / 4;
  mini_fat_.resize(std::min<uint64_t>(uint64_t{per_fat} * sectors.size(), mini_sectors));
  std::vector<uint8_t> sector(sector_size_);
  for (size_t k = 0; k * per_fat < mini_fat_.size(); ++k) {
    CopySector(sectors[k], sector.data(), sector_size_);
    const size_t end = std::min<size_t>(mini_fat_.size(), (k + 1) * per_fat);
    for (size_t i = k * per_fat; i < end; ++i) {
      mini_fat_[i] = Le32(sector.data() + 4 * (i % per_fat));
    }
  }
}

std::vector<uint8_t> CompoundFile::ReadChain(const ChainKind& kind, uint32_t start, uint64_t size,
                                             const std::string& where) const {
  const std::vector<uint32_t>& table = *kind.table;
  const uint32_t unit = kind.unit_size;
  const uint32_t count = static_cast<uint32_t>(table.size());
  const uint64_t needed = size / unit + (size % unit != 0 ? 1 : 0);
  // Checked before anything is allocated: the file (or the mini stream) bounds every stream.
  if (needed > count) {
    throw FormatError("a size of " + std::to_string(size) + " bytes needs " +
                          std::to_string(needed) + (kind.mini ? " mini sectors" : " sectors") +
                          ", more than the " + std::to_string(count) +
                          (kind.mini ? " of the mini stream" : " of the file"),
                      where, 0);
  }
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(needed * unit));  // room for the mini stream's padding
  // Units that follow each other in the table usually follow each other in the file too:
  // copy each such run at once.
  uint32_t run_first = 0;
  uint32_t run_length = 0;
  const auto copy_run = [&] {
    const size_t wanted =
        std::min<size_t>(size_t{run_length} * unit, static_cast<size_t>(size) - out.size());
    const uint8_t* from;
    size_t available = wanted;
    if (kind.mini) {
      from = mini_stream_.data() + size_t{run_first} * unit;
    } else {
      const uint64_t offset = SectorOffset(run_first);
      from = bytes_->data() + offset;
      available = static_cast<size_t>(std::min<uint64_t>(wanted, bytes_->size() - offset));
    }
    out.insert(out.end(), from, from + available);
    out.resize(out.size() + (wanted - available));  // a last sector cut short in its padding
  };
  uint32_t link = start;
  for (uint64_t i = 0; i < needed; ++i) {
    if (link >= count) {
      std::string what = ChainFault(link, count, kind.mini, i);
      if (link == kEndOfChain) what += ", short of the stream's " + std::to_string(size) + " bytes";
      throw FormatError(what, where, i * unit);
    }
    if (run_length > 0 && link == run_first + run_length) {
      ++run_length;
    } else {
      if (run_length > 0) copy_run();
      run_first = link;
      run_length = 1;
    }
    link = table[link];
  }
  if (run_length > 0) copy_run();
  // A chain that went through `needed` distinct units either ends here or goes on to units
  // the size leaves unread, which is harmless. A repeated unit makes the chain cycle forever,
  // so it can only be the second case; tell the two apart.
  if (needed > 0 && link < count) {
    std::vector<bool> seen(count);
    link = start;
    for (uint64_t i = 0; i < needed; ++i, link = table[link]) {
      if (seen[link]) {
        throw FormatError("the " + std::string(kind.mini ? "mini sector" : "sector") +
                              " chain loops back to " + std::to_string(link) + " after " +
                              std::to_string(i) + (kind.mini ? " mini sectors" : " sectors"),
                          where, i * unit);
      }
      seen[link] = true;
    }
  }
  return out;
}

void CompoundFile::CopySector(uint32_t sector, uint8_t* out, size_t count) const {
  const uint64_t offset = SectorOffset(sector);
  const size_t available = static_cast<size_t>(std::min<uint64_t>(count, bytes_->size() - offset));
  std::memcpy(out, bytes_->data() + offset, available);
  std::memset(out + available, 0, count - available);
}

uint64_t CompoundFile::FatEntryOffset(uint32_t sector) const {
  const uint32_t per_fat = sector_size_ / 4;
  return SectorOffset(fat_sectors_[sector / per_fat]) + uint64_t{sector % per_fat} * 4;
}

void CompoundFile::Fail(uint64_t offset, const std::string& what) const {
  throw FormatError(what, name_, offset);
}

const CompoundFile::Entry& CompoundFile::entry(EntryId id) const { return entries_.at(id); }

std::vector<CompoundFile::EntryId> CompoundFile::Children(EntryId storage) const {
  const Node& node = nodes_.at(storage);
  const auto begin = order_.begin() + node.children_begin;
  return {begin, begin + node.children_count};
}

std::optional<CompoundFile::EntryId> CompoundFile::Find(EntryId storage,
                                                        std::string_view name) const {
  const Node& node = nodes_.at(storage);
  const std::u16string key = UppercaseKey(Utf8ToUtf16(name));
  const auto begin = by_name_.begin() + node.children_begin;
  const auto end = begin + node.children_count;
  const auto found = std::lower_bound(begin, end, key, [&](EntryId id, const std::u16string& k) {
    return KeyLess(nodes_[id].key, k);
  });
  if (found == end || nodes_[*found].key != key) return std::nullopt;
  return *found;
}

std::optional<CompoundFile::EntryId> CompoundFile::FindPath(EntryId storage,
                                                            std::string_view path) const {
  std::optional<EntryId> current = storage;
  while (true) {
    const size_t slash = path.find('/');
    current = Find(*current, path.substr(0, slash));
    if (!current || slash == std::string_view::npos) return current;
    path.remove_prefix(slash + 1);
  }
}

std::vector<uint8_t> CompoundFile::ReadStream(EntryId stream) const {
  const Entry& stream_entry = entry(stream);
  const std::string path = PathOf(stream);
  const std::string where = name_ + ": " + (path.empty() ? stream_entry.name : path);
  if (stream_entry.type != EntryType::kStream) {
    throw FormatError("not a stream", where, 0);
  }
  const uint32_t start = nodes_[stream].start_sector;
  if (stream_entry.size < mini_stream_cutoff_) {
    return ReadChain({&mini_fat_, kMiniSectorSize, true}, start, stream_entry.size, where);
  }
  return ReadChain({&fat_, sector_size_, false}, start, stream_entry.size, where);
}

std::string CompoundFile::PathOf(EntryId id) const {
  std::vector<EntryId> chain;
  for (EntryId at = id; at != root() && at < nodes_.size() && chain.size() < nodes_.size();
       at = nodes_[at].parent) {
    chain.push_back(at);
  }
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!path.empty()) path += '/';
    path += entries_[*it].name;
  }
  return path;
}

}  // namespace tovalin
