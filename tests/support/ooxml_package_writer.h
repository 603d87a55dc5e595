// The parts of an Open Packaging Conventions package for tests: content types, relationships
// and a main part, as zip members for MakeZip.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/zip_writer.h"

namespace tovalin::testing {

inline constexpr char kContentTypesStart[] =
    R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)";
inline constexpr char kRelationshipsStart[] =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
inline constexpr char kOfficeDocumentRelationship[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr char kVbaProjectRelationship[] =
    "http://schemas.microsoft.com/office/2006/relationships/vbaProject";
inline constexpr char kVbaProjectContentType[] = "application/vnd.ms-office.vbaProject";

inline std::string Relationship(std::string_view type, std::string_view target) {
  return "<Relationship Id=\"r\" Type=\"" + std::string(type) + "\" Target=\"" +
         std::string(target) + "\"/>";
}

// A package whose main part is `main`, with `types` (Default and Override elements) in
// [Content_Types].xml and `main_rels` (Relationship elements) in the main part's relationships
// part. Members: [Content_Types].xml, _rels/.rels, the main part, its relationships part.
inline std::vector<ZipMember> OoxmlPackage(const std::string& main, const std::string& types,
                                           const std::string& main_rels) {
  const size_t slash = main.rfind('/');
  const std::string rels = main.substr(0, slash + 1) + "_rels/" + main.substr(slash + 1) + ".rels";
  return {{"[Content_Types].xml", kContentTypesStart + types + "</Types>"},
          {"_rels/.rels", kRelationshipsStart + Relationship(kOfficeDocumentRelationship, main) +
                              "</Relationships>"},
          {main, "<document/>"},
          {rels, kRelationshipsStart + main_rels + "</Relationships>"}};
}

}  // namespace tovalin::testing
