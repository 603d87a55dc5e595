#include "host/office/powerpoint_vba.h"
#include "support/format_error_of.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libdeflate.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "host/office/format_error.h"

namespace tovalin {
namespace {

using ::testing::HasSubstr;

std::string Le(uint32_t value, int size = 4) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::string Record(uint16_t version, uint16_t instance, uint16_t type, const std::string& body) {
  return Le(version | instance << 4, 2) + Le(type, 2) + Le(static_cast<uint32_t>(body.size())) +
         body;
}

std::string Zlib(const std::string& data) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
  std::string out(libdeflate_zlib_compress_bound(compressor, data.size()), '\0');
  out.resize(
      libdeflate_zlib_compress(compressor, data.data(), data.size(), out.data(), out.size()));
  libdeflate_free_compressor(compressor);
  return out;
}

std::string Storage(const std::string& project, bool compressed) {
  if (!compressed) return Record(0, 0, 0x1011, project);
  return Record(0, 1, 0x1011, Le(static_cast<uint32_t>(project.size())) + Zlib(project));
}

std::string DocumentContainer(uint32_t vba_persist_id, uint32_t has_macros) {
  std::string vba_info =
      Record(0xF, 1, 0x03FF, Record(2, 0, 0x0400, Le(vba_persist_id) + Le(has_macros) + Le(2)));
  std::string doc_info_list =
      Record(0xF, 0, 0x07D0, Record(0xF, 0, 0x03FA, Record(0, 0, 0x03FE, "view")) + vba_info);
  return Record(0xF, 0, 0x03E8, Record(1, 0, 0x03E9, std::string(40, '\0')) + doc_info_list);
}

// A presentation's two streams, written edit by edit as the application appends them.
struct Presentation {
  std::string current_user;
  std::string document;
  uint32_t last_edit = 0;

  uint32_t Append(const std::string& record) {
    document += record;
    return static_cast<uint32_t>(document.size() - record.size());
  }
  // A user edit whose persist directory maps persist identifiers from `first_id` on to `offsets`.
  void Edit(uint32_t first_id, const std::vector<uint32_t>& offsets) {
    std::string entries = Le(first_id | static_cast<uint32_t>(offsets.size()) << 20);
    for (uint32_t offset : offsets) entries += Le(offset);
    uint32_t directory = Append(Record(0, 0, 0x1772, entries));
    last_edit = Append(Record(0, 0, 0x0FF5,
                              Le(256) + Le(0, 2) + Le(0, 1) + Le(3, 1) + Le(last_edit) +
                                  Le(directory) + Le(1) + Le(first_id + 1) + Le(1, 2) + Le(0, 2)));
    current_user = Record(0, 0, 0x0FF6,
                          Le(0x14) + Le(0xE391C05F) + Le(last_edit) + Le(4, 2) + Le(0x03F4, 2) +
                              Le(3, 1) + Le(0, 1) + Le(0, 2) + "user" + Le(8));
  }
  std::optional<std::vector<uint8_t>> Extract() const {
    auto bytes = [](const std::string& s) {
      return std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
    return ExtractPowerPointVbaProject(bytes(current_user), bytes(document));
  }
};

// The document container is persist object 1 and the VBA project storage persist object 2.
Presentation WithProject(const std::string& storage, uint32_t has_macros = 1) {
  Presentation presentation;
  uint32_t document = presentation.Append(DocumentContainer(2, has_macros));
  uint32_t project = presentation.Append(storage);
  presentation.Edit(1, {document, project});
  return presentation;
}

std::string Project(char fill) {
  std::string project = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  for (int i = 0; i < 20000; ++i) project += static_cast<char>(fill + i % 7 * (i % 3));
  return project;
}

std::vector<uint8_t> AsBytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(PowerPointVbaTest, ExtractsTheStorageCompressedOrNot) {
  for (bool compressed : {true, false}) {
    EXPECT_EQ(WithProject(Storage(Project('a'), compressed)).Extract(), AsBytes(Project('a')));
  }
}

TEST(PowerPointVbaTest, TheMostRecentEditWins) {
  Presentation presentation = WithProject(Storage(Project('a'), true));
  // A second edit replaces the project storage (persist object 2) and nothing else: the
  // document container still comes from the first edit's directory.
  uint32_t replaced = presentation.Append(Storage(Project('b'), true));
  presentation.Edit(2, {replaced});
  EXPECT_EQ(presentation.Extract(), AsBytes(Project('b')));
}

TEST(PowerPointVbaTest, NoVbaInfoOrNoMacrosMeansNoProject) {
  EXPECT_EQ(WithProject(Storage(Project('a'), true), 0).Extract(), std::nullopt);
  Presentation presentation;
  uint32_t document =
      presentation.Append(Record(0xF, 0, 0x03E8, Record(1, 0, 0x03E9, std::string(40, '\0'))));
  presentation.Edit(1, {document});
  EXPECT_EQ(presentation.Extract(), std::nullopt);
}

using testing::FormatErrorOf;

TEST(PowerPointVbaTest, DamageIsAFormatError) {
  auto error_of = [](const Presentation& presentation) {
    return FormatErrorOf([&] { presentation.Extract(); });
  };
  std::string project = Project('a');
  std::string zlib = Zlib(project);
  EXPECT_THAT(error_of(WithProject(Record(0, 1, 0x1011, Le(19999) + zlib))),
              HasSubstr("inflates to more than the 19999 bytes"));
  EXPECT_THAT(error_of(WithProject(Record(0, 1, 0x1011, Le(20009) + zlib))),
              HasSubstr("inflates to 20008 bytes, not the 20009"));
  EXPECT_THAT(error_of(WithProject(
                  Record(0, 1, 0x1011, Le(20008) + "\x78\x9C" + std::string(100, '\xFF')))),
              HasSubstr("not valid zlib data"));
  // Sizes no deflate data of that length could expand to, and sizes beyond any VBA project,
  // are refused before anything is allocated.
  EXPECT_THAT(error_of(WithProject(Record(0, 1, 0x1011, Le(50000000) + zlib))),
              HasSubstr("states 50000000 bytes"));
  EXPECT_THAT(error_of(WithProject(Record(0, 1, 0x1011, Le(0xFFFFFFFF) + std::string(1 << 22, 0)))),
              HasSubstr("states 4294967295 bytes"));
  EXPECT_THAT(error_of(WithProject(Record(0, 2, 0x1011, project))), HasSubstr("instance 2"));

  Presentation loop = WithProject(Storage(project, false));
  loop.Edit(2, {1});
  loop.document.replace(loop.last_edit + 16, 4, Le(loop.last_edit));  // offsetLastEdit
  EXPECT_THAT(error_of(loop), HasSubstr("chain of user edits loops"));

  Presentation missing;
  missing.Append(DocumentContainer(7, 1));
  missing.Edit(1, {0});
  EXPECT_THAT(error_of(missing), HasSubstr("persist object 7 is not in the persist directory"));

  Presentation encrypted = WithProject(Storage(project, false));
  encrypted.current_user.replace(12, 4, Le(0xF3D1C4DF));
  EXPECT_THAT(error_of(encrypted), HasSubstr("the presentation is encrypted"));

  Presentation wrong = WithProject(Storage(project, false));
  wrong.Edit(1, {wrong.last_edit});  // the document container's persist object is a user edit
  EXPECT_THAT(error_of(wrong), HasSubstr("expected the document container"));
}

TEST(PowerPointVbaTest, DamagedCopiesEndInAResultOrAFormatError) {
  Presentation original = WithProject(Storage(std::string(3000, 'p'), true));
  uint32_t replaced = original.Append(Storage(std::string(3000, 'q'), false));
  original.Edit(2, {replaced});
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    Presentation damaged = original;
    std::string& stream = round % 5 == 0 ? damaged.current_user : damaged.document;
    if (round % 3 == 0) {
      stream.resize(random() % stream.size());
    } else {
      for (int flips = 0; flips < 1 + round % 3; ++flips) {
        stream[random() % stream.size()] ^= static_cast<char>(1 + random() % 255);
      }
    }
    try {
      damaged.Extract();
    } catch (const FormatError&) {
    }
  }
}

}  // namespace
}  // namespace tovalin
