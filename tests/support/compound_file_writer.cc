#include "support/compound_file_writer.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tovalin::testing {
namespace {

constexpr uint8_t kStorage = 1;
constexpr uint8_t kStream = 2;
constexpr uint8_t kRootStorage = 5;

}  // namespace

CfbWriter::CfbWriter(uint16_t major, uint32_t free_sectors)
    : major_(major), size_(major == 4 ? 4096 : 512), free_(free_sectors) {
  entries_.push_back({u"Root Entry", kRootStorage, kNoEntry, {}});
}

CfbWriter::Id CfbWriter::AddStream(Id parent, std::u16string name, std::vector<uint8_t> data) {
  return Add(parent, std::move(name), kStream, std::move(data));
}

CfbWriter::Id CfbWriter::AddStorage(Id parent, std::u16string name) {
  return Add(parent, std::move(name), kStorage, {});
}

CfbWriter::Id CfbWriter::Add(Id parent, std::u16string name, uint8_t type,
                             std::vector<uint8_t> data) {
  entries_.push_back({std::move(name), type, parent, std::move(data)});
  return static_cast<Id>(entries_.size() - 1);
}

uint32_t CfbWriter::Tree(const std::vector<Id>& ids, size_t begin, size_t end) {
  if (begin == end) return kNoEntry;
  const size_t middle = (begin + end) / 2;
  entries_[ids[middle]].left = Tree(ids, begin, middle);
  entries_[ids[middle]].right = Tree(ids, middle + 1, end);
  return ids[middle];
}

std::vector<uint8_t> CfbWriter::Build() {
  const uint32_t per = size_ / 4;
  const auto sectors = [&](size_t bytes) {
    return static_cast<uint32_t>((bytes + size_ - 1) / size_);
  };
  std::vector<uint8_t> mini;
  std::vector<uint32_t> mini_fat;
  uint32_t big = 0;
  for (Entry& entry : entries_) {
    if (entry.type != kStream || entry.data.empty()) continue;
    if (entry.data.size() >= 4096) {
      big += sectors(entry.data.size());
      continue;
    }
    entry.start = static_cast<uint32_t>(mini_fat.size());
    const size_t count = (entry.data.size() + 63) / 64;
    for (size_t k = 1; k <= count; ++k) {
      mini_fat.push_back(k < count ? static_cast<uint32_t>(entry.start + k) : kEndOfChain);
    }
    mini.insert(mini.end(), entry.data.begin(), entry.data.end());
    mini.resize(mini_fat.size() * 64);
  }
  const uint32_t data = free_ + sectors(entries_.size() * 128) + sectors(mini_fat.size() * 4) +
                        sectors(mini.size()) + big;
  uint32_t difat = 0;
  for (fat_sectors_ = 1;; ++fat_sectors_) {
    difat = fat_sectors_ > 109 ? (fat_sectors_ - 109 + per - 2) / (per - 1) : 0;
    if (fat_sectors_ * per >= fat_sectors_ + difat + data) break;
  }
  std::vector<uint32_t> fat(fat_sectors_ * per, kFreeSector);
  std::fill_n(fat.begin(), fat_sectors_, 0xFFFFFFFD);
  std::fill_n(fat.begin() + fat_sectors_, difat, 0xFFFFFFFC);
  uint32_t next = fat_sectors_ + difat + free_;
  const auto chain = [&](uint32_t count) {
    for (uint32_t k = 1; k <= count; ++k) fat[next + k - 1] = k < count ? next + k : kEndOfChain;
    next += count;
    return count == 0 ? kEndOfChain : next - count;
  };
  directory_ = chain(sectors(entries_.size() * 128));
  mini_fat_ = chain(sectors(mini_fat.size() * 4));
  entries_[0].start = chain(sectors(mini.size()));
  for (Entry& entry : entries_) {
    if (entry.data.size() >= 4096) entry.start = chain(sectors(entry.data.size()));
  }
  for (Id storage = 0; storage < entries_.size(); ++storage) {
    std::vector<Id> children;
    for (Id id = 1; id < entries_.size(); ++id) {
      if (entries_[id].parent == storage) children.push_back(id);
    }
    std::sort(children.begin(), children.end(), [&](Id a, Id b) {
      const auto key = [&](Id id) {
        std::u16string name = entries_[id].name;
        for (char16_t& c : name) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
        return std::make_pair(name.size(), name);
      };
      return key(a) < key(b);
    });
    entries_[storage].child = Tree(children, 0, children.size());
  }

  std::vector<uint8_t> file(SectorOffset(next));
  const uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(std::begin(signature), std::end(signature), file.begin());
  PutLe(file, 24, 0x3E, 2);
  PutLe(file, 26, major_, 2);
  PutLe(file, 28, 0xFFFE, 2);
  PutLe(file, 30, major_ == 4 ? 12 : 9, 2);
  PutLe(file, 32, 6, 2);
  PutLe(file, 40, major_ == 4 ? sectors(entries_.size() * 128) : 0);
  PutLe(file, 44, fat_sectors_);
  PutLe(file, 48, directory_);
  PutLe(file, 56, 4096);
  PutLe(file, 60, mini_fat.empty() ? kEndOfChain : mini_fat_);
  PutLe(file, 64, sectors(mini_fat.size() * 4));
  PutLe(file, 68, difat == 0 ? kEndOfChain : fat_sectors_);
  PutLe(file, 72, difat);
  for (uint32_t i = 0; i < 109; ++i) PutLe(file, 76 + 4 * i, i < fat_sectors_ ? i : kFreeSector);
  for (uint32_t i = 109; i < fat_sectors_; ++i) {  // DIFAT sectors, each linked to the next
    const uint32_t sector = fat_sectors_ + (i - 109) / (per - 1), slot = (i - 109) % (per - 1);
    PutLe(file, SectorOffset(sector) + 4 * slot, i);
    PutLe(file, SectorOffset(sector) + 4 * (per - 1),
          sector + 1 < fat_sectors_ + difat ? sector + 1 : kEndOfChain);
  }
  for (size_t i = 0; i < fat.size(); ++i) PutLe(file, SectorOffset(0) + 4 * i, fat[i]);
  for (size_t i = 0; i < mini_fat.size(); ++i) {
    PutLe(file, MiniFatOffset(static_cast<uint32_t>(i)), mini_fat[i]);
  }
  std::copy(mini.begin(), mini.end(), file.begin() + SectorOffset(entries_[0].start));
  for (Id id = 0; id < (sectors(entries_.size() * 128) * size_) / 128; ++id) {
    const size_t at = EntryOffset(id);
    if (id >= entries_.size()) {  // unused slots
      for (size_t field : {68, 72, 76}) PutLe(file, at + field, kNoEntry);
      continue;
    }
    const Entry& entry = entries_[id];
    for (size_t i = 0; i < entry.name.size(); ++i) PutLe(file, at + 2 * i, entry.name[i], 2);
    PutLe(file, at + 64, 2 * (entry.name.size() + 1), 2);
    file[at + 66] = entry.type;
    file[at + 67] = 1;
    PutLe(file, at + 68, entry.left);
    PutLe(file, at + 72, entry.right);
    PutLe(file, at + 76, entry.child);
    PutLe(file, at + 116, entry.start);
    PutLe(file, at + 120, id == 0 ? mini.size() : entry.data.size(), 8);
    if (entry.data.size() >= 4096) {
      std::copy(entry.data.begin(), entry.data.end(), file.begin() + SectorOffset(entry.start));
    }
  }
  return file;
}

}  // namespace tovalin::testing
