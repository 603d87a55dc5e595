// Damaged documents: every open ends in a result or a clear error; nothing crashes, hangs or
// allocates without bound. The corpus documents are damaged many times each, in their outer
// container and in the VBA project part inside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "host/host_error.h"
#include "host/office/compound_file.h"
#include "host/office/document_reader.h"
#include "host/office/ooxml_package.h"
#include "support/compound_file_writer.h"
#include "support/ooxml_package_writer.h"
#include "support/temp_folder.h"
#include "support/zip_writer.h"

namespace tovalin::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kDamagesPerDocument = 24;

std::vector<fs::path> CorpusDocuments() {
  std::vector<fs::path> documents;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(TOVALIN_CORPUS) / "files")) {
    if (entry.is_regular_file()) documents.push_back(entry.path());
  }
  std::sort(documents.begin(), documents.end());
  return documents;
}

// The VBA project part of a package, or the document itself when it is a compound file.
std::string ProjectBytes(const std::string& document) {
  auto bytes = std::make_shared<const std::vector<uint8_t>>();
  const std::string all = ReadFileBytes(document);
  bytes = std::make_shared<const std::vector<uint8_t>>(all.begin(), all.end());
  if (!ZipArchive::HasSignature(*bytes)) return all;
  const ZipArchive package = ZipArchive::Open(bytes, document);
  const auto part = FindVbaProjectPart(package);
  if (!part) return all;
  const std::vector<uint8_t> inner = package.Read(*package.Find(*part), uint64_t{1} << 30);
  return {inner.begin(), inner.end()};
}

// One kind of damage chosen at random: flipped bytes, a truncation, or 32-bit fields set to
// values that make chains loop, end or point far away.
std::string Damage(std::string bytes, std::mt19937& random) {
  const auto at = [&](size_t limit) {
    return std::uniform_int_distribution<size_t>(0, limit == 0 ? 0 : limit - 1)(random);
  };
  switch (random() % 4) {
    case 0:
      for (int i = 0; i < 8 && !bytes.empty(); ++i)
        bytes[at(bytes.size())] ^= char(1 << (random() % 8));
      break;
    case 1:
      bytes.resize(at(bytes.size()));
      break;
    default: {
      static constexpr uint32_t kValues[] = {0,          1,          2,          0x7FFFFFFF,
                                             0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFA};
      // Headers, FAT and directory sit mostly near the start: damage there more often.
      const size_t span = (random() % 2 == 0) ? std::min<size_t>(bytes.size(), 4096) : bytes.size();
      for (int i = 0; i < 4 && span >= 4; ++i) {
        const size_t offset = at(span - 3) & ~size_t{3};
        const uint32_t value = kValues[random() % 8];
        for (int b = 0; b < 4; ++b) bytes[offset + b] = char((value >> (8 * b)) & 0xFF);
      }
    }
  }
  return bytes;
}

TEST(DamageTest, EveryDamagedCorpusDocumentOpensOrFailsClearly) {
  TempFolder folder;
  std::mt19937 random(20261208);
  size_t opened = 0;
  size_t refused = 0;
  for (const fs::path& document : CorpusDocuments()) {
    SCOPED_TRACE(document.string());
    const std::string outer = ReadFileBytes(document);
    const std::string project = ProjectBytes(document.string());
    for (int i = 0; i < kDamagesPerDocument; ++i) {
      // Half the damage goes into the project part given bare, half into the whole document.
      const std::string damaged = Damage(i % 2 == 0 ? project : outer, random);
      const std::string path = folder.Path("damaged.bin");
      WriteFileBytes(path, damaged);
      try {
        const LoadedDescription loaded = OpenDocument(path);
        // What opens must be readable through the model as far as the export reads it.
        for (const auto& component : loaded.vbe->ActiveVBProject()->VBComponents()) {
          try {
            auto module = component->GetCodeModule();
            module->Lines(1, module->CountOfLines());
          } catch (const HostError&) {
          }
        }
        ++opened;
      } catch (const DocumentError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        ++refused;
      }
    }
  }
  // Both outcomes occur: the damage is neither always harmless nor always fatal.
  EXPECT_GT(opened, 0u);
  EXPECT_GT(refused, 0u);
}

TEST(DamageTest, EachProblemHasItsOwnMessage) {
  TempFolder folder;
  const auto problem_of = [&](const std::string& bytes) {
    const std::string path = folder.Path("input");
    WriteFileBytes(path, bytes);
    try {
      OpenDocument(path);
    } catch (const DocumentError& e) {
      return std::make_pair(e.problem(), std::string(e.what()));
    }
    return std::make_pair(DocumentProblem::kUnreadable, std::string("opened"));
  };
  auto [problem, message] = problem_of("just text");
  EXPECT_EQ(problem, DocumentProblem::kNotADocument);
  EXPECT_EQ(message,
            folder.Path("input") +
                ": is not an Office document, a VBA project part or a project description");
  std::tie(problem, message) = problem_of(std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
  EXPECT_EQ(problem, DocumentProblem::kDamaged);
  EXPECT_NE(message.find(": is damaged: "), std::string::npos);

  const auto text_of = [](const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
  };
  CfbWriter encrypted;
  encrypted.AddStream(CfbWriter::kRoot, u"EncryptionInfo", std::vector<uint8_t>(200, 4));
  encrypted.AddStream(CfbWriter::kRoot, u"EncryptedPackage", std::vector<uint8_t>(5000, 0xA5));
  std::tie(problem, message) = problem_of(text_of(encrypted.Build()));
  EXPECT_EQ(problem, DocumentProblem::kEncrypted);
  EXPECT_EQ(message, folder.Path("input") + ": is encrypted (protected with a password)");

  CfbWriter without_macros;
  without_macros.AddStream(CfbWriter::kRoot, u"WordDocument", std::vector<uint8_t>(600, 1));
  std::tie(problem, message) = problem_of(text_of(without_macros.Build()));
  EXPECT_EQ(problem, DocumentProblem::kNoVbaProject);
  EXPECT_EQ(message, folder.Path("input") + ": holds no VBA project");

  std::tie(problem, message) =
      problem_of(text_of(MakeZip(OoxmlPackage("word/document.xml", "", ""))));
  EXPECT_EQ(problem, DocumentProblem::kNoVbaProject);
  EXPECT_EQ(message, folder.Path("input") + ": holds no VBA project");

  // The package declares its VBA project part, but the part is no compound file.
  std::vector<ZipMember> package =
      OoxmlPackage("word/document.xml",
                   "<Override PartName=\"/word/vbaProject.bin\" ContentType=\"" +
                       std::string(kVbaProjectContentType) + "\"/>",
                   Relationship(kVbaProjectRelationship, "vbaProject.bin"));
  package.push_back({"word/vbaProject.bin", "no compound file signature"});
  std::tie(problem, message) = problem_of(text_of(MakeZip(package)));
  EXPECT_EQ(problem, DocumentProblem::kDamaged);
  EXPECT_EQ(message.rfind(folder.Path("input") + ": is damaged: ", 0), 0u) << message;
  EXPECT_NE(message.find("word/vbaProject.bin"), std::string::npos) << message;
  try {
    OpenDocument(folder.Path("missing"));
    ADD_FAILURE();
  } catch (const DocumentError& e) {
    EXPECT_EQ(e.problem(), DocumentProblem::kUnreadable);
    EXPECT_EQ(std::string(e.what()),
              folder.Path("missing") + ": cannot read: No such file or directory");
  }
}

}  // namespace
}  // namespace tovalin::testing
