#include "host/office/exported_form.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "host/host_error.h"
#include "host/memory/component_name.h"
#include "host/memory/memory_model.h"
#include "host/memory/message_text.h"
#include "host/office/activex_controls.h"
#include "host/office/code_page_decoder.h"
#include "host/office/compound_file.h"
#include "host/office/designer_model.h"
#include "host/office/designer_storage.h"
#include "host/office/document_reader.h"
#include "host/office/file_bytes.h"
#include "host/office/format_error.h"
#include "host/office/vba_project.h"

namespace tovalin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFormClassId = "{C62A69F0-16DC-11CE-9E98-00AA00574A4F}";
// A form's text or designer larger than this comes from no editor.
constexpr uint64_t kMaxFormFileSize = uint64_t{64} << 20;
// The .frx header: "LB", a 16-bit version, the compound file's size, then 16 bytes.
constexpr size_t kFrxHeaderSize = 24;
// How many files of a folder are looked at.
constexpr size_t kMaxFolderEntries = 100000;

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
  return line.size() >= word.size() && line.substr(0, word.size()) == word &&
         (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

// The .frm text split into its header (VERSION line to the End of the form's Begin block) and
// the module text after it.
struct FrmText {
  std::string header;
  std::string module;  // attribute lines and code, as the module stores them
  std::string begin_name;
  std::optional<std::string> blob_file;  // OleObjectBlob = "<file>":<hex offset>
  uint64_t blob_offset = 0;
};

// The next line of `text` from `at` (without its line end); advances `at` past the line end.
std::string_view NextLine(std::string_view text, size_t& at) {
  const size_t end = text.find_first_of("\r\n", at);
  std::string_view line = text.substr(at, end == std::string_view::npos ? text.npos : end - at);
  if (end == std::string_view::npos) {
    at = text.size();
  } else {
    at = end + 1;
    if (text[end] == '\r' && at < text.size() && text[at] == '\n') ++at;
  }
  return line;
}

// `"Form1.frx":0000`: the file name and the offset in it.
void ParseBlob(std::string_view value, FrmText& frm) {
  if (value.size() < 2 || value.front() != '"') return;
  const size_t close = value.find('"', 1);
  if (close == std::string_view::npos) return;
  frm.blob_file = std::string(value.substr(1, close - 1));
  std::string_view rest = TrimSpaces(value.substr(close + 1));
  if (rest.empty() || rest.front() != ':') return;
  rest.remove_prefix(1);
  uint64_t offset = 0;
  for (char c : rest) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      break;
    }
    if (offset > (uint64_t{1} << 40)) return;  // no .frx is that large
    offset = offset * 16 + static_cast<uint64_t>(digit);
  }
  frm.blob_offset = offset;
}

// Splits the decoded .frm text; throws DocumentError when it is not a form's export.
FrmText SplitFrm(std::string_view text, const std::string& path) {
  auto not_a_form = [&](const std::string& why) {
    throw DocumentError(DocumentProblem::kNotADocument,
                        path + ": is not a form exported by the VBA editor: " + why);
  };
  FrmText frm;
  size_t at = 0;
  // A byte order mark is not written by the editor, but tolerate one.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") at = 3;
  if (TrimSpaces(NextLine(text, at)) != "VERSION 5.00")
    not_a_form("the first line is not VERSION 5.00");
  const std::string_view begin = TrimSpaces(NextLine(text, at));
  if (!StartsWithWord(begin, "Begin")) not_a_form("the second line is not its Begin line");
  std::string_view rest = TrimSpaces(begin.substr(5));
  if (!EqualsIgnoringAsciiCase(rest.substr(0, kFormClassId.size()), kFormClassId)) {
    not_a_form("it begins no UserForm");
  }
  frm.begin_name = std::string(TrimSpaces(rest.substr(std::min(rest.size(), kFormClassId.size()))));
  int depth = 1;
  const size_t header_start = 0;
  while (depth > 0) {
    if (at >= text.size()) not_a_form("its Begin block has no End");
    const std::string_view line = TrimSpaces(NextLine(text, at));
    if (StartsWithWord(line, "Begin") || StartsWithWord(line, "BeginProperty")) {
      ++depth;
    } else if (line == "End" || StartsWithWord(line, "EndProperty")) {
      --depth;
    } else if (depth == 1 && StartsWithWord(line, "OleObjectBlob")) {
      const size_t equals = line.find('=');
      if (equals != std::string_view::npos) ParseBlob(TrimSpaces(line.substr(equals + 1)), frm);
    }
  }
  frm.header = std::string(text.substr(header_start, at));
  frm.module = std::string(text.substr(at));
  return frm;
}

// The module's name from its `Attribute VB_Name = "Name"` line, if it has one.
std::optional<std::string> ModuleName(std::string_view module) {
  size_t at = 0;
  while (at < module.size()) {
    const std::string_view line = TrimSpaces(NextLine(module, at));
    if (!StartsWithWord(line, "Attribute")) break;
    std::string_view rest = TrimSpaces(line.substr(9));
    if (!StartsWithWord(rest, "VB_Name") && rest.substr(0, 8) != "VB_Name=") continue;
    const size_t open = rest.find('"');
    const size_t close = open == std::string_view::npos ? open : rest.find('"', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(rest.substr(open + 1, close - open - 1));
  }
  return std::nullopt;
}

// The form's designer from the .frx; every failure becomes the designer's failure.
ObjectSlot<UserForm> ReadFrx(const fs::path& frm_path, const FrmText& frm, const VbFrameInfo& frame,
                             uint32_t code_page) {
  const fs::path frx_path = frm.blob_file
                                ? frm_path.parent_path() / fs::path(*frm.blob_file).filename()
                                : fs::path(frm_path).replace_extension(".frx");
  const std::string frx_name = frx_path.string();
  try {
    const FileBytes bytes = ReadInputFile(frx_name, kMaxFormFileSize);
    const uint64_t at = frm.blob_offset;
    if (at > bytes->size() || bytes->size() - at < kFrxHeaderSize) {
      throw FormatError("the file ends before the designer's header", frx_name, at);
    }
    const uint8_t* header = bytes->data() + at;
    if (header[0] != 'L' || header[1] != 'B') {
      throw FormatError("the designer's header does not start with \"LB\"", frx_name, at);
    }
    const uint64_t size = uint64_t{header[4]} | uint64_t{header[5]} << 8 |
                          uint64_t{header[6]} << 16 | uint64_t{header[7]} << 24;
    const uint64_t start = at + kFrxHeaderSize;
    if (size > bytes->size() - start) {
      throw FormatError(
          "the designer of " + std::to_string(size) + " bytes runs past the end of the file",
          frx_name, at + 4);
    }
    auto compound = std::make_shared<const std::vector<uint8_t>>(
        bytes->begin() + static_cast<std::ptrdiff_t>(start),
        bytes->begin() + static_cast<std::ptrdiff_t>(start + size));
    if (!CompoundFile::HasSignature(*compound)) {
      throw FormatError("the designer is not a compound file", frx_name, start);
    }
    const CompoundFile file = CompoundFile::Open(compound, frx_name);
    return ObjectSlot<UserForm>(ReadDesigner(file, file.root(), frame, code_page));
  } catch (const DocumentError& e) {
    return HostError(e.problem() == DocumentProblem::kUnreadable ? kErrFileNotFound : kErrDeviceIo,
                     e.what());
  } catch (const FormatError& e) {
    return HostError(kErrDeviceIo, e.what());
  }
}

// The text with every line end (CR LF, a lone LF or CR) made CR LF, as the editor stores a
// module: exported files are often kept with LF line ends by version control.
std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  size_t at = 0;
  while (at < text.size()) {
    const size_t line_start = at;
    const std::string_view line = NextLine(text, at);
    out += line;
    if (line_start + line.size() < text.size()) out += "\r\n";
  }
  return out;
}

// Reads one exported form into a component; `warnings` receives why a form is left out.
std::shared_ptr<MemoryComponent> ReadExportedForm(const fs::path& frm_path, uint32_t code_page,
                                                  std::vector<std::string>& warnings) {
  const std::string path = frm_path.string();
  const FileBytes bytes = ReadInputFile(path, kMaxFormFileSize);
  CodePageDecoder decoder(code_page);
  const std::string text = decoder.Decode(std::span<const uint8_t>(*bytes));
  const FrmText frm = SplitFrm(text, path);
  const std::string name = ModuleName(frm.module).value_or(frm.begin_name);
  if (auto fault = ComponentNameFault(name)) {
    warnings.push_back(path + ": the form " + QuotedForMessage(name) + " is left out: " + *fault);
    return nullptr;
  }
  const VbFrameInfo frame = ParseVbFrame(frm.header);
  auto component = std::make_shared<MemoryComponent>(name, kUserFormComponent);
  if (frame.caption) component->properties().Set("Caption", Variant::String(*frame.caption));
  component->SetCodeModule(
      std::make_shared<MemoryCodeModule>(HideAttributeLines(WithCrLfLineEnds(frm.module))));
  component->SetDesigner(ReadFrx(frm_path, frm, frame, code_page));
  return component;
}

bool HasFrmExtension(const fs::path& path) {
  return EqualsIgnoringAsciiCase(path.extension().string(), ".frm");
}

// The .frm files of a folder, by name.
std::vector<fs::path> FormFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) {
    throw DocumentError(DocumentProblem::kUnreadable,
                        folder.string() + ": cannot read the folder: " + error.message());
  }
  size_t seen = 0;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error || ++seen > kMaxFolderEntries) break;
    if (HasFrmExtension(it->path()) && it->is_regular_file(error)) files.push_back(it->path());
  }
  if (error) {
    throw DocumentError(DocumentProblem::kUnreadable,
                        folder.string() + ": cannot read the folder: " + error.message());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// An exported form carries no references of its project: the project gets one for the library
// of each well-known control on its forms, so that those controls keep their class names.
void AddLibrariesOfKnownControls(MemoryProject& project) {
  const std::vector<std::string> keys = KnownActiveXClassKeys();
  std::vector<std::string> libraries;
  for (const auto& component : project.VBComponents()) {
    ControlList controls;
    try {
      controls = component->Designer()->Controls();
    } catch (const HostError&) {
      continue;  // a form whose designer cannot be read has no controls to name
    }
    for (const auto& control : controls) {
      const std::string type = control->TypeName();
      if (IsFormsPackageType(type)) continue;
      for (const std::string& key : keys) {
        if (!key.ends_with("." + type)) continue;
        const std::string library = key.substr(0, key.size() - type.size() - 1);
        if (std::find(libraries.begin(), libraries.end(), library) == libraries.end()) {
          libraries.push_back(library);
        }
      }
    }
  }
  for (const std::string& library : libraries) {
    project.AddReference(
        std::make_shared<MemoryReference>(Variant::String(library), Variant::Boolean(false)));
  }
}

}  // namespace

bool LooksLikeExportedForm(std::span<const uint8_t> first_bytes) {
  std::string_view text(reinterpret_cast<const char*>(first_bytes.data()), first_bytes.size());
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  size_t at = 0;
  if (TrimSpaces(NextLine(text, at)) != "VERSION 5.00") return false;
  const std::string_view begin = TrimSpaces(NextLine(text, at));
  if (!StartsWithWord(begin, "Begin")) return false;
  const std::string_view rest = TrimSpaces(begin.substr(5));
  return EqualsIgnoringAsciiCase(rest.substr(0, kFormClassId.size()), kFormClassId);
}

LoadedDescription OpenExportedForms(const std::string& path, uint32_t code_page) {
  const fs::path input(path);
  std::error_code error;
  const bool folder = fs::is_directory(input, error);
  LoadedDescription loaded;
  std::string project_name = "VBAProject";
  std::vector<fs::path> files;
  if (folder) {
    files = FormFilesIn(input);
    const std::string folder_name = fs::absolute(input, error).filename().string();
    if (!ComponentNameFault(folder_name)) project_name = folder_name;
  } else {
    files.push_back(input);
  }
  auto project = std::make_shared<MemoryProject>(project_name);
  for (const fs::path& file : files) {
    std::shared_ptr<MemoryComponent> component;
    try {
      component = ReadExportedForm(file, code_page, loaded.warnings);
    } catch (const DocumentError& e) {
      // One file of a folder that is no form is passed over; a single file is the input.
      if (!folder) throw;
      loaded.warnings.push_back(std::string(e.what()) + "; it is passed over");
      continue;
    }
    if (component == nullptr) continue;
    if (project->FindComponent(component->Name())) {
      loaded.warnings.push_back(file.string() + ": the form " +
                                QuotedForMessage(component->Name()) +
                                " is left out: a form of that name comes before it");
      continue;
    }
    project->AddComponent(component);
  }
  if (folder && project->VBComponents().empty()) {
    throw DocumentError(DocumentProblem::kNoVbaProject,
                        path + ": holds no form exported by the VBA editor");
  }
  AddLibrariesOfKnownControls(*project);
  auto vbe = std::make_shared<MemoryVbe>();
  vbe->SetActiveProject(project);
  loaded.vbe = vbe;
  loaded.code_page = code_page;
  // Without a registry to ask, the classes of the well-known controls count as registered.
  loaded.class_registry = std::make_shared<MemoryClassRegistry>(KnownActiveXClassKeys());
  return loaded;
}

}  // namespace tovalin
