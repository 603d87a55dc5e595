#include "host/office/dir_stream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/office/format_error.h"

namespace tovalin {
namespace {

using ::testing::HasSubstr;

// Builds a dir stream record by record.
class Dir {
 public:
  Dir& Record(uint16_t id, std::string_view data) {
    return Raw(id, static_cast<uint32_t>(data.size()), data);
  }
  // A record whose size field says `size`, whatever follows.
  Dir& Raw(uint16_t id, uint32_t size, std::string_view data) {
    U16(id);
    U32(size);
    return Append(data);
  }
  Dir& Append(std::string_view bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Dir& U16Record(uint16_t id, uint16_t value) { return Record(id, U16Text(value)); }
  Dir& U32Record(uint16_t id, uint32_t value) { return Record(id, U32Text(value)); }
  // A name record and its Unicode follow-on (ASCII names only).
  Dir& Named(uint16_t id, uint16_t unicode_id, std::string_view name) {
    return Record(id, name).Record(unicode_id, Utf16(name));
  }

  static std::string Utf16(std::string_view ascii) {
    std::string utf16;
    for (char c : ascii) utf16 += std::string{c, '\0'};
    return utf16;
  }
  static std::string U16Text(uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  }
  static std::string U32Text(uint32_t v) {
    return U16Text(static_cast<uint16_t>(v)) + U16Text(static_cast<uint16_t>(v >> 16));
  }
  // A LIBID with its u32 length and `tail` more zero bytes.
  static std::string Libid(std::string_view libid, size_t tail) {
    return U32Text(static_cast<uint32_t>(libid.size())) + std::string(libid) +
           std::string(tail, '\0');
  }

  // The project information records a current editor writes, PROJECTCOMPATVERSION included.
  Dir& Information(uint16_t code_page, std::string_view name) {
    U32Record(0x0001, 1).U32Record(0x004A, 2).U32Record(0x0002, 0x409).U32Record(0x0014, 0x409);
    U16Record(0x0003, code_page).Record(0x0004, name);
    Record(0x0005, "doc").Record(0x0040, Utf16("doc"));
    Record(0x0006, "").Record(0x003D, "");
    U32Record(0x0007, 0).U32Record(0x0008, 0);
    Raw(0x0009, 4, U32Text(0x5B4E) + U16Text(3));  // says 4 bytes, holds 6
    return Record(0x000C, "").Record(0x003C, "");
  }
  Dir& Module(std::string_view name, std::string_view stream, uint32_t offset, bool procedural) {
    Named(0x0019, 0x0047, name);
    Named(0x001A, 0x0032, stream);
    Record(0x001C, "").Record(0x0048, "");
    U32Record(0x0031, offset).U32Record(0x001E, 0).U16Record(0x002C, 0xFFFF);
    U32Record(procedural ? 0x0021 : 0x0022, 0);
    return U32Record(0x002B, 0);
  }

  DirInfo Parse() const { return ParseDirStream(bytes_, "dir"); }
  std::string ErrorOf() const {
    try {
      Parse();
    } catch (const FormatError& error) {
      return error.what();
    }
    return "no error";
  }

 private:
  void U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  std::vector<uint8_t> bytes_;
};

constexpr std::string_view kStdole =
    "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE "
    "Automation";
constexpr std::string_view kForms =
    "*\\G{0D452EE1-E08F-101A-852E-02608C4D0BB4}#2.0#0#C:\\Windows\\System32\\FM20.DLL#Microsoft "
    "Forms 2.0 Object Library";

// The references of a typical project: registered, control (with its original LIBID, own name
// record and extended part), and another project.
Dir& AddReferences(Dir& dir) {
  dir.Named(0x0016, 0x003E, "stdole").Record(0x000D, Dir::Libid(kStdole, 6));
  dir.Named(0x0016, 0x003E, "MSForms").Record(0x0033, kForms);
  dir.Record(0x002F, Dir::Libid("*\\G{00000000-0000-0000-0000-000000000000}#0.0#0##", 6));
  dir.Named(0x0016, 0x003E, "MSForms");
  dir.Record(0x0030, Dir::Libid("*\\G{BAA5A5DA-76E0-451B-93B9-07C584BB53B7}#2.0#0#x.exd#", 26));
  dir.Named(0x0016, 0x003E, "Helpers");
  return dir.Record(
      0x000E, Dir::Libid("*\\CC:\\lib\\helpers.xlam", 0) + Dir::Libid("*\\C..\\helpers.xlam", 6));
}

TEST(DirStream, ReadsAProjectWithEveryKindOfRecord) {
  Dir dir;
  dir.Information(1251, "\xCF\xF0\xEE\xE5\xEA\xF2");  // "Проект" in code page 1251
  AddReferences(dir);
  dir.U16Record(0x000F, 2).U16Record(0x0013, 0xFFFF);
  dir.Module("Module1", "Module1", 1234, true);
  // The Unicode name wins where the two differ, as they do in real files.
  dir.Record(0x0019, "userform1").Record(0x0047, Dir::Utf16("UserForm1"));
  dir.Named(0x001A, 0x0032, "UserForm1").U32Record(0x0031, 99);
  dir.U32Record(0x0022, 0).U32Record(0x0025, 0).U32Record(0x0028, 0).U32Record(0x002B, 0);
  dir.U32Record(0x0010, 0);
  dir.Record(0x1234, "after the terminator: not read");

  const DirInfo info = dir.Parse();
  EXPECT_EQ(info.code_page, 1251);
  EXPECT_EQ(info.project_name, "Проект");
  ASSERT_EQ(info.references.size(), 3u);
  EXPECT_EQ(info.references[0].name, "stdole");
  EXPECT_EQ(info.references[0].kind, VbaReferenceKind::kRegistered);
  EXPECT_EQ(info.references[0].libid, kStdole);
  EXPECT_EQ(info.references[1].name, "MSForms");
  EXPECT_EQ(info.references[1].kind, VbaReferenceKind::kControl);
  EXPECT_EQ(info.references[1].libid, kForms);
  EXPECT_EQ(info.references[2].name, "Helpers");
  EXPECT_EQ(info.references[2].kind, VbaReferenceKind::kProject);
  EXPECT_EQ(info.references[2].libid, "*\\CC:\\lib\\helpers.xlam");
  for (const VbaReference& reference : info.references) EXPECT_TRUE(reference.usable);

  EXPECT_EQ(info.declared_module_count, 2);
  ASSERT_EQ(info.modules.size(), 2u);
  EXPECT_EQ(info.modules[0].name, "Module1");
  EXPECT_EQ(info.modules[0].stream_name, "Module1");
  EXPECT_EQ(info.modules[0].text_offset, 1234u);
  EXPECT_TRUE(info.modules[0].procedural);
  EXPECT_EQ(info.modules[1].name, "UserForm1");
  EXPECT_EQ(info.modules[1].text_offset, 99u);
  EXPECT_FALSE(info.modules[1].procedural);
  EXPECT_FALSE(info.modules[0].source_error || info.modules[1].source_error);
}

TEST(DirStream, KeepsDamagedReferencesAsUnusable) {
  Dir dir;
  dir.Information(1252, "VBAProject");
  // A LIBID longer than its record: the record is skipped by its size.
  dir.Named(0x0016, 0x003E, "Broken").Raw(0x000D, 8, Dir::U32Text(500) + "abcd");
  // REFERENCEORIGINAL without the REFERENCECONTROL that must follow.
  dir.Named(0x0016, 0x003E, "Orphan").Record(0x0033, kForms);
  // A name kept in code page bytes only (no Unicode record), then a good reference.
  dir.Record(0x0016, "Caf\xE9").Record(0x000D, Dir::Libid(kStdole, 6));
  // REFERENCECONTROL whose extended part never comes.
  dir.Named(0x0016, 0x003E, "Unfinished").Record(0x002F, Dir::Libid("*\\G{0}", 6));
  dir.U16Record(0x000F, 1).Module("Module1", "Module1", 0, true).U32Record(0x0010, 0);

  const DirInfo info = dir.Parse();
  ASSERT_EQ(info.references.size(), 4u);
  EXPECT_EQ(info.references[0].name, "Broken");
  EXPECT_FALSE(info.references[0].usable);
  EXPECT_EQ(info.references[1].name, "Orphan");
  EXPECT_FALSE(info.references[1].usable);
  EXPECT_EQ(info.references[2].name, "Café");
  EXPECT_TRUE(info.references[2].usable);
  EXPECT_EQ(info.references[3].name, "Unfinished");
  EXPECT_FALSE(info.references[3].usable);
  ASSERT_EQ(info.modules.size(), 1u);
  EXPECT_EQ(info.modules[0].name, "Module1");
}

TEST(DirStream, TakesTheModulesPresentWhateverTheCountSays) {
  Dir dir;
  dir.Information(1252, "P").U16Record(0x000F, 0xFFFF).Module("A", "A", 0, true);
  dir.Record(0x7777, "an unknown record, skipped by its size");
  dir.Module("B", "B", 0, false);
  // A module cut short by the end of the stream, without MODULEOFFSET or terminator.
  dir.Named(0x0019, 0x0047, "C").Named(0x001A, 0x0032, "C");
  const DirInfo info = dir.Parse();
  EXPECT_EQ(info.declared_module_count, 0xFFFF);
  ASSERT_EQ(info.modules.size(), 3u);
  EXPECT_EQ(info.modules[1].name, "B");
  EXPECT_FALSE(info.modules[1].source_error.has_value());
  EXPECT_EQ(info.modules[2].source_error, "it has no MODULEOFFSET record");
}

TEST(DirStream, FailsWhenTheStreamCannotBeReadOn) {
  EXPECT_THAT(
      Dir().Information(1252, "P").Raw(0x0019, 100, "short").ErrorOf(),
      HasSubstr("record 0x0019 of 100 bytes runs past the end of the stream (5 bytes left)"));
  EXPECT_THAT(Dir().Information(1252, "P").Append(std::string_view("\x0F\x00\x02", 3)).ErrorOf(),
              HasSubstr("a record header is cut short (3 bytes left)"));
  EXPECT_THAT(Dir().Record(0x0003, "\xE4").ErrorOf(), HasSubstr("PROJECTCODEPAGE holds 1 bytes"));
}

}  // namespace
}  // namespace tovalin
