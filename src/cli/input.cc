#include "cli/input.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "host/office/document_reader.h"
#include "host/office/exported_form.h"

namespace tovalin {
namespace {

int ExitStatusOf(DocumentProblem problem) {
  switch (problem) {
    case DocumentProblem::kUnreadable:
      return kExitInputUnreadable;
    case DocumentProblem::kNotADocument:
      return kExitNotADocument;
    case DocumentProblem::kEncrypted:
      return kExitEncrypted;
    case DocumentProblem::kNoVbaProject:
      return kExitNoVbaProject;
    case DocumentProblem::kDamaged:
      return kExitDamaged;
  }
  return kExitInputUnreadable;
}

// A description is JSON: an object, possibly after a byte order mark and white space.
bool LooksLikeDescription(const std::vector<uint8_t>& head) {
  size_t i = 0;
  if (head.size() >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) i = 3;
  while (i < head.size() &&
         (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
    ++i;
  return i < head.size() && head[i] == '{';
}

}  // namespace

LoadedDescription OpenInput(const std::string& path, std::optional<uint32_t> text_code_page) {
  // Exported forms carry no code page of their own: they are read in the one the user names,
  // else in the Western one.
  const uint32_t form_code_page = text_code_page.value_or(1252);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    try {
      return OpenExportedForms(path, form_code_page);
    } catch (const DocumentError& e) {
      throw InputError(ExitStatusOf(e.problem()), e.what());
    }
  }
  // A FIFO or device would block or never end: only regular files are inputs.
  if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error)) {
    throw InputError(kExitInputUnreadable, path + ": cannot read: not a regular file or folder");
  }
  std::vector<uint8_t> head(512);
  {
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
  }
  try {
    if (!LooksLikeDocument(head) && LooksLikeDescription(head)) {
      return LoadProjectDescriptionFile(path);
    }
    if (LooksLikeExportedForm(head)) return OpenExportedForms(path, form_code_page);
    return OpenDocument(path);
  } catch (const DescriptionError& e) {
    throw InputError(kExitInputUnreadable, e.what());
  } catch (const DocumentError& e) {
    throw InputError(ExitStatusOf(e.problem()), e.what());
  }
}

}  // namespace tovalin
