#include "host/office/ooxml_package.h"

#include <libdeflate.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "host/office/byte_reader.h"
#include "host/office/format_error.h"
#include "host/office/inflate.h"
#include "host/office/utf.h"

namespace tovalin {
namespace {

// Zip records (APPNOTE 4.3): signatures and the sizes of their fixed parts.
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndSize = 22;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kZip64EndSize = 56;
constexpr size_t kMaxCommentSize = 65535;
constexpr uint16_t kZip64ExtraId = 0x0001;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
// Deflate cannot expand data by more than 1032:1 (a 258-byte match in two bits); a member whose
// stated size exceeds that is a lie, refused before anything is allocated for it.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 1024;

uint32_t LoadU32(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
         uint32_t{bytes[at + 3]} << 24;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// The offset of the end of central directory record: the last signature within the largest
// comment's reach from the end whose comment fits in the file.
std::optional<size_t> FindEndRecord(std::span<const uint8_t> file) {
  if (file.size() < kEndSize) return std::nullopt;
  size_t lowest =
      file.size() - kEndSize > kMaxCommentSize ? file.size() - kEndSize - kMaxCommentSize : 0;
  for (size_t at = file.size() - kEndSize + 1; at-- > lowest;) {
    if (LoadU32(file, at) != kEndSignature) continue;
    size_t comment = file[at + 20] | size_t{file[at + 21]} << 8;
    if (at + kEndSize + comment <= file.size()) return at;
  }
  return std::nullopt;
}

}  // namespace

void ZipArchive::Fail(uint64_t offset, const std::string& what) const {
  throw FormatError(what, name_, offset);
}

bool ZipArchive::HasSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= 4 && LoadU32(bytes, 0) == kLocalHeaderSignature;
}

ZipArchive ZipArchive::Open(std::shared_ptr<const std::vector<uint8_t>> bytes, std::string name) {
  if (!bytes) throw std::invalid_argument("ZipArchive::Open without bytes");
  ZipArchive archive;
  archive.bytes_ = std::move(bytes);
  archive.name_ = std::move(name);
  std::span<const uint8_t> file(*archive.bytes_);

  std::optional<size_t> end = FindEndRecord(file);
  if (!end) archive.Fail(file.size(), "no end of central directory record: not a zip file");
  ByteReader reader(file, archive.name_);
  reader.Seek(*end + 4);
  uint64_t disk = reader.U16();
  uint64_t directory_disk = reader.U16();
  reader.Skip(2);  // members on this disk
  uint64_t count = reader.U16();
  uint64_t directory_size = reader.U32();
  uint64_t directory_offset = reader.U32();
  // The central directory lies before the end record, or before the zip64 end record.
  uint64_t directory_limit = *end;

  if (*end >= kZip64LocatorSize &&
      LoadU32(file, *end - kZip64LocatorSize) == kZip64LocatorSignature) {
    size_t locator = *end - kZip64LocatorSize;
    reader.Seek(locator + 8);
    uint64_t zip64_end = reader.U64();
    if (zip64_end > locator || locator - zip64_end < kZip64EndSize) {
      archive.Fail(locator, "the zip64 end of central directory record at " +
                                std::to_string(zip64_end) + " is not before its locator");
    }
    reader.Seek(zip64_end);
    if (reader.U32() != kZip64EndSignature) {
      archive.Fail(zip64_end, "no zip64 end of central directory record where its locator points");
    }
    reader.Skip(8 + 2 + 2);  // record size, versions
    disk = reader.U32();
    directory_disk = reader.U32();
    reader.Skip(8);  // members on this disk
    count = reader.U64();
    directory_size = reader.U64();
    directory_offset = reader.U64();
    directory_limit = zip64_end;
  }
  if (disk != 0 || directory_disk != 0) {
    archive.Fail(*end, "the archive spans several disks, which is not supported");
  }
  if (directory_offset > directory_limit || directory_size > directory_limit - directory_offset) {
    archive.Fail(*end, "the central directory (" + std::to_string(directory_size) + " bytes at " +
                           std::to_string(directory_offset) + ") does not lie within the file");
  }
  if (count > directory_size / kCentralHeaderSize) {
    archive.Fail(*end, "the end record counts " + std::to_string(count) + " members, more than " +
                           std::to_string(directory_size) + " directory bytes can hold");
  }

  ByteReader directory(file.first(directory_offset + directory_size), archive.name_);
  directory.Seek(directory_offset);
  archive.members_.reserve(count);
  archive.checks_.reserve(count);
  for (uint64_t i = 0; i < count; ++i) {
    size_t at = directory.offset();
    if (directory.U32() != kCentralHeaderSignature) {
      archive.Fail(at, "no central directory header for member " + std::to_string(i));
    }
    directory.Skip(4);  // versions
    Check check;
    check.flags = directory.U16();
    Member member;
    member.method = directory.U16();
    directory.Skip(4);  // time, date
    check.crc32 = directory.U32();
    member.compressed_size = directory.U32();
    member.uncompressed_size = directory.U32();
    size_t name_size = directory.U16();
    size_t extra_size = directory.U16();
    size_t comment_size = directory.U16();
    directory.Skip(2 + 2 + 4);  // disk, internal and external attributes
    member.local_header_offset = directory.U32();
    member.name = std::string(directory.Chars(name_size));

    // Zip64 extended information: 64-bit values for the fields saturated above, in this order.
    ByteReader extra(directory.Bytes(extra_size), archive.name_);
    while (extra.remaining() >= 4) {
      uint16_t id = extra.U16();
      ByteReader field(extra.Bytes(extra.U16()), archive.name_ + ": zip64 field of " + member.name);
      if (id != kZip64ExtraId) continue;
      if (member.uncompressed_size == 0xFFFFFFFF) member.uncompressed_size = field.U64();
      if (member.compressed_size == 0xFFFFFFFF) member.compressed_size = field.U64();
      if (member.local_header_offset == 0xFFFFFFFF) member.local_header_offset = field.U64();
    }
    directory.Skip(comment_size);

    // Every member's local header and data precede the central directory.
    if (member.local_header_offset > directory_offset ||
        directory_offset - member.local_header_offset < kLocalHeaderSize ||
        member.compressed_size > directory_offset - member.local_header_offset - kLocalHeaderSize) {
      archive.Fail(at, "member " + member.name + " (" + std::to_string(member.compressed_size) +
                           " bytes at " + std::to_string(member.local_header_offset) +
                           ") does not lie before the central directory");
    }
    archive.members_.push_back(std::move(member));
    archive.checks_.push_back(check);
  }
  return archive;
}

std::optional<size_t> ZipArchive::Find(std::string_view name) const {
  for (size_t i = 0; i < members_.size(); ++i) {
    if (EqualsIgnoringCase(members_[i].name, name)) return i;
  }
  return std::nullopt;
}

std::vector<uint8_t> ZipArchive::Read(size_t index, uint64_t max_size) const {
  if (index >= members_.size()) throw std::out_of_range("ZipArchive::Read: no such member");
  const Member& member = members_[index];
  const Check& check = checks_[index];
  std::span<const uint8_t> file(*bytes_);
  const std::string what = "member " + member.name;

  if (check.flags & kFlagEncrypted) Fail(member.local_header_offset, what + " is encrypted");
  if (member.method != kMethodStored && member.method != kMethodDeflated) {
    Fail(member.local_header_offset,
         what + ": compression method " + std::to_string(member.method) + " is not supported");
  }
  if (member.uncompressed_size > max_size) {
    Fail(member.local_header_offset, what + " is " + std::to_string(member.uncompressed_size) +
                                         " bytes, more than the " + std::to_string(max_size) +
                                         " allowed");
  }
  if (member.method == kMethodStored && member.uncompressed_size != member.compressed_size) {
    Fail(member.local_header_offset, what + " is stored but states " +
                                         std::to_string(member.compressed_size) + " bytes and " +
                                         std::to_string(member.uncompressed_size) + " bytes");
  }
  if (member.method == kMethodDeflated &&
      (member.uncompressed_size - std::min(member.uncompressed_size, kDeflateSlack)) /
              kMaxDeflateRatio >
          member.compressed_size) {
    Fail(member.local_header_offset,
         what + " states " + std::to_string(member.uncompressed_size) + " bytes, more than its " +
             std::to_string(member.compressed_size) + " deflated bytes can hold");
  }

  // The local header: its sizes and CRC may be zero (a data descriptor follows the data), so
  // only its name and extra field lengths are used, to find where the data starts.
  ByteReader local(file, name_);
  local.Seek(member.local_header_offset);
  if (local.U32() != kLocalHeaderSignature) {
    Fail(member.local_header_offset, "no local header for " + what);
  }
  local.Skip(22);  // versions, flags, method, time, date, CRC-32, sizes
  size_t name_size = local.U16();
  size_t extra_size = local.U16();
  local.Skip(name_size + extra_size);
  if (member.compressed_size > local.remaining()) {
    Fail(local.offset(), "the data of " + what + " runs past the end of the file");
  }
  std::span<const uint8_t> data = local.Bytes(member.compressed_size);

  std::vector<uint8_t> out;
  if (member.method == kMethodStored) {
    out.assign(data.begin(), data.end());
  } else {
    out.resize(member.uncompressed_size);
    const InflateResult inflated = Inflate(DeflateFormat::kRaw, data, out);
    if (inflated.status == InflateStatus::kTooLarge) {
      Fail(member.local_header_offset,
           what + " inflates to more than the " + std::to_string(out.size()) + " bytes it states");
    }
    if (inflated.status == InflateStatus::kInvalid) {
      Fail(member.local_header_offset, what + " is not valid deflate data");
    }
    if (inflated.status == InflateStatus::kWrongSize) {
      Fail(member.local_header_offset, what + " inflates to " + std::to_string(inflated.actual) +
                                           " bytes, not the " + std::to_string(out.size()) +
                                           " it states");
    }
  }
  uint32_t crc = libdeflate_crc32(0, out.data(), out.size());
  if (crc != check.crc32) {
    Fail(member.local_header_offset, what + " fails its CRC-32 check");
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Package parts: [Content_Types].xml and the relationship parts, read with a small scanner that
// knows just enough XML for them.

namespace {

constexpr std::string_view kContentTypesPart = "[Content_Types].xml";
constexpr std::string_view kPackageRelationshipsPart = "_rels/.rels";
constexpr std::string_view kVbaProjectContentType = "application/vnd.ms-office.vbaProject";
constexpr std::string_view kOfficeDocumentRelationship = "/officeDocument";
constexpr std::string_view kVbaProjectRelationship = "/vbaProject";
// Content types and relationship parts are small; a larger one is not what it claims to be.
constexpr uint64_t kMaxXmlPartSize = 16 << 20;
constexpr size_t kMaxXmlDepth = 64;

bool IsXmlChar(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text of an XML part as UTF-8, and where its markup starts: after a UTF-8 byte order mark,
// or from the start of a UTF-16 text converted here (offsets in errors then count the converted
// UTF-8 bytes).
struct XmlText {
  std::string converted;
  std::string_view text;
  size_t start = 0;
};

XmlText DecodeXmlText(std::span<const uint8_t> bytes, const std::string& where) {
  XmlText result;
  std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  bool little = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  bool big = bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
  // Without a byte order mark, UTF-16 shows as "<" next to a zero byte.
  if (!little && !big && bytes.size() >= 2) {
    little = bytes[0] == '<' && bytes[1] == 0;
    big = bytes[0] == 0 && bytes[1] == '<';
  }
  if (!little && !big) {
    result.text = raw;
    if (raw.substr(0, 3) == "\xEF\xBB\xBF") result.start = 3;
    return result;
  }
  if (bytes.size() % 2 != 0) throw FormatError("UTF-16 text of odd length", where, bytes.size());
  auto unit = [&](size_t at) -> uint32_t {
    return little ? bytes[at] | uint32_t{bytes[at + 1]} << 8
                  : bytes[at + 1] | uint32_t{bytes[at]} << 8;
  };
  size_t at = (bytes[0] == 0xFF || bytes[0] == 0xFE) ? 2 : 0;
  result.converted.reserve(bytes.size());
  while (at < bytes.size()) {
    uint32_t c = unit(at);
    at += 2;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (at >= bytes.size() || unit(at) < 0xDC00 || unit(at) > 0xDFFF) {
        throw FormatError("unpaired UTF-16 surrogate", where, at - 2);
      }
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(at) - 0xDC00);
      at += 2;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      throw FormatError("unpaired UTF-16 surrogate", where, at - 2);
    }
    AppendUtf8(result.converted, c);
  }
  result.text = result.converted;
  return result;
}

struct XmlAttribute {
  std::string_view name;  // local name, without a namespace prefix
  std::string value;      // entity references decoded
};

struct XmlTag {
  std::string_view name;  // local name
  size_t offset = 0;
  size_t depth = 0;  // 1 for the root element
  std::vector<XmlAttribute> attributes;

  const std::string* Attribute(std::string_view local_name) const {
    for (const XmlAttribute& attribute : attributes) {
      if (attribute.name == local_name) return &attribute.value;
    }
    return nullptr;
  }
};

std::string_view LocalName(std::string_view name) {
  size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Walks the start tags of a document in order, without recursion. Checks what the package parts
// need to be trusted: one root element, matching end tags (a truncated part fails), quoted
// attribute values, known entity references. Comments, processing instructions and CDATA
// sections are skipped; a document type declaration is refused, as packages may not have one.
class XmlScanner {
 public:
  XmlScanner(const XmlText& text, std::string where)
      : text_(text.text), pos_(text.start), where_(std::move(where)) {}

  // The next start tag (or empty-element tag); false at the end of a well-formed document.
  bool Next(XmlTag& tag) {
    while (true) {
      size_t open = text_.find('<', pos_);
      CheckText(pos_, open == std::string_view::npos ? text_.size() : open);
      if (open == std::string_view::npos) {
        pos_ = text_.size();
        if (!open_.empty()) {
          Fail(pos_, "the text ends inside element <" + std::string(open_.back()) + ">");
        }
        if (!root_seen_) Fail(pos_, "no root element");
        return false;
      }
      std::string_view rest = text_.substr(open);
      if (rest.starts_with("<?")) {
        pos_ = SkipPast(open, "?>", "processing instruction");
      } else if (rest.starts_with("<!--")) {
        pos_ = SkipPast(open, "-->", "comment");
      } else if (rest.starts_with("<![CDATA[")) {
        if (open_.empty()) Fail(open, "a CDATA section outside the root element");
        pos_ = SkipPast(open, "]]>", "CDATA section");
      } else if (rest.starts_with("<!")) {
        Fail(open, "a document type declaration, which package parts may not have");
      } else if (rest.starts_with("</")) {
        pos_ = open + 2;
        std::string_view name = Name();
        SkipSpace();
        Expect('>');
        if (open_.empty() || open_.back() != name) {
          Fail(open, "end tag </" + std::string(name) + "> does not match " +
                         (open_.empty() ? std::string("any element")
                                        : "<" + std::string(open_.back()) + ">"));
        }
        open_.pop_back();
      } else {
        StartTag(open, tag);
        return true;
      }
    }
  }

  [[noreturn]] void Fail(size_t offset, const std::string& what) const {
    throw FormatError(what, where_, offset);
  }

 private:
  void StartTag(size_t open, XmlTag& tag) {
    if (root_seen_ && open_.empty()) Fail(open, "a second root element");
    pos_ = open + 1;
    std::string_view name = Name();
    tag.name = LocalName(name);
    tag.offset = open;
    tag.depth = open_.size() + 1;
    tag.attributes.clear();
    while (true) {
      bool spaced = SkipSpace();
      if (pos_ >= text_.size()) Fail(open, "unterminated tag <" + std::string(name) + ">");
      if (text_[pos_] == '>') {
        ++pos_;
        if (open_.size() >= kMaxXmlDepth) Fail(open, "elements nest too deeply");
        open_.push_back(name);
        break;
      }
      if (text_[pos_] == '/') {
        ++pos_;
        Expect('>');
        break;
      }
      if (!spaced) Fail(pos_, "attributes must be separated by white space");
      std::string_view attribute = Name();
      SkipSpace();
      Expect('=');
      SkipSpace();
      std::string value = QuotedValue();
      if (attribute == "xmlns" || attribute.starts_with("xmlns:")) continue;
      tag.attributes.push_back({LocalName(attribute), std::move(value)});
    }
    root_seen_ = true;
  }

  // Only white space may stand outside the root element.
  void CheckText(size_t from, size_t to) const {
    if (!open_.empty()) return;
    for (size_t i = from; i < to; ++i) {
      if (!IsXmlSpace(text_[i])) Fail(i, "text outside the root element");
    }
  }

  size_t SkipPast(size_t from, std::string_view terminator, const char* what) const {
    size_t end = text_.find(terminator, from + 2);
    if (end == std::string_view::npos) Fail(from, std::string("unterminated ") + what);
    return end + terminator.size();
  }

  bool SkipSpace() {
    size_t from = pos_;
    while (pos_ < text_.size() && IsXmlSpace(text_[pos_])) ++pos_;
    return pos_ > from;
  }

  void Expect(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) Fail(pos_, std::string("expected '") + c + "'");
    ++pos_;
  }

  std::string_view Name() {
    size_t from = pos_;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (IsXmlSpace(c) || c == '/' || c == '>' || c == '<' || c == '=' || c == '"' || c == '\'' ||
          c == '&') {
        break;
      }
      ++pos_;
    }
    if (pos_ == from) Fail(from, "expected a name");
    return text_.substr(from, pos_ - from);
  }

  std::string QuotedValue() {
    if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
      Fail(pos_, "expected a quoted attribute value");
    }
    char quote = text_[pos_];
    size_t from = pos_ + 1;
    size_t end = text_.find(quote, from);
    if (end == std::string_view::npos) Fail(pos_, "unterminated attribute value");
    pos_ = end + 1;
    return DecodeValue(from, end);
  }

  // Entity and character references decoded; literal line ends and tabs become spaces, as XML
  // normalizes attribute values.
  std::string DecodeValue(size_t from, size_t to) const {
    std::string out;
    out.reserve(to - from);
    for (size_t i = from; i < to; ++i) {
      char c = text_[i];
      if (c == '<') Fail(i, "'<' in an attribute value");
      if (c == '\r') {
        if (i + 1 < to && text_[i + 1] == '\n') ++i;
        out += ' ';
      } else if (c == '\n' || c == '\t') {
        out += ' ';
      } else if (c != '&') {
        out += c;
      } else {
        // References are short: look for the ';' only a few characters ahead.
        size_t semicolon = text_.substr(0, std::min(to, i + 12)).find(';', i);
        if (semicolon == std::string_view::npos) Fail(i, "unterminated entity reference");
        DecodeReference(text_.substr(i + 1, semicolon - i - 1), i, out);
        i = semicolon;
      }
    }
    return out;
  }

  void DecodeReference(std::string_view entity, size_t at, std::string& out) const {
    if (entity == "amp") {
      out += '&';
    } else if (entity == "lt") {
      out += '<';
    } else if (entity == "gt") {
      out += '>';
    } else if (entity == "quot") {
      out += '"';
    } else if (entity == "apos") {
      out += '\'';
    } else if (entity.size() >= 2 && entity[0] == '#') {
      bool hex = entity[1] == 'x';
      std::string_view digits = entity.substr(hex ? 2 : 1);
      uint32_t code_point = 0;
      for (char d : digits) {
        uint32_t value;
        if (d >= '0' && d <= '9') {
          value = static_cast<uint32_t>(d - '0');
        } else if (hex && AsciiLower(d) >= 'a' && AsciiLower(d) <= 'f') {
          value = static_cast<uint32_t>(AsciiLower(d) - 'a' + 10);
        } else {
          Fail(at, "malformed character reference &" + std::string(entity) + ";");
        }
        code_point = code_point * (hex ? 16 : 10) + value;
        if (code_point > 0x10FFFF) break;
      }
      if (digits.empty() || !IsXmlChar(code_point)) {
        Fail(at, "character reference &" + std::string(entity) + "; is not a valid character");
      }
      AppendUtf8(out, code_point);
    } else {
      Fail(at, "unknown entity &" + std::string(entity) + ";");
    }
  }

  std::string_view text_;
  size_t pos_;
  std::string where_;
  std::vector<std::string_view> open_;  // names of the open elements, outermost first
  bool root_seen_ = false;
};

// A part named in the package's XML: the name, and the XML part and offset that named it.
struct NamedPart {
  std::string name;
  std::string where;
  size_t offset = 0;
};

// Extensions and part names lowered to ASCII lower case, as they compare without regard to it.
struct ContentTypes {
  std::vector<NamedPart> vba_overrides;              // Overrides with the VBA project type
  std::unordered_set<std::string> vba_extensions;    // Defaults with the VBA project type
  std::unordered_set<std::string> overridden_parts;  // every Override's part name
};

struct Relationship {
  std::string type;
  std::string target;
  bool external = false;
  size_t offset = 0;
};

std::string StripLeadingSlash(std::string_view name) {
  return std::string(name.starts_with('/') ? name.substr(1) : name);
}

const std::string& RequiredAttribute(const XmlScanner& scanner, const XmlTag& tag,
                                     std::string_view name) {
  const std::string* value = tag.Attribute(name);
  if (!value) {
    scanner.Fail(tag.offset,
                 "<" + std::string(tag.name) + "> has no " + std::string(name) + " attribute");
  }
  return *value;
}

void CheckRoot(const XmlScanner& scanner, const XmlTag& tag, std::string_view expected) {
  if (tag.depth == 1 && tag.name != expected) {
    scanner.Fail(tag.offset, "the root element is <" + std::string(tag.name) + ">, not <" +
                                 std::string(expected) + ">");
  }
}

ContentTypes ParseContentTypes(std::span<const uint8_t> bytes) {
  const std::string where(kContentTypesPart);
  XmlText text = DecodeXmlText(bytes, where);
  XmlScanner scanner(text, where);
  ContentTypes types;
  XmlTag tag;
  while (scanner.Next(tag)) {
    CheckRoot(scanner, tag, "Types");
    if (tag.depth != 2) continue;
    if (tag.name == "Override") {
      std::string part = StripLeadingSlash(RequiredAttribute(scanner, tag, "PartName"));
      if (EqualsIgnoringCase(RequiredAttribute(scanner, tag, "ContentType"),
                             kVbaProjectContentType)) {
        types.vba_overrides.push_back({part, where, tag.offset});
      }
      types.overridden_parts.insert(AsciiLowered(part));
    } else if (tag.name == "Default") {
      const std::string& extension = RequiredAttribute(scanner, tag, "Extension");
      if (EqualsIgnoringCase(RequiredAttribute(scanner, tag, "ContentType"),
                             kVbaProjectContentType)) {
        types.vba_extensions.insert(AsciiLowered(extension));
      }
    }
  }
  return types;
}

std::vector<Relationship> ParseRelationships(std::span<const uint8_t> bytes,
                                             const std::string& where) {
  XmlText text = DecodeXmlText(bytes, where);
  XmlScanner scanner(text, where);
  std::vector<Relationship> relationships;
  XmlTag tag;
  while (scanner.Next(tag)) {
    CheckRoot(scanner, tag, "Relationships");
    if (tag.depth != 2 || tag.name != "Relationship") continue;
    Relationship relationship;
    relationship.type = RequiredAttribute(scanner, tag, "Type");
    relationship.target = RequiredAttribute(scanner, tag, "Target");
    const std::string* mode = tag.Attribute("TargetMode");
    relationship.external = mode && *mode == "External";
    relationship.offset = tag.offset;
    relationships.push_back(std::move(relationship));
  }
  return relationships;
}

// "xl/" for "xl/workbook.xml"; "" for a part at the top of the package.
std::string_view FolderOf(std::string_view part) {
  size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

// A relationship's target resolved against the folder of its source part, as a relative URI
// reference is (RFC 3986 section 5.2): "../a/./b" climbs out of the folder, never above the
// package root; a target starting with "/" is from the root. A query or fragment is dropped.
std::string ResolveTarget(std::string_view folder, std::string_view target) {
  target = target.substr(0, target.find_first_of("?#"));
  std::string path = target.starts_with('/') ? std::string(target.substr(1))
                                             : std::string(folder) + std::string(target);
  std::vector<std::string_view> segments;
  std::string_view rest = path;
  while (!rest.empty()) {
    size_t slash = rest.find('/');
    std::string_view segment = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }
  std::string resolved;
  for (std::string_view segment : segments) {
    if (!resolved.empty()) resolved += '/';
    resolved += segment;
  }
  return resolved;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Part names are URIs, whose characters outside ASCII may be percent-encoded; zip member names
// are not always. "%XX" decoded, anything else kept as it is.
std::string PercentDecoded(std::string_view name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '%' && i + 2 < name.size() && HexValue(name[i + 1]) >= 0 &&
        HexValue(name[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(name[i + 1]) * 16 + HexValue(name[i + 2]));
      i += 2;
    } else {
      out += name[i];
    }
  }
  return out;
}

// The package's members by name without regard to ASCII case, built once so that looking up
// every part name the package's XML gives stays linear in the package's size.
class PartIndex {
 public:
  explicit PartIndex(const ZipArchive& package) : package_(package) {
    const std::vector<ZipArchive::Member>& members = package.members();
    for (size_t i = 0; i < members.size(); ++i)
      index_.try_emplace(AsciiLowered(members[i].name), i);
  }

  const ZipArchive& package() const { return package_; }

  // The member of that name, as written or percent-decoded.
  std::optional<size_t> Find(std::string_view name) const {
    auto found = index_.find(AsciiLowered(name));
    if (found == index_.end()) found = index_.find(AsciiLowered(PercentDecoded(name)));
    if (found == index_.end()) return std::nullopt;
    return found->second;
  }

  std::optional<std::vector<uint8_t>> ReadXml(std::string_view name) const {
    std::optional<size_t> index = Find(name);
    if (!index) return std::nullopt;
    return package_.Read(*index, kMaxXmlPartSize);
  }

 private:
  const ZipArchive& package_;
  std::unordered_map<std::string, size_t> index_;
};

// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelationshipsPartOf(std::string_view part) {
  std::string_view folder = FolderOf(part);
  return std::string(folder) + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
}

// The main part's own VBA project relationship, if it has one.
std::optional<NamedPart> VbaProjectRelationship(const PartIndex& parts, std::string* main_part) {
  std::optional<std::vector<uint8_t>> package_relationships =
      parts.ReadXml(kPackageRelationshipsPart);
  if (!package_relationships) return std::nullopt;
  for (const Relationship& relationship :
       ParseRelationships(*package_relationships, std::string(kPackageRelationshipsPart))) {
    if (!relationship.external &&
        EndsWithIgnoringCase(relationship.type, kOfficeDocumentRelationship)) {
      *main_part = ResolveTarget("", relationship.target);
      break;
    }
  }
  if (main_part->empty()) return std::nullopt;

  std::string where = RelationshipsPartOf(*main_part);
  std::optional<std::vector<uint8_t>> main_relationships = parts.ReadXml(where);
  if (!main_relationships) return std::nullopt;
  for (const Relationship& relationship : ParseRelationships(*main_relationships, where)) {
    if (!relationship.external &&
        EndsWithIgnoringCase(relationship.type, kVbaProjectRelationship)) {
      return NamedPart{ResolveTarget(FolderOf(*main_part), relationship.target), where,
                       relationship.offset};
    }
  }
  return std::nullopt;
}

// A part whose extension has the VBA project type by a Default element and no Override; one in
// the main part's folder first.
std::optional<size_t> VbaProjectByDefault(const ZipArchive& package, const ContentTypes& types,
                                          std::string_view main_part) {
  if (types.vba_extensions.empty()) return std::nullopt;
  std::optional<size_t> first;
  for (size_t i = 0; i < package.members().size(); ++i) {
    std::string_view name = package.members()[i].name;
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) continue;
    if (!types.vba_extensions.contains(AsciiLowered(name.substr(dot + 1))) ||
        types.overridden_parts.contains(AsciiLowered(name))) {
      continue;
    }
    if (!main_part.empty() && FolderOf(name) == FolderOf(main_part)) return i;
    if (!first) first = i;
  }
  return first;
}

}  // namespace

std::optional<std::string> FindVbaProjectPart(const ZipArchive& package) {
  PartIndex parts(package);
  ContentTypes types;
  if (std::optional<std::vector<uint8_t>> bytes = parts.ReadXml(kContentTypesPart)) {
    types = ParseContentTypes(*bytes);
  }
  std::string main_part;
  std::optional<NamedPart> related = VbaProjectRelationship(parts, &main_part);

  // The relationship is what the application follows; the content types only label parts.
  std::optional<NamedPart> missing;
  if (related) {
    if (std::optional<size_t> index = parts.Find(related->name)) {
      return package.members()[*index].name;
    }
    missing = related;
  }
  for (const NamedPart& part : types.vba_overrides) {
    if (std::optional<size_t> index = parts.Find(part.name)) {
      return package.members()[*index].name;
    }
    if (!missing) missing = part;
  }
  if (std::optional<size_t> index = VbaProjectByDefault(package, types, main_part)) {
    return package.members()[*index].name;
  }
  if (missing) {
    throw FormatError(
        "names the VBA project part " + missing->name + ", which the package does not hold",
        missing->where, missing->offset);
  }
  return std::nullopt;
}

}  // namespace tovalin
