#include "host/office/powerpoint_vba.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "host/office/byte_reader.h"
#include "host/office/format_error.h"
#include "host/office/inflate.h"

namespace tovalin {
namespace {

// Stream names and record types of [MS-PPT].
constexpr std::string_view kCurrentUserStream = "Current User";
constexpr std::string_view kDocumentStream = "PowerPoint Document";
constexpr uint16_t kDocumentContainer = 0x03E8;
constexpr uint16_t kVbaInfoContainer = 0x03FF;
constexpr uint16_t kVbaInfoAtom = 0x0400;
constexpr uint16_t kDocInfoList = 0x07D0;
constexpr uint16_t kUserEditAtom = 0x0FF5;
constexpr uint16_t kCurrentUserAtom = 0x0FF6;
constexpr uint16_t kExternalOleObjectStorage = 0x1011;
constexpr uint16_t kPersistDirectoryAtom = 0x1772;
constexpr uint16_t kContainerVersion = 0xF;
constexpr uint32_t kHeaderToken = 0xE391C05F;
constexpr uint32_t kEncryptedHeaderToken = 0xF3D1C4DF;
constexpr uint32_t kCurrentUserFixedSize = 0x14;
constexpr uint32_t kUserEditAtomSize = 0x1C;  // 0x20 with encryptSessionPersistIdRef
constexpr uint16_t kStorageUncompressed = 0;
constexpr uint16_t kStorageCompressed = 1;
constexpr size_t kRecordHeaderSize = 8;
constexpr size_t kUserEditRecordSize = kRecordHeaderSize + kUserEditAtomSize;

// A VBA project storage holds a few megabytes at most; a larger stated size is refused before
// anything is allocated, as is one that deflate could not expand its data to (1032:1 at most).
constexpr uint64_t kMaxStorageSize = uint64_t{256} << 20;
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 1024;

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

struct RecordHeader {
  size_t offset;  // of the header
  uint16_t version;
  uint16_t instance;
  uint16_t type;
  uint32_t length;
  size_t body() const { return offset + kRecordHeaderSize; }
  size_t end() const { return body() + length; }
};

// Reads a record header at the reader's offset and checks that the record's body fits in what
// the reader spans (the stream, or the enclosing container).
RecordHeader ReadHeader(ByteReader& reader) {
  RecordHeader header;
  header.offset = reader.offset();
  uint16_t version_instance = reader.U16();
  header.version = version_instance & 0xF;
  header.instance = version_instance >> 4;
  header.type = reader.U16();
  header.length = reader.U32();
  if (header.length > reader.remaining()) {
    std::string room = std::to_string(reader.remaining());
    reader.Seek(header.offset);
    reader.Fail("record " + Hex(header.type) + " of " + std::to_string(header.length) +
                " bytes runs past the " + room + " bytes that can hold it");
  }
  return header;
}

// The record at `offset` of the document stream, which must be of type `type`.
RecordHeader ReadRecordAt(std::span<const uint8_t> document, size_t offset, uint16_t type,
                          const char* what) {
  ByteReader reader(document, std::string(kDocumentStream));
  reader.Seek(offset);
  RecordHeader header = ReadHeader(reader);
  if (header.type != type) {
    reader.Seek(offset);
    reader.Fail(std::string("expected ") + what + " (record " + Hex(type) + "), found record " +
                Hex(header.type));
  }
  return header;
}

// The offset of the most recent UserEditAtom, from the CurrentUserAtom.
uint32_t ReadCurrentUser(std::span<const uint8_t> current_user) {
  ByteReader reader(current_user, std::string(kCurrentUserStream));
  RecordHeader header = ReadHeader(reader);
  if (header.type != kCurrentUserAtom) {
    reader.Seek(header.offset);
    reader.Fail("expected the current user atom (record " + Hex(kCurrentUserAtom) +
                "), found record " + Hex(header.type));
  }
  uint32_t size = reader.U32();
  if (size != kCurrentUserFixedSize) {
    reader.Fail("the current user atom states a size of " + std::to_string(size) + ", not 20");
  }
  uint32_t token = reader.U32();
  if (token == kEncryptedHeaderToken) reader.Fail("the presentation is encrypted");
  if (token != kHeaderToken) {
    reader.Fail("header token " + Hex(token) + " is not that of a PowerPoint 97-2003 document");
  }
  return reader.U32();
}

// Persist object identifiers to stream offsets, gathered from every user edit; a later edit's
// entry replaces an earlier one's.
class PersistDirectory {
 public:
  // Follows the user edits back from the most recent one, at `current_edit`.
  PersistDirectory(std::span<const uint8_t> document, uint32_t current_edit)
      : document_(document), current_edit_(current_edit) {
    // Distinct user edits and persist directories each take their own bytes of the stream. A
    // chain or directories that need more than the stream holds are damage (or crafted to
    // overlap); refusing them keeps the work linear in the stream's size.
    const size_t max_edits = document.size() / kUserEditRecordSize + 1;
    entry_budget_ = document.size() / 4;
    std::unordered_set<uint32_t> visited;
    uint32_t edit = current_edit;
    bool newest = true;
    while (true) {
      if (!visited.insert(edit).second) {
        throw FormatError("the chain of user edits loops back to this offset",
                          std::string(kDocumentStream), edit);
      }
      if (visited.size() > max_edits) {
        throw FormatError("the chain of user edits is longer than the stream can hold",
                          std::string(kDocumentStream), edit);
      }
      RecordHeader header = ReadRecordAt(document, edit, kUserEditAtom, "a user edit atom");
      ByteReader reader(document.first(header.end()), std::string(kDocumentStream));
      reader.Seek(header.body());
      if (header.length < kUserEditAtomSize) {
        reader.Fail("the user edit atom has " + std::to_string(header.length) +
                    " bytes, fewer than 28");
      }
      reader.Skip(8);  // lastSlideIdRef, version, minorVersion, majorVersion
      uint32_t last_edit = reader.U32();
      uint32_t directory = reader.U32();
      uint32_t document_id = reader.U32();
      if (newest) {
        document_persist_id_ = document_id;
        newest = false;
      }
      AddDirectory(directory);
      if (last_edit == 0) break;
      edit = last_edit;
    }
  }

  // The document container's persist identifier, from the most recent user edit.
  uint32_t document_persist_id() const { return document_persist_id_; }
  uint32_t current_edit() const { return current_edit_; }

  // The stream offset of a persist object; `referrer` is the offset of the record naming it.
  uint32_t Offset(uint32_t persist_id, size_t referrer) const {
    auto found = offsets_.find(persist_id);
    if (found == offsets_.end()) {
      throw FormatError(
          "persist object " + std::to_string(persist_id) + " is not in the persist directory",
          std::string(kDocumentStream), referrer);
    }
    return found->second;
  }

 private:
  void AddDirectory(uint32_t offset) {
    RecordHeader header =
        ReadRecordAt(document_, offset, kPersistDirectoryAtom, "a persist directory atom");
    ByteReader reader(document_.first(header.end()), std::string(kDocumentStream));
    reader.Seek(header.body());
    while (!reader.AtEnd()) {
      uint32_t entry = reader.U32();
      uint32_t first_id = entry & 0xFFFFF;
      uint32_t count = entry >> 20;
      if (count == 0) reader.Fail("a persist directory entry with no offsets");
      reader.Require(size_t{count} * 4);
      if (count > entry_budget_) reader.Fail("persist directories overlap");
      entry_budget_ -= count;
      for (uint32_t i = 0; i < count; ++i) offsets_.try_emplace(first_id + i, reader.U32());
    }
  }

  std::span<const uint8_t> document_;
  uint32_t current_edit_;
  size_t entry_budget_ = 0;  // persist offsets the stream can hold that are not yet read
  std::unordered_map<uint32_t, uint32_t> offsets_;
  uint32_t document_persist_id_ = 0;
};

struct VbaInfo {
  size_t offset;  // of the VBAInfoAtom
  uint32_t persist_id;
  bool has_macros;
};

VbaInfo ReadVbaInfo(std::span<const uint8_t> document, const RecordHeader& container) {
  ByteReader reader(document.first(container.end()), std::string(kDocumentStream));
  reader.Seek(container.body());
  while (!reader.AtEnd()) {
    RecordHeader atom = ReadHeader(reader);
    if (atom.type != kVbaInfoAtom) {
      reader.Skip(atom.length);
      continue;
    }
    if (atom.length < 12) {
      reader.Fail("the VBA info atom has " + std::to_string(atom.length) + " bytes, fewer than 12");
    }
    VbaInfo info;
    info.offset = atom.offset;
    info.persist_id = reader.U32();
    info.has_macros = reader.U32() != 0;
    return info;
  }
  reader.Seek(container.offset);
  reader.Fail("the VBA info container holds no VBA info atom");
}

// The VBAInfoContainer of the document container: in its list of document information
// (DocInfoListContainer), or directly among its children. Two fixed levels, no recursion.
std::optional<VbaInfo> FindVbaInfo(std::span<const uint8_t> document, const RecordHeader& root) {
  ByteReader children(document.first(root.end()), std::string(kDocumentStream));
  children.Seek(root.body());
  while (!children.AtEnd()) {
    RecordHeader child = ReadHeader(children);
    if (child.type == kVbaInfoContainer) return ReadVbaInfo(document, child);
    if (child.type == kDocInfoList && child.version == kContainerVersion) {
      ByteReader list(document.first(child.end()), std::string(kDocumentStream));
      list.Seek(child.body());
      while (!list.AtEnd()) {
        RecordHeader item = ReadHeader(list);
        if (item.type == kVbaInfoContainer) return ReadVbaInfo(document, item);
        list.Skip(item.length);
      }
    }
    children.Skip(child.length);
  }
  return std::nullopt;
}

// The VbaProjectStg record: the storage's bytes as they are, or a stated size and zlib data.
std::vector<uint8_t> ReadVbaStorage(std::span<const uint8_t> document, uint32_t offset) {
  RecordHeader header =
      ReadRecordAt(document, offset, kExternalOleObjectStorage, "the VBA project storage");
  ByteReader reader(document.first(header.end()), std::string(kDocumentStream));
  reader.Seek(header.body());
  if (header.instance == kStorageUncompressed) {
    std::span<const uint8_t> bytes = reader.Bytes(header.length);
    return {bytes.begin(), bytes.end()};
  }
  if (header.instance != kStorageCompressed) {
    reader.Seek(header.offset);
    reader.Fail("the VBA project storage record has instance " + std::to_string(header.instance) +
                ", neither 0 (stored) nor 1 (compressed)");
  }
  uint64_t size = reader.U32();
  std::span<const uint8_t> data = reader.Bytes(reader.remaining());
  if (size > kMaxStorageSize ||
      (size - std::min(size, kInflateSlack)) / kMaxInflateRatio > data.size()) {
    reader.Seek(header.body());
    reader.Fail("the VBA project storage states " + std::to_string(size) +
                " bytes, more than its " + std::to_string(data.size()) +
                " compressed bytes can hold or this reader accepts");
  }
  std::vector<uint8_t> out(size);
  const InflateResult inflated = Inflate(DeflateFormat::kZlib, data, out);
  reader.Seek(header.body());
  if (inflated.status == InflateStatus::kTooLarge) {
    reader.Fail("the VBA project storage inflates to more than the " + std::to_string(size) +
                " bytes it states");
  }
  if (inflated.status == InflateStatus::kInvalid) {
    reader.Fail("the VBA project storage is not valid zlib data");
  }
  if (inflated.status == InflateStatus::kWrongSize) {
    reader.Fail("the VBA project storage inflates to " + std::to_string(inflated.actual) +
                " bytes, not the " + std::to_string(size) + " it states");
  }
  return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> ExtractPowerPointVbaProject(
    std::span<const uint8_t> current_user, std::span<const uint8_t> document) {
  PersistDirectory directory(document, ReadCurrentUser(current_user));
  uint32_t document_offset =
      directory.Offset(directory.document_persist_id(), directory.current_edit());
  RecordHeader root =
      ReadRecordAt(document, document_offset, kDocumentContainer, "the document container");
  std::optional<VbaInfo> info = FindVbaInfo(document, root);
  if (!info || !info->has_macros) return std::nullopt;
  return ReadVbaStorage(document, directory.Offset(info->persist_id, info->offset));
}

std::optional<std::vector<uint8_t>> ExtractPowerPointVbaProject(const CompoundFile& presentation) {
  auto stream = [&](std::string_view name) {
    std::optional<CompoundFile::EntryId> id = presentation.Find(presentation.root(), name);
    if (!id || presentation.entry(*id).type != CompoundFile::EntryType::kStream) {
      throw FormatError("the presentation has no \"" + std::string(name) + "\" stream",
                        presentation.name(), 0);
    }
    return presentation.ReadStream(*id);
  };
  std::vector<uint8_t> current_user = stream(kCurrentUserStream);
  std::vector<uint8_t> document = stream(kDocumentStream);
  return ExtractPowerPointVbaProject(current_user, document);
}

}  // namespace tovalin
