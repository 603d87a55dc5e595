// Every document of the shared corpus, against what an independent reader found in it: the
// project, its modules and their source texts byte for byte, and the components the editor's
// object model shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "host/office/document_reader.h"
#include "support/sha256.h"

namespace tovalin::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = TOVALIN_CORPUS;

struct OracleDocument {
  fs::path document;
  nlohmann::json project;  // the oracle's one project of the document
};

std::vector<OracleDocument> OracleDocuments() {
  std::vector<OracleDocument> documents;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus / "oracle")) {
    const std::string name = entry.path().filename().string();
    if (name.size() < 5 || name.ends_with(".lo.json") || !name.ends_with(".json")) continue;
    const nlohmann::json oracle = nlohmann::json::parse(std::ifstream(entry.path()));
    const fs::path relative = fs::relative(entry.path(), kCorpus / "oracle");
    OracleDocument document{
        kCorpus / "files" / relative.parent_path() / relative.filename().replace_extension(""),
        nullptr};
    for (const auto& container : oracle["containers"]) {
      for (const auto& project : container["projects"]) document.project = project;
    }
    documents.push_back(std::move(document));
  }
  std::sort(documents.begin(), documents.end(),
            [](const auto& a, const auto& b) { return a.document < b.document; });
  return documents;
}

// The module's name as the editor shows it: the Unicode record's when there is one (the other
// may differ in letter case after a rename).
std::string ModuleName(const nlohmann::json& module) {
  const auto unicode = module.find("name_unicode");
  if (unicode != module.end() && unicode->is_string() && !unicode->get<std::string>().empty()) {
    return unicode->get<std::string>();
  }
  return module["name"].get<std::string>();
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Component types as the PROJECT stream lists the modules, by lower-case name: identifiers match
// without regard to case.
std::map<std::string, int32_t> TypesFromProjectText(const std::string& text) {
  std::map<std::string, int32_t> types;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) break;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    std::string value = line.substr(equals + 1);
    if (key == "Document") value = value.substr(0, value.find('/'));
    value = Lower(value);
    if (key == "Document") types[value] = kDocumentModule;
    if (key == "Module") types[value] = kStandardModule;
    if (key == "Class") types[value] = kClassModule;
    if (key == "BaseClass") types[value] = kUserFormComponent;
  }
  return types;
}

TEST(CorpusTest, EveryDocumentReadsAsTheOracleFoundIt) {
  const std::vector<OracleDocument> documents = OracleDocuments();
  ASSERT_GE(documents.size(), 30u);
  for (const OracleDocument& oracle : documents) {
    SCOPED_TRACE(oracle.document.string());
    DocumentProject read;
    try {
      read = OpenDocumentProject(oracle.document.string());
    } catch (const DocumentError& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    const nlohmann::json& project = oracle.project;
    EXPECT_EQ(read.project.code_page, project["codepage"].get<int>());
    EXPECT_EQ(read.project.name, project["project_name"].get<std::string>());
    const auto& modules = project["modules"];
    ASSERT_EQ(read.project.modules.size(), modules.size());
    for (size_t i = 0; i < modules.size(); ++i) {
      const VbaModule& module = read.project.modules[i];
      SCOPED_TRACE(module.name);
      EXPECT_EQ(module.name, ModuleName(modules[i]));
      EXPECT_EQ(module.stream_name, modules[i]["stream_name"].get<std::string>());
      EXPECT_EQ(module.text_offset, modules[i]["text_offset"].get<uint32_t>());
      EXPECT_EQ(module.procedural, modules[i]["module_type"] == "procedural");
      EXPECT_FALSE(module.source_error.has_value()) << *module.source_error;
      EXPECT_EQ(Sha256Hex(module.source_bytes), modules[i]["source_sha256"].get<std::string>());
      EXPECT_EQ(module.source, modules[i]["source"].get<std::string>());
    }

    // The object model: the same components in project order, typed by the PROJECT stream.
    const LoadedDescription loaded = OpenDocument(oracle.document.string());
    const auto types = TypesFromProjectText(project["project_stream_text"].get<std::string>());
    const auto components = loaded.vbe->ActiveVBProject()->VBComponents();
    ASSERT_EQ(components.size(), modules.size());
    for (size_t i = 0; i < components.size(); ++i) {
      const std::string name = components[i]->Name();
      EXPECT_EQ(name, ModuleName(modules[i]));
      // A module the PROJECT stream does not list is a standard module or a class.
      const int32_t expected = types.count(Lower(name))                    ? types.at(Lower(name))
                               : modules[i]["module_type"] == "procedural" ? kStandardModule
                                                                           : kClassModule;
      EXPECT_EQ(components[i]->Type(), expected) << name;
    }
  }
}

}  // namespace
}  // namespace tovalin::testing
