#include "host/office/ooxml_package.h"
#include "support/format_error_of.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "host/office/format_error.h"
#include "support/ooxml_package_writer.h"
#include "support/zip_writer.h"

namespace tovalin {
namespace {

using ::testing::HasSubstr;
using testing::kContentTypesStart;
using testing::kRelationshipsStart;
using testing::kVbaProjectContentType;
using testing::kVbaProjectRelationship;
using testing::MakeZip;
using testing::OoxmlPackage;
using testing::Relationship;
using testing::ZipMember;

using Bytes = std::vector<uint8_t>;

ZipArchive OpenZip(Bytes bytes) {
  return ZipArchive::Open(std::make_shared<const Bytes>(std::move(bytes)), "test.zip");
}

std::string ReadText(const ZipArchive& zip, std::string_view name, uint64_t max = 1 << 20) {
  Bytes bytes = zip.Read(zip.Find(name).value(), max);
  return {bytes.begin(), bytes.end()};
}

using testing::FormatErrorOf;

TEST(ZipArchiveTest, ReadsStoredDeflatedAndZip64Members) {
  std::string text(5000, 'x');
  for (size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
  for (bool zip64 : {false, true}) {
    ZipArchive zip = OpenZip(MakeZip({{"Stored.txt", "plain"}, {"dir/Deflated.xml", text, 8}},
                                     zip64, {}, "a comment PK"));
    ASSERT_EQ(zip.members().size(), 2u);
    EXPECT_EQ(zip.members()[1].name, "dir/Deflated.xml");
    EXPECT_EQ(zip.members()[1].method, 8);
    EXPECT_EQ(zip.members()[1].uncompressed_size, text.size());
    EXPECT_EQ(ReadText(zip, "stored.TXT"), "plain");
    EXPECT_EQ(ReadText(zip, "DIR/deflated.xml"), text);
    EXPECT_FALSE(zip.Find("dir"));
  }
}

TEST(ZipArchiveTest, RefusesDamageWithAFormatError) {
  std::string text(100000, 'z');
  auto read = [](ZipMember entry, uint64_t max = 1 << 20) {
    return FormatErrorOf([&] { OpenZip(MakeZip({entry})).Read(0, max); });
  };
  EXPECT_THAT(read({"a", "data", 0, 0, 1234}), HasSubstr("fails its CRC-32 check"));
  EXPECT_THAT(read({"a", "data", 0, 1}), HasSubstr("member a is encrypted"));
  EXPECT_THAT(read({"a", "data", 12}), HasSubstr("compression method 12 is not supported"));
  // Stated sizes: beyond the caller's limit, beyond what deflate can expand to, or just wrong.
  EXPECT_THAT(read({"a", text, 8, 0, {}, 0xF0000000}), HasSubstr("more than the 1048576"));
  EXPECT_THAT(read({"a", text, 8, 0, {}, 0xF0000000}, ~uint64_t{0}),
              HasSubstr("deflated bytes can hold"));
  EXPECT_THAT(read({"a", text, 8, 0, {}, 99999}), HasSubstr("inflates to more than"));
  EXPECT_THAT(read({"a", text, 8, 0, {}, 100001}), HasSubstr("inflates to 100000 bytes"));
  EXPECT_THAT(read({"a", text, 0, 0, {}, 100001}), HasSubstr("is stored but states"));

  // A member count the directory cannot hold is refused before anything is allocated for it.
  EXPECT_THAT(FormatErrorOf([] {
                OpenZip(MakeZip({{"a", "b"}}, false, 0xFFFF));
              }),
              HasSubstr("counts 65535 members, more than"));
  Bytes zip = MakeZip({{"a", "some data"}, {"b", "more data"}});
  for (size_t size = 0; size < zip.size(); ++size) {
    std::string error = FormatErrorOf([&] {
      ZipArchive archive = OpenZip(Bytes(zip.begin(), zip.begin() + size));
      for (size_t i = 0; i < archive.members().size(); ++i) archive.Read(i, 100);
    });
    EXPECT_THAT(error, HasSubstr("test.zip at offset")) << size;
  }
}

// ---------------------------------------------------------------------------------------------
// Finding the VBA project part.

std::optional<std::string> Find(std::vector<ZipMember> entries) {
  return FindVbaProjectPart(OpenZip(MakeZip(entries)));
}

TEST(OoxmlPackageTest, ResolvesTheRelationshipTargetAgainstTheMainPart) {
  struct Case {
    std::string main, target, member;
  };
  for (const Case& c : std::vector<Case>{
           {"word/document.xml", "vbaProject.bin", "word/vbaProject.bin"},
           {"word/document.xml", "/macros/Project.bin", "macros/Project.bin"},
           {"a/b/main.xml", "./x/../../top.bin", "a/top.bin"},
           {"a/main.xml", "../../../top.bin", "top.bin"},
           {"word/document.xml", "vba%20project.bin", "word/vba project.bin"},
           {"word/document.xml", "VBAPROJECT.BIN", "word/vbaProject.bin"},
       }) {
    std::vector<ZipMember> package =
        OoxmlPackage(c.main, "", Relationship(kVbaProjectRelationship, c.target));
    package.push_back({c.member, "project"});
    EXPECT_EQ(Find(package), c.member) << c.target;
  }
}

TEST(OoxmlPackageTest, ScannerToleratesPrefixesQuotesSpacingAndEntities) {
  std::vector<ZipMember> package = OoxmlPackage("word/document.xml", "", "");
  package[3].data =
      "\xEF\xBB\xBF<?xml version='1.0'?>\r\n<!-- written by hand -->"
      "<p:Relationships xmlns:p='http://schemas.openxmlformats.org/package/2006/relationships'>"
      "<p:Relationship Target = 'a&amp;b&#x20;&#99;.bin'\n\tType=\"" +
      std::string(kVbaProjectRelationship) + "\" Id='r1' ></p:Relationship></p:Relationships>\n";
  package.push_back({"word/a&b c.bin", "project"});
  EXPECT_EQ(Find(package), "word/a&b c.bin");
}

TEST(OoxmlPackageTest, UsesTheRelationshipThenTheOverrideThenTheDefault) {
  std::string override_part = "<Override PartName=\"/xl/listed.bin\" ContentType=\"" +
                              std::string(kVbaProjectContentType) + "\"/>";
  std::vector<ZipMember> package = OoxmlPackage(
      "xl/workbook.xml", override_part, Relationship(kVbaProjectRelationship, "related.bin"));
  package.push_back({"xl/listed.bin", "1"});
  package.push_back({"xl/related.bin", "2"});
  EXPECT_EQ(Find(package), "xl/related.bin");

  package = OoxmlPackage("xl/workbook.xml", override_part, "");
  package.push_back({"xl/listed.bin", "1"});
  EXPECT_EQ(Find(package), "xl/listed.bin");

  // A Default for "bin" labels the .bin parts that no Override labels otherwise.
  package =
      OoxmlPackage("xl/workbook.xml",
                   "<Default Extension='BIN' ContentType='" + std::string(kVbaProjectContentType) +
                       "'/><Override PartName='/xl/printer.bin' ContentType='x/y'/>",
                   "");
  package.push_back({"xl/printer.bin", "1"});
  package.push_back({"xl/macros.bin", "2"});
  EXPECT_EQ(Find(package), "xl/macros.bin");

  // Nothing that labels a VBA project: a document without macros.
  package = OoxmlPackage("xl/workbook.xml", "<Default Extension='bin' ContentType='x/y'/>", "");
  package.push_back({"xl/vbaProject.bin", "1"});
  EXPECT_EQ(Find(package), std::nullopt);
  EXPECT_EQ(Find({{"only.txt", "text"}}), std::nullopt);

  // UTF-16 content types.
  std::string types = kContentTypesStart + override_part + "</Types>";
  package = {{"[Content_Types].xml", "\xFF\xFE"}, {"xl/listed.bin", "1"}};
  for (char c : types) package[0].data += std::string{c, '\0'};
  EXPECT_EQ(Find(package), "xl/listed.bin");
}

TEST(OoxmlPackageTest, DamagedPartsAreFormatErrorsNamingThePart) {
  const std::string rels = "word/_rels/document.xml.rels";
  for (std::string damaged : {
           kRelationshipsStart +
               Relationship(kVbaProjectRelationship, "vbaProject.bin"),  // truncated
           kRelationshipsStart + std::string("</Types>"),
           kRelationshipsStart + std::string("<Relationship Type=x Target='y'/></Relationships>"),
           kRelationshipsStart +
               std::string("<Relationship Type='x' Target='&bogus;'/></Relationships>"),
           kRelationshipsStart +
               std::string("<Relationship Type='x' Target='&#0;'/></Relationships>"),
           kRelationshipsStart + std::string("<Relationship Type='x'/></Relationships>"),
           kRelationshipsStart + std::string("</Relationships><Relationships/>"),
           "<!DOCTYPE r [<!ENTITY e 'x'>]>" + std::string(kRelationshipsStart) + "</Relationships>",
           std::string("<Types/>"),
           std::string("no markup"),
       }) {
    std::vector<ZipMember> package = OoxmlPackage("word/document.xml", "", "");
    package[3].data = damaged;
    try {
      Find(package);
      ADD_FAILURE() << "accepted " << damaged;
    } catch (const FormatError& error) {
      EXPECT_EQ(error.where(), rels) << damaged;
    }
  }
  std::vector<ZipMember> package =
      OoxmlPackage("word/document.xml", "", Relationship(kVbaProjectRelationship, "gone.bin"));
  EXPECT_THAT(FormatErrorOf([&] { Find(package); }),
              HasSubstr("names the VBA project part word/gone.bin, which the package does not"));
}

// ---------------------------------------------------------------------------------------------
// The real documents of the shared corpus.

std::shared_ptr<const Bytes> ReadFile(const std::filesystem::path& path, size_t limit = SIZE_MAX) {
  std::ifstream in(path, std::ios::binary);
  auto bytes = std::make_shared<Bytes>(std::min<size_t>(std::filesystem::file_size(path), limit));
  in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  return bytes;
}

std::vector<std::filesystem::path> CorpusPackages() {
  std::vector<std::filesystem::path> packages;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TOVALIN_CORPUS "/files")) {
    if (entry.is_regular_file() && ZipArchive::HasSignature(*ReadFile(entry.path(), 4))) {
      packages.push_back(entry.path());
    }
  }
  std::sort(packages.begin(), packages.end());
  return packages;
}

TEST(OoxmlCorpusTest, FindsAndReadsTheVbaProjectOfEveryPackage) {
  const Bytes compound_signature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::vector<std::filesystem::path> packages = CorpusPackages();
  EXPECT_GE(packages.size(), 28u);
  for (const std::filesystem::path& path : packages) {
    SCOPED_TRACE(path.string());
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    std::string expected = extension == ".docm"   ? "word/vbaProject.bin"
                           : extension == ".pptm" ? "ppt/vbaProject.bin"
                                                  : "xl/vbaProject.bin";
    ZipArchive zip = ZipArchive::Open(ReadFile(path), path.string());
    EXPECT_EQ(FindVbaProjectPart(zip), expected);
    // Every member inflates to its stated size and CRC.
    for (size_t i = 0; i < zip.members().size(); ++i) {
      Bytes bytes = zip.Read(i, 64 << 20);
      if (zip.members()[i].name == expected) {
        EXPECT_TRUE(
            std::equal(compound_signature.begin(), compound_signature.end(), bytes.begin()));
      }
    }
  }
}

TEST(OoxmlCorpusTest, DamagedCopiesEndInAResultOrAFormatError) {
  std::shared_ptr<const Bytes> original =
      ReadFile(TOVALIN_CORPUS "/files/oletools/oleform-PR314.docm");
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    Bytes damaged = *original;
    if (round % 4 == 0) {
      damaged.resize(random() % damaged.size());
    } else {
      // Flip bytes, mostly in the last kilobytes where the directory and end record lie.
      for (int flips = 0; flips < 1 + round % 5; ++flips) {
        size_t span = round % 2 ? damaged.size() : std::min<size_t>(damaged.size(), 2048);
        damaged[damaged.size() - 1 - random() % span] ^= static_cast<uint8_t>(1 + random() % 255);
      }
    }
    try {
      ZipArchive zip = OpenZip(std::move(damaged));
      if (std::optional<std::string> part = FindVbaProjectPart(zip)) {
        zip.Read(*zip.Find(*part), 64 << 20);
      }
    } catch (const FormatError&) {
    }
  }
}

}  // namespace
}  // namespace tovalin
