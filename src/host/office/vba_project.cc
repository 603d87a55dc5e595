#include "host/office/vba_project.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <unordered_map>
#include <utility>

#include "host/office/code_page_decoder.h"
#include "host/office/dir_stream.h"
#include "host/office/format_error.h"
#include "host/office/ovba_compression.h"
#include "host/office/project_stream.h"

namespace tovalin {
namespace {

// No dir stream comes near this; it bounds what a crafted one can make the reader allocate.
constexpr size_t kMaxDirBytes = size_t{16} << 20;
// One module's text: the editor keeps a module below 65536 lines, far less in practice.
constexpr size_t kMaxModuleBytes = size_t{64} << 20;
// All modules of a project together. Streams of a damaged file may share sectors, so that the
// per-module bounds alone would not tie the total to the file's size.
constexpr size_t kMaxProjectSourceBytes = size_t{256} << 20;

std::string Below(const CompoundFile& file, CompoundFile::EntryId storage, std::string_view path) {
  std::string where = file.PathOf(storage);
  if (!where.empty()) where += '/';
  where += path;
  return where;
}

// The child stream of `storage` named `name`, taken as a whole name (a "/" in a name from a
// damaged file leads nowhere else).
std::optional<CompoundFile::EntryId> FindChildStream(const CompoundFile& file,
                                                     CompoundFile::EntryId storage,
                                                     std::string_view name) {
  const std::optional<CompoundFile::EntryId> id = file.Find(storage, name);
  if (!id || file.entry(*id).type != CompoundFile::EntryType::kStream) return std::nullopt;
  return id;
}

// Reads one module's source from its stream in the VBA storage into `module`, or records in
// source_error why it cannot.
// `readers` maps each stream read so far to its module, so that modules of a damaged dir stream
// that name one stream are not read again and again.
void ReadModuleSource(const CompoundFile& file, CompoundFile::EntryId vba_storage,
                      CodePageDecoder& decoder, size_t& budget,
                      std::unordered_map<CompoundFile::EntryId, std::string>& readers,
                      VbaModule& module) {
  const std::string path = Below(file, vba_storage, module.stream_name);
  if (module.source_error) {
    module.source_error = "module " + module.name + " (" + path + "): " + *module.source_error;
    return;
  }
  const std::optional<CompoundFile::EntryId> id =
      FindChildStream(file, vba_storage, module.stream_name);
  if (!id) {
    module.source_error = path + ": the module's stream is missing";
    return;
  }
  if (const auto [reader, first] = readers.emplace(*id, module.name); !first) {
    module.source_error = path + ": the stream is module " + reader->second + "'s already";
    return;
  }
  try {
    const std::vector<uint8_t> stream = file.ReadStream(*id);
    if (module.text_offset > stream.size()) {
      throw FormatError("the source text offset lies past the end of the stream (" +
                            std::to_string(stream.size()) + " bytes)",
                        path, module.text_offset);
    }
    const std::span<const uint8_t> container =
        std::span<const uint8_t>(stream).subspan(module.text_offset);
    const size_t limit = std::min(DecompressionLimit(container.size(), kMaxModuleBytes), budget);
    DecompressContainerTo(container, path, limit, module.source_bytes, module.text_offset);
  } catch (const FormatError& error) {
    module.source_bytes.clear();
    module.source_error = error.what();
    return;
  }
  budget -= module.source_bytes.size();
  decoder.DecodeTo(module.source_bytes, module.source);
}

}  // namespace

VbaProject ReadVbaProject(const CompoundFile& file, CompoundFile::EntryId project_storage) {
  const std::optional<CompoundFile::EntryId> vba_storage = file.Find(project_storage, "VBA");
  std::optional<CompoundFile::EntryId> dir_id;
  if (vba_storage && file.entry(*vba_storage).type == CompoundFile::EntryType::kStorage) {
    dir_id = FindChildStream(file, *vba_storage, "dir");
  }
  const std::string dir_path = Below(file, project_storage, "VBA/dir");
  if (!dir_id) throw FormatError("the VBA project has no dir stream", dir_path, 0);
  const std::vector<uint8_t> compressed = file.ReadStream(*dir_id);
  const std::vector<uint8_t> dir = DecompressContainer(
      compressed, dir_path, DecompressionLimit(compressed.size(), kMaxDirBytes));
  DirInfo info = ParseDirStream(dir, dir_path + " (decompressed)");

  VbaProject project;
  project.code_page = info.code_page;
  project.name = std::move(info.project_name);
  project.references = std::move(info.references);
  project.modules = std::move(info.modules);

  CodePageDecoder decoder(project.code_page);
  // Without a PROJECT stream the module kinds come from the dir stream alone.
  ProjectStreamInfo project_stream;
  if (const auto id = FindChildStream(file, project_storage, "PROJECT")) {
    const std::vector<uint8_t> bytes = file.ReadStream(*id);
    project_stream = ParseProjectStream(decoder.Decode(bytes));
  }
  ApplyModuleKinds(project_stream, project.modules);

  size_t budget = kMaxProjectSourceBytes;
  std::unordered_map<CompoundFile::EntryId, std::string> readers;
  for (VbaModule& module : project.modules) {
    ReadModuleSource(file, *vba_storage, decoder, budget, readers, module);
  }
  return project;
}

std::optional<std::string> ReadVbFrameText(const CompoundFile& file,
                                           CompoundFile::EntryId project_storage,
                                           const VbaModule& module, uint16_t code_page) {
  const std::optional<CompoundFile::EntryId> designer =
      file.Find(project_storage, module.stream_name);
  if (!designer || file.entry(*designer).type != CompoundFile::EntryType::kStorage) {
    return std::nullopt;
  }
  const auto id = FindChildStream(file, *designer, "\x03VBFrame");
  if (!id) return std::nullopt;
  CodePageDecoder decoder(code_page);
  return decoder.Decode(file.ReadStream(*id));
}

std::string HideAttributeLines(std::string_view source) {
  static constexpr std::string_view kAttribute = "Attribute ";
  std::string shown;
  shown.reserve(source.size());
  bool first = true;
  while (!source.empty()) {
    const size_t end = source.find("\r\n");
    const std::string_view line = source.substr(0, end);
    source.remove_prefix(end == std::string_view::npos ? source.size() : end + 2);
    if (line.starts_with(kAttribute)) continue;
    if (!first) shown += "\r\n";
    shown += line;
    first = false;
  }
  return shown;
}

namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The keyword a line begins with ("Begin", "End", "Caption"), up to a space, tab or "=".
std::string_view FirstWord(std::string_view line) {
  return line.substr(0, line.find_first_of(" \t="));
}

// A quoted string value: its text with doubled quotes made single; what follows the closing
// quote (a comment) is ignored. An unquoted value is taken up to a comment.
std::string StringValue(std::string_view value) {
  if (!value.starts_with('"')) return std::string(TrimSpaces(value.substr(0, value.find('\''))));
  std::string text;
  for (size_t i = 1; i < value.size(); ++i) {
    if (value[i] != '"') {
      text += value[i];
    } else if (i + 1 < value.size() && value[i + 1] == '"') {
      text += '"';
      ++i;
    } else {
      break;
    }
  }
  return text;
}

// A number of twips as written, "3015" or "8850.001" (a form sized in points, whose size in
// twips has a fraction); nullopt when the value does not begin with a number.
std::optional<double> TwipsValue(std::string_view value) {
  size_t i = 0;
  const bool negative = i < value.size() && value[i] == '-';
  if (negative) ++i;
  const size_t digits_start = i;
  double number = 0;
  while (i < value.size() && value[i] >= '0' && value[i] <= '9' && i - digits_start < 15) {
    number = number * 10 + (value[i] - '0');
    ++i;
  }
  if (i == digits_start) return std::nullopt;
  if (i < value.size() && value[i] >= '0' && value[i] <= '9') return std::nullopt;  // too long
  if (i < value.size() && value[i] == '.') {
    double scale = 0.1;
    for (++i; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i, scale /= 10) {
      number += (value[i] - '0') * scale;
    }
  }
  const std::string_view rest = TrimSpaces(value.substr(i));
  if (!rest.empty() && !rest.starts_with('\'')) return std::nullopt;
  return negative ? -number : number;
}

}  // namespace

VbFrameInfo ParseVbFrame(std::string_view text) {
  VbFrameInfo info;
  int depth = 0;  // 1 inside the form's own Begin ... End block, more in nested blocks
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = TrimSpaces(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    const std::string_view word = FirstWord(line);
    if (word == "Begin" || word == "BeginProperty") {
      ++depth;
      continue;
    }
    if (word == "End" || word == "EndProperty") {
      if (depth > 0 && --depth == 0) break;  // the end of the form's block: nothing follows
      continue;
    }
    if (depth != 1) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = TrimSpaces(line.substr(0, equals));
    const std::string_view value = TrimSpaces(line.substr(equals + 1));
    if (key == "Caption") {
      info.caption = StringValue(value);
    } else if (key == "ClientWidth") {
      info.client_width = TwipsValue(value);
    } else if (key == "ClientHeight") {
      info.client_height = TwipsValue(value);
    }
  }
  return info;
}

}  // namespace tovalin
