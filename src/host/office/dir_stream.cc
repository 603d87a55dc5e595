#include "host/office/dir_stream.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "host/office/byte_reader.h"
#include "host/office/code_page_decoder.h"
#include "host/office/format_error.h"

namespace tovalin {
namespace {

// Record identifiers.
enum : uint16_t {
  kCodePage = 0x0003,
  kProjectName = 0x0004,
  kProjectVersion = 0x0009,
  kReferenceRegistered = 0x000D,
  kReferenceProject = 0x000E,
  kProjectModules = 0x000F,
  kTerminator = 0x0010,
  kReferenceName = 0x0016,
  kModuleName = 0x0019,
  kModuleStreamName = 0x001A,
  kModuleTypeProcedural = 0x0021,
  kModuleTypeOther = 0x0022,
  kModuleTerminator = 0x002B,
  kReferenceControl = 0x002F,
  kReferenceControlExtended = 0x0030,
  kModuleOffset = 0x0031,
  kModuleStreamNameUnicode = 0x0032,
  kReferenceOriginal = 0x0033,
  kReferenceNameUnicode = 0x003E,
  kModuleNameUnicode = 0x0047,
};

// PROJECTVERSION's size field says 4, but VersionMajor u32 and VersionMinor u16 follow.
constexpr size_t kProjectVersionBytes = 6;
// The fewest bytes one module's records take (MODULENAME, MODULESTREAMNAME and its Unicode
// record, MODULEOFFSET, MODULETYPE, terminator), to bound what PROJECTMODULES may reserve.
constexpr size_t kMinModuleBytes = 6 + 6 + 6 + 10 + 6 + 6;
// PROJECTMODULES counts modules in 16 bits; no project holds more references either. Beyond
// that a crafted stream would only make the reader allocate.
constexpr size_t kMaxEntries = 0xFFFF;

std::string Hex4(unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x0000";
  for (size_t i = 5; i >= 2; --i, value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

uint32_t U32At(std::span<const uint8_t> data, size_t at) {
  return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (uint32_t{data[at + 3]} << 24);
}

// A LIBID with its u32 length at `at`, followed by `tail` more bytes of the record: the LIBID
// when the record holds all of it, nullopt when the lengths do not fit in `data`.
std::optional<std::span<const uint8_t>> SizedLibid(std::span<const uint8_t> data, size_t at,
                                                   size_t tail) {
  if (data.size() < at || data.size() - at < 4) return std::nullopt;
  const uint32_t length = U32At(data, at);
  const size_t room = data.size() - at - 4;
  if (length > room || tail > room - length) return std::nullopt;
  return data.subspan(at + 4, length);
}

// The names and LIBIDs as stored; decoded once the whole stream (and so the code page) is known.
struct RawReference {
  std::optional<std::span<const uint8_t>> name;
  std::optional<std::span<const uint8_t>> name_unicode;
  std::optional<std::span<const uint8_t>> libid;
  VbaReferenceKind kind = VbaReferenceKind::kUnknown;
  bool usable = true;
};

struct RawModule {
  std::span<const uint8_t> name;
  std::optional<std::span<const uint8_t>> name_unicode;
  std::optional<std::span<const uint8_t>> stream_name;
  std::optional<std::span<const uint8_t>> stream_name_unicode;
  std::optional<uint32_t> text_offset;
  std::optional<std::string> error;
  bool procedural = false;
};

// Follows the records of the references section. A reference is an optional REFERENCENAME (with
// its Unicode record) and one reference record; REFERENCECONTROL, after an optional
// REFERENCEORIGINAL, carries a name record of its own and ends with its extended part (0x0030).
// A reference left without the record that ends it, or whose record's inner lengths do not fit
// its size, is kept as unusable.
class ReferenceCollector {
 public:
  explicit ReferenceCollector(std::vector<RawReference>& out) : out_(out) {}

  // True when the record belongs to the references section.
  bool Take(uint16_t id, std::span<const uint8_t> data) {
    switch (id) {
      case kReferenceName:
        if (state_ == State::kControl) {
          state_ = State::kControlNamed;  // the control's own name record
          return true;
        }
        Abandon();
        current_.name = data;
        state_ = State::kNamed;
        return true;
      case kReferenceNameUnicode:
        if (state_ == State::kNamed && !current_.name_unicode) current_.name_unicode = data;
        return true;
      case kReferenceRegistered:
        BeginRecord(State::kNamed);
        Finish(VbaReferenceKind::kRegistered, SizedLibid(data, 0, 6));
        return true;
      case kReferenceProject: {
        BeginRecord(State::kNamed);
        std::optional<std::span<const uint8_t>> absolute = SizedLibid(data, 0, 0);
        // LibidRelative, MajorVersion u32 and MinorVersion u16 follow.
        if (absolute && !SizedLibid(data, 4 + absolute->size(), 6)) absolute.reset();
        Finish(VbaReferenceKind::kProject, absolute);
        return true;
      }
      case kReferenceOriginal:
        BeginRecord(State::kNamed);
        current_.kind = VbaReferenceKind::kControl;
        current_.libid = data;
        state_ = State::kOriginal;
        return true;
      case kReferenceControl: {
        BeginRecord(State::kOriginal);
        current_.kind = VbaReferenceKind::kControl;
        twiddled_ = SizedLibid(data, 0, 6);
        if (!twiddled_) current_.usable = false;
        state_ = State::kControl;
        return true;
      }
      case kReferenceControlExtended:
        if (state_ == State::kControl || state_ == State::kControlNamed) {
          // LibidExtended, then Reserved4 u32, Reserved5 u16, OriginalTypeLib GUID, Cookie u32.
          const auto extended = SizedLibid(data, 0, 4 + 2 + 16 + 4);
          if (!extended) current_.usable = false;
          // The original LIBID names the control's library; the extended one its cached copy.
          if (!current_.libid) current_.libid = extended ? extended : twiddled_;
          Emit();
        }
        return true;  // elsewhere a stray extended part, skipped
      default:
        return false;
    }
  }

  // Ends the section: a reference still open lacks the record that completes it.
  void Close() { Abandon(); }

 private:
  enum class State { kNone, kNamed, kOriginal, kControl, kControlNamed };

  // A reference record continues the reference open in state `joins` (or kNone); any other open
  // reference is incomplete, and the record begins a reference of its own.
  void BeginRecord(State joins) {
    if (state_ != State::kNone && state_ != joins && state_ != State::kNamed) Abandon();
  }
  void Abandon() {
    if (state_ == State::kNone) return;
    current_.usable = false;
    Emit();
  }
  void Finish(VbaReferenceKind kind, std::optional<std::span<const uint8_t>> libid) {
    current_.kind = kind;
    current_.libid = libid;
    if (!libid) current_.usable = false;
    Emit();
  }
  void Emit() {
    if (!current_.libid && current_.kind == VbaReferenceKind::kControl) current_.libid = twiddled_;
    out_.push_back(current_);
    current_ = RawReference{};
    twiddled_.reset();
    state_ = State::kNone;
  }

  std::vector<RawReference>& out_;
  RawReference current_;
  std::optional<std::span<const uint8_t>> twiddled_;  // REFERENCECONTROL's own LIBID
  State state_ = State::kNone;
};

}  // namespace

DirInfo ParseDirStream(std::span<const uint8_t> dir, const std::string& where) {
  DirInfo info;
  std::optional<std::span<const uint8_t>> project_name;
  std::vector<RawReference> references;
  ReferenceCollector collector(references);
  std::vector<RawModule> modules;
  RawModule module;  // the one between MODULENAME and its terminator, when in_module
  bool in_module = false;
  bool modules_section = false;

  const auto end_module = [&] {
    if (in_module) modules.push_back(std::move(module));
    module = RawModule{};
    in_module = false;
  };

  ByteReader reader(dir, where);
  while (!reader.AtEnd()) {
    const size_t at = reader.offset();
    if (reader.remaining() < 6) {
      throw FormatError(
          "a record header is cut short (" + std::to_string(reader.remaining()) + " bytes left)",
          where, at);
    }
    const uint16_t id = reader.U16();
    const uint32_t size = reader.U32();
    const size_t length = id == kProjectVersion ? kProjectVersionBytes : size_t{size};
    if (length > reader.remaining()) {
      throw FormatError("record " + Hex4(id) + " of " + std::to_string(length) +
                            " bytes runs past the end of the stream (" +
                            std::to_string(reader.remaining()) + " bytes left)",
                        where, at);
    }
    const std::span<const uint8_t> data = reader.Bytes(length);
    if (id == kTerminator) break;

    if (!modules_section) {
      if (collector.Take(id, data)) {
        if (references.size() > kMaxEntries) {
          throw FormatError("more than " + std::to_string(kMaxEntries) + " references", where, at);
        }
        continue;
      }
      switch (id) {
        case kCodePage:
          if (data.size() != 2) {
            throw FormatError(
                "PROJECTCODEPAGE holds " + std::to_string(data.size()) + " bytes, not 2", where,
                at);
          }
          info.code_page = static_cast<uint16_t>(data[0] | (data[1] << 8));
          break;
        case kProjectName:
          project_name = data;
          break;
        case kProjectModules:
          collector.Close();
          modules_section = true;
          if (data.size() >= 2) {
            info.declared_module_count = static_cast<uint16_t>(data[0] | (data[1] << 8));
          }
          // The count comes from the file: reserve no more than the rest of the stream can hold.
          modules.reserve(
              std::min<size_t>(info.declared_module_count, reader.remaining() / kMinModuleBytes));
          break;
        default:
          break;  // other project information, and records this reader does not need
      }
      continue;
    }

    if (id == kModuleName) {
      end_module();  // a module without its terminator still counts
      if (modules.size() == kMaxEntries) {
        throw FormatError("more than " + std::to_string(kMaxEntries) + " modules", where, at);
      }
      in_module = true;
      module.name = data;
      continue;
    }
    if (!in_module) continue;  // PROJECTCOOKIE, or stray records between modules
    switch (id) {
      case kModuleNameUnicode:
        module.name_unicode = data;
        break;
      case kModuleStreamName:
        module.stream_name = data;
        break;
      case kModuleStreamNameUnicode:
        module.stream_name_unicode = data;
        break;
      case kModuleOffset:
        if (data.size() == 4) {
          module.text_offset = U32At(data, 0);
        } else {
          module.error =
              "its MODULEOFFSET record holds " + std::to_string(data.size()) + " bytes, not 4";
        }
        break;
      case kModuleTypeProcedural:
        module.procedural = true;
        break;
      case kModuleTypeOther:
        module.procedural = false;
        break;
      case kModuleTerminator:
        end_module();
        break;
      default:
        break;  // doc string, help context, cookie, read-only and private flags
    }
  }
  collector.Close();
  end_module();

  CodePageDecoder decoder(info.code_page);
  if (project_name) info.project_name = decoder.Decode(*project_name);
  info.references.reserve(references.size());
  for (const RawReference& raw : references) {
    VbaReference& reference = info.references.emplace_back();
    if (raw.name_unicode && !raw.name_unicode->empty()) {
      reference.name = DecodeUtf16Le(*raw.name_unicode);
    } else if (raw.name) {
      reference.name = decoder.Decode(*raw.name);
    }
    reference.usable = raw.usable;
    reference.kind = raw.kind;
    if (raw.libid) reference.libid = decoder.Decode(*raw.libid);
  }
  info.modules.reserve(modules.size());
  for (RawModule& raw : modules) {
    VbaModule& out = info.modules.emplace_back();
    out.name = raw.name_unicode && !raw.name_unicode->empty() ? DecodeUtf16Le(*raw.name_unicode)
                                                              : decoder.Decode(raw.name);
    if (raw.stream_name_unicode && !raw.stream_name_unicode->empty()) {
      out.stream_name = DecodeUtf16Le(*raw.stream_name_unicode);
    } else if (raw.stream_name) {
      out.stream_name = decoder.Decode(*raw.stream_name);
    }
    out.text_offset = raw.text_offset.value_or(0);
    out.procedural = raw.procedural;
    out.kind = raw.procedural ? VbaModuleKind::kStandard : VbaModuleKind::kClass;
    if (raw.error) {
      out.source_error = std::move(raw.error);
    } else if (out.stream_name.empty()) {
      out.source_error = "it has no MODULESTREAMNAME record";
    } else if (!raw.text_offset) {
      out.source_error = "it has no MODULEOFFSET record";
    }
  }
  return info;
}

}  // namespace tovalin
