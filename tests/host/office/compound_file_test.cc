#include "host/office/compound_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/office/format_error.h"
#include "support/compound_file_writer.h"

namespace tovalin {
namespace {

using Bytes = std::vector<uint8_t>;
using Id = CompoundFile::EntryId;
using testing::CfbWriter;
using testing::PutLe;
constexpr uint32_t kEnd = CfbWriter::kEndOfChain;
constexpr uint32_t kFree = CfbWriter::kFreeSector;

Bytes Pattern(size_t size, unsigned seed) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251 + seed);
  return bytes;
}

CompoundFile OpenBytes(Bytes bytes) {
  return CompoundFile::Open(std::make_shared<const Bytes>(std::move(bytes)), "test.bin");
}

// Opens and reads every stream; true when all of it worked, false on a FormatError.
bool ReadsWhole(Bytes bytes) {
  try {
    const CompoundFile file = OpenBytes(std::move(bytes));
    std::vector<Id> storages = {file.root()};
    bool whole = true;
    while (!storages.empty()) {
      const Id storage = storages.back();
      storages.pop_back();
      for (Id id : file.Children(storage)) {
        if (file.entry(id).type == CompoundFile::EntryType::kStorage) storages.push_back(id);
        if (file.entry(id).type != CompoundFile::EntryType::kStream) continue;
        try {
          EXPECT_EQ(file.ReadStream(id).size(), file.entry(id).size);
        } catch (const FormatError&) {
          whole = false;
        }
      }
    }
    return whole;
  } catch (const FormatError&) {
    return false;
  }
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const FormatError& error) {
    return error.what();
  }
  return "no error";
}

// A project-like file: a small and a large stream at the root, a storage with both kinds and
// a nested storage, names with control characters.
struct Sample {
  explicit Sample(uint16_t major = 3, uint32_t free_sectors = 0) : writer(major, free_sectors) {
    project = writer.AddStream(0, u"PROJECT", Pattern(300, 1));
    vba = writer.AddStorage(0, u"VBA");
    dir = writer.AddStream(vba, u"dir", Pattern(1000, 2));
    form = writer.AddStorage(0, u"UserForm1");
    frame = writer.AddStream(form, u"\x03VBFrame", Pattern(64, 4));
    comp = writer.AddStream(form,
                            u"\x01"
                            u"CompObj",
                            Pattern(4096, 5));
    module = writer.AddStream(vba, u"Module1", Pattern(5000, 3));  // ends the file
    accented = writer.AddStream(0, u"\u00e9t\u00e9");
    cyrillic = writer.AddStream(form, u"\u0444\u043e\u0440\u043c\u0430", Pattern(70, 6));
    bytes = writer.Build();
  }
  CfbWriter writer;
  Id project, vba, dir, form, frame, comp, module, accented, cyrillic;
  Bytes bytes;
};

TEST(CompoundFileTest, ReadsTreeAndStreams) {
  for (uint16_t major : {uint16_t{3}, uint16_t{4}}) {
    SCOPED_TRACE(major);
    Sample sample(major);
    const CompoundFile file = OpenBytes(sample.bytes);
    EXPECT_EQ(file.Children(file.root()),
              (std::vector<Id>{sample.vba, sample.accented, sample.project, sample.form}));
    EXPECT_EQ(file.Children(sample.form),
              (std::vector<Id>{sample.cyrillic, sample.comp, sample.frame}));
    EXPECT_EQ(file.entry(sample.frame).name, "\x03VBFrame");
    EXPECT_EQ(file.entry(sample.form).type, CompoundFile::EntryType::kStorage);
    EXPECT_EQ(file.Find(file.root(), "vba"), sample.vba);
    EXPECT_EQ(file.Find(file.root(), "\xc3\x89T\xc3\x89"), sample.accented);  // "ÉTÉ"
    EXPECT_EQ(file.FindPath(file.root(), "userform1/\xd0\xa4\xd0\x9e\xd0\xa0\xd0\x9c\xd0\x90"),
              sample.cyrillic);  // "ФОРМА"
    EXPECT_EQ(file.FindPath(file.root(), "VBA/DIR"), sample.dir);
    EXPECT_EQ(file.FindPath(file.root(), "PROJECT/dir"), std::nullopt);
    EXPECT_EQ(file.FindPath(file.root(), "VBA/Module2"), std::nullopt);
    EXPECT_EQ(file.PathOf(sample.dir), "VBA/dir");
    EXPECT_EQ(file.ReadStream(sample.project), Pattern(300, 1));
    EXPECT_EQ(file.ReadStream(sample.dir), Pattern(1000, 2));
    EXPECT_EQ(file.ReadStream(sample.module), Pattern(5000, 3));
    EXPECT_EQ(file.ReadStream(sample.comp), Pattern(4096, 5));
    EXPECT_EQ(file.ReadStream(sample.cyrillic), Pattern(70, 6));
    EXPECT_TRUE(file.ReadStream(sample.accented).empty());
    EXPECT_NE(ErrorOf([&] { file.ReadStream(sample.vba); }).find("VBA at offset 0: not a stream"),
              std::string::npos);
  }
}

TEST(CompoundFileTest, ReadsFatSectorsListedInDifatSectors) {
  // 14000 unused sectors put every used sector's FAT entry beyond the 109 in the header.
  Sample sample(3, 14000);
  ASSERT_GT(sample.writer.fat_sectors(), 109u);
  EXPECT_TRUE(ReadsWhole(sample.bytes));
  EXPECT_EQ(OpenBytes(sample.bytes).ReadStream(sample.module), Pattern(5000, 3));

  // A DIFAT sector that links to itself, with the header asking for more FAT sectors than
  // one DIFAT sector lists.
  Bytes looping = sample.bytes;
  const size_t difat = sample.writer.SectorOffset(sample.writer.fat_sectors());
  PutLe(looping, 44, 109 + 127 + 1);
  for (int slot = 0; slot < 127; ++slot) PutLe(looping, difat + 4 * slot, 0);
  PutLe(looping, difat + 4 * 127, sample.writer.fat_sectors());
  EXPECT_NE(ErrorOf([&] { OpenBytes(looping); }).find("DIFAT chain loops"), std::string::npos);
  Bytes short_difat = sample.bytes;
  PutLe(short_difat, 44, 109 + 127 + 1);
  EXPECT_NE(ErrorOf([&] { OpenBytes(short_difat); }).find("the DIFAT chain reaches"),
            std::string::npos);
}

TEST(CompoundFileTest, RejectsDamagedHeader) {
  struct Case {
    size_t offset;
    uint32_t value;
    int width;
    const char* message;
  };
  const Case cases[] = {
      {0, 0x11, 1, "at offset 0: no compound file signature"},
      {26, 5, 2, "at offset 26: major version 5"},
      {28, 0xFEFF, 2, "at offset 28: byte order"},
      {30, 12, 2, "at offset 30: sector shift 12, expected 9"},
      {32, 7, 2, "at offset 32: mini sector shift 7"},
      {56, 8192, 4, "at offset 56: mini stream cutoff 8192"},
      {44, 0x40000000, 4, "at offset 44: 1073741824 FAT sectors"},
      {76, 5000, 4, "at offset 76: FAT sector 0 is at sector 5000, beyond"},
      {48, 0x10000, 4, "the directory: the sector chain reaches sector 65536, beyond"},
      {48, kEnd, 4, "the directory is empty"},
      {60, 3000, 4, "the mini FAT: the sector chain reaches sector 3000"},
  };
  const Sample sample;
  for (const Case& c : cases) {
    Bytes bytes = sample.bytes;
    PutLe(bytes, c.offset, c.value, c.width);
    const std::string error = ErrorOf([&] { OpenBytes(bytes); });
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  EXPECT_NE(ErrorOf([&] {
              OpenBytes(Bytes(sample.bytes.begin(), sample.bytes.begin() + 300));
            }).find("fewer than a compound file header's 512"),
            std::string::npos);
}

TEST(CompoundFileTest, DamagedChainFailsOnlyItsStream) {
  const Sample sample;
  const CfbWriter& writer = sample.writer;
  const uint32_t module = writer.Start(sample.module);  // 10 sectors
  const uint32_t dir = writer.Start(sample.dir);        // 16 mini sectors
  struct Case {
    size_t offset;
    uint64_t value;
    Id stream;
    const char* message;
  };
  const Case cases[] = {
      {writer.FatOffset(module + 5), module + 2, sample.module,
       "VBA/Module1 at offset 3072: the sector chain loops back to"},
      {writer.FatOffset(module + 3), kEnd, sample.module,
       "VBA/Module1 at offset 2048: the sector chain reaches the end of the chain after 4 "
       "sectors, short of the stream's 5000 bytes"},
      {writer.FatOffset(module + 3), kFree, sample.module, "reaches a free-sector marker"},
      {writer.FatOffset(module + 1), 0x7FFFFFFF, sample.module,
       "at offset 1024: the sector chain reaches sector 2147483647, beyond the last of"},
      {writer.MiniFatOffset(dir + 10), dir, sample.dir,
       "VBA/dir at offset 704: the mini sector chain loops back to"},
      {writer.MiniFatOffset(dir + 2), 90000, sample.dir, "mini sector 90000, beyond the last"},
      {writer.EntryOffset(sample.module) + 120, 0xFFFFFFFF, sample.module,
       "a size of 4294967295 bytes needs 8388608 sectors, more than the"},
      {writer.EntryOffset(sample.dir) + 120, 4000, sample.dir, "needs 63 mini sectors"},
  };
  for (const Case& c : cases) {
    Bytes bytes = sample.bytes;
    PutLe(bytes, c.offset, c.value);
    const CompoundFile file = OpenBytes(bytes);
    EXPECT_NE(ErrorOf([&] { file.ReadStream(c.stream); }).find(c.message), std::string::npos)
        << c.message;
    EXPECT_EQ(file.ReadStream(sample.project), Pattern(300, 1));
  }

  // A chain longer than the size needs is read as far as the size goes, even if it loops
  // after that; version 3 keeps only the low 32 bits of a size.
  Bytes bytes = sample.bytes;
  PutLe(bytes, writer.EntryOffset(sample.module) + 120, 0x1'0000'1000, 8);
  PutLe(bytes, writer.FatOffset(module + 9), module + 8);
  EXPECT_EQ(OpenBytes(bytes).ReadStream(sample.module), Pattern(4096, 3));
  // Version 4 sizes are 64 bits: 16 TB in a small file fails before any allocation.
  const Sample large(4);
  bytes = large.bytes;
  PutLe(bytes, large.writer.EntryOffset(large.module) + 120, uint64_t{1} << 44, 8);
  EXPECT_NE(ErrorOf([&] { OpenBytes(bytes).ReadStream(large.module); }).find("needs 4294967296"),
            std::string::npos);
}

TEST(CompoundFileTest, RejectsDamagedDirectory) {
  const Sample sample;
  const CfbWriter& writer = sample.writer;
  struct Case {
    size_t offset;
    uint32_t value;
    int width;
    const char* message;
  };
  const Case cases[] = {
      {writer.EntryOffset(sample.form) + 76, 0, 4, "its child 0 is already in the tree"},
      {writer.EntryOffset(sample.frame) + 72, sample.form, 4, "is already in the tree"},
      {writer.EntryOffset(sample.dir) + 68, sample.dir, 4, "its left sibling 3 is already"},
      {writer.EntryOffset(sample.vba) + 76, 40, 4, "its child 40 is beyond the last entry"},
      {writer.EntryOffset(sample.dir) + 64, 66, 2, "name length of 66 bytes"},
      {writer.EntryOffset(sample.dir) + 64, 7, 2, "name length of 7 bytes"},
      {writer.EntryOffset(sample.dir) + 66, 0, 1, "has type 0, not a storage"},
      {writer.EntryOffset(0) + 66, 1, 1, "entry 0 has type 1, not the root"},
      {writer.FatOffset(writer.directory() + 2), writer.directory(), 4,
       "the directory: the sector chain loops back to sector"},
      {writer.FatOffset(writer.Start(0)), kFree, 4,
       "test.bin: the mini stream at offset 512: the sector chain reaches a free-sector marker"},
  };
  for (const Case& c : cases) {
    Bytes bytes = sample.bytes;
    PutLe(bytes, c.offset, c.value, c.width);
    const std::string error = ErrorOf([&] { OpenBytes(bytes); });
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST(CompoundFileTest, ReadsSectorCutShortInItsPadding) {
  const Sample sample;
  Bytes bytes = sample.bytes;
  bytes.resize(bytes.size() - 100);  // Module1's last sector holds 392 bytes of 512
  EXPECT_EQ(OpenBytes(bytes).ReadStream(sample.module), Pattern(5000, 3));
  bytes.resize(sample.bytes.size() - 512);
  const CompoundFile file = OpenBytes(bytes);
  EXPECT_NE(ErrorOf([&] { file.ReadStream(sample.module); }).find("beyond the last of"),
            std::string::npos);
  EXPECT_EQ(file.ReadStream(sample.comp), Pattern(4096, 5));
}

Bytes ReadCorpus(const std::string& path) {
  std::ifstream in(std::string(TOVALIN_CORPUS) + "/files/" + path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(CompoundFileTest, ReadsCorpusWorkbooks) {
  for (const char* path : {"nmartinet-ExcelStuff/PERSONAL.XLS", "heldersepu-hs-scripts/VBA.xls"}) {
    SCOPED_TRACE(path);
    const Bytes bytes = ReadCorpus(path);
    const CompoundFile file = OpenBytes(bytes);
    const std::optional<Id> dir = file.FindPath(file.root(), "_VBA_PROJECT_CUR/VBA/dir");
    ASSERT_TRUE(dir);
    EXPECT_EQ(file.PathOf(*dir), "_VBA_PROJECT_CUR/VBA/dir");
    const Bytes stream = file.ReadStream(*dir);
    EXPECT_EQ(stream.size(), file.entry(*dir).size);
    EXPECT_EQ(stream.at(0), 1);  // the signature byte of a compressed container
    EXPECT_TRUE(ReadsWhole(bytes));
  }
}

TEST(CompoundFileTest, RandomDamageEndsInResultOrError) {
  const uint32_t links[] = {0, 1, 2, 3, kEnd, kFree, 0xFFFFFFFD, 0x7FFFFFFF, 4096, 0x10000};
  std::mt19937 random(7);
  const Sample sample;
  for (const Bytes& original : {sample.bytes, ReadCorpus("heldersepu-hs-scripts/VBA.xls")}) {
    for (int round = 0; round < 400; ++round) {
      Bytes bytes = original;
      // Mostly the header, FAT and directory near the start; links where chains are.
      for (int k = 0; k < 3; ++k) bytes[random() % std::min<size_t>(4096, bytes.size())] ^= 0x41;
      PutLe(bytes, random() % (bytes.size() / 4) * 4, links[random() % std::size(links)]);
      if (round % 8 == 0) bytes.resize(random() % bytes.size());
      ReadsWhole(std::move(bytes));
    }
  }
}

}  // namespace
}  // namespace tovalin
