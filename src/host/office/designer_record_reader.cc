#include "host/office/designer_record_reader.h"

#include <algorithm>
#include <utility>

#include "host/office/code_page_decoder.h"
#include "host/office/format_error.h"
#include "host/office/utf.h"

namespace tovalin {

const Guid kStdFontGuid = {0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                           0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
const Guid kStdPictureGuid = {0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                              0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
const Guid kTextPropsGuid = {0x20, 0x09, 0xC2, 0xAF, 0x4E, 0xDA, 0xCE, 0x11,
                             0xB9, 0x43, 0x00, 0xAA, 0x00, 0x68, 0x87, 0xB4};

namespace {

constexpr uint32_t kCompressedFlag = 0x80000000;
constexpr uint32_t kStdPicturePreamble = 0x0000746C;
constexpr uint8_t kStdFontVersion = 1;

std::string Hex(uint64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) {
    text[static_cast<size_t>(i)] = kDigits[value & 0xF];
  }
  return "0x" + text;
}

uint64_t LittleEndian(std::span<const uint8_t> bytes) {
  uint64_t value = 0;
  for (size_t i = 0; i < bytes.size(); ++i) value |= uint64_t{bytes[i]} << (8 * i);
  return value;
}

// The code page of a StdFont's face name when the project's is not known: the ANSI code page of
// its charset (a LOGFONT lfCharSet); DEFAULT_CHARSET and the unknown ones read as Windows-1252.
uint32_t CodePageOfCharset(int charset) {
  // SHIFTJIS, HANGUL, JOHAB, GB2312, CHINESEBIG5, GREEK, TURKISH, VIETNAMESE, HEBREW, ARABIC,
  // BALTIC, RUSSIAN, THAI, EASTEUROPE.
  static constexpr std::pair<int, uint32_t> kCodePages[] = {
      {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950},  {161, 1253}, {162, 1254},
      {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}};
  for (const auto& [set, code_page] : kCodePages) {
    if (set == charset) return code_page;
  }
  return 1252;
}

std::string Bytes(uint64_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

}  // namespace

std::string DecodeFormsString(std::span<const uint8_t> bytes, bool compressed) {
  std::string out;
  if (compressed) {
    out.reserve(bytes.size());
    for (uint8_t byte : bytes) AppendUtf8(out, byte);
    return out;
  }
  out.reserve(bytes.size());
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    const uint32_t unit = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
      const uint32_t next = bytes[2 * i + 2] | (bytes[2 * i + 3] << 8);
      if (next >= 0xDC00 && next < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
  }
  if (bytes.size() % 2 != 0) AppendUtf8(out, 0xFFFD);
  return out;
}

DesignerRecordReader::DesignerRecordReader(std::span<const uint8_t> bytes, size_t start,
                                           const std::string& where, size_t base_offset,
                                           const char* record)
    : bytes_(bytes),
      start_(start),
      where_(where),
      base_offset_(base_offset),
      record_(record),
      offset_(start),
      end_(start) {}

void DesignerRecordReader::Fail(size_t offset, const std::string& what) const {
  throw FormatError(what, where_, Absolute(offset));
}

std::span<const uint8_t> DesignerRecordReader::Take(size_t count, size_t limit,
                                                    const std::string& what) {
  if (offset_ > limit || count > limit - offset_) Fail(offset_, what);
  std::span<const uint8_t> part = bytes_.subspan(offset_, count);
  offset_ += count;
  return part;
}

void DesignerRecordReader::Header(uint8_t minor, uint8_t major) {
  const std::string what = std::string("the ") + record_ +
                           " record's header (4 bytes) runs past the " +
                           Bytes(bytes_.size() - std::min(offset_, bytes_.size())) + " left";
  std::span<const uint8_t> header = Take(4, bytes_.size(), what);
  if (header[0] != minor || header[1] != major) {
    Fail(start_, std::string("the ") + record_ + " record has version " +
                     std::to_string(header[1]) + "." + std::to_string(header[0]) +
                     "; this reader knows " + std::to_string(major) + "." + std::to_string(minor));
  }
  const size_t cb = header[2] | (header[3] << 8);
  if (cb > bytes_.size() - offset_) {
    Fail(start_ + 2, std::string("the ") + record_ + " record's cb of " + Bytes(cb) +
                         " runs past the " + Bytes(bytes_.size() - offset_) + " left");
  }
  end_ = offset_ + cb;
}

void DesignerRecordReader::Header16(uint16_t version) {
  const std::string what = std::string("the ") + record_ +
                           " record's header (4 bytes) runs past the " +
                           Bytes(bytes_.size() - std::min(offset_, bytes_.size())) + " left";
  std::span<const uint8_t> header = Take(4, bytes_.size(), what);
  const uint16_t stored = static_cast<uint16_t>(header[0] | (header[1] << 8));
  if (stored != version) {
    Fail(start_, std::string("the ") + record_ + " record has version " + std::to_string(stored) +
                     "; this reader knows " + std::to_string(version));
  }
  const size_t cb = header[2] | (header[3] << 8);
  if (cb > bytes_.size() - offset_) {
    Fail(start_ + 2, std::string("the ") + record_ + " record's cb of " + Bytes(cb) +
                         " runs past the " + Bytes(bytes_.size() - offset_) + " left");
  }
  end_ = offset_ + cb;
}

uint32_t DesignerRecordReader::Mask32() {
  return static_cast<uint32_t>(LittleEndian(Take(
      4, end_, std::string("the ") + record_ + " record's PropMask (4 bytes) runs past its cb")));
}

uint64_t DesignerRecordReader::Mask64() {
  return LittleEndian(Take(
      8, end_, std::string("the ") + record_ + " record's PropMask (8 bytes) runs past its cb"));
}

void DesignerRecordReader::RequireKnownBits(uint64_t mask, uint64_t known) {
  const uint64_t unknown = mask & ~known;
  if (unknown == 0) return;
  int bit = 0;
  while ((unknown >> bit & 1) == 0) ++bit;
  Fail(start_ + 4,
       std::string("the ") + record_ + " record's PropMask " +
           Hex(mask, mask > 0xFFFFFFFF ? 16 : 8) + " has bit " + std::to_string(bit) +
           " set, a property this reader does not know; what follows it cannot be read");
}

uint32_t DesignerRecordReader::Scalar(size_t count, const char* name) {
  const size_t misalignment = (offset_ - start_) % count;
  const size_t padding = misalignment == 0 ? 0 : count - misalignment;
  const std::string what = std::string("the ") + record_ + " record's " + name + " (" +
                           Bytes(count) + ") runs past its cb of " + Bytes(end_ - start_ - 4);
  Take(padding, end_, what);
  return static_cast<uint32_t>(LittleEndian(Take(count, end_, what)));
}

uint8_t DesignerRecordReader::U8(const char* name) { return static_cast<uint8_t>(Scalar(1, name)); }
uint16_t DesignerRecordReader::U16(const char* name) {
  return static_cast<uint16_t>(Scalar(2, name));
}
uint32_t DesignerRecordReader::U32(const char* name) { return Scalar(4, name); }

void DesignerRecordReader::StreamPlaceholder(const char* name) { Scalar(2, name); }

void DesignerRecordReader::String(const char* name, std::string* out) {
  extras_.push_back({ExtraKind::kString, name, U32(name), out});
}
void DesignerRecordReader::StringArray(const char* name, std::vector<std::string>* out) {
  extras_.push_back({ExtraKind::kStringArray, name, U32(name), out});
}
void DesignerRecordReader::Size(const char* name, HimetricSize* out) {
  extras_.push_back({ExtraKind::kSize, name, 0, out});
}
void DesignerRecordReader::Position(const char* name, HimetricPosition* out) {
  extras_.push_back({ExtraKind::kPosition, name, 0, out});
}
void DesignerRecordReader::GuidInExtra(const char* name, Guid* out) {
  extras_.push_back({ExtraKind::kGuid, name, 0, out});
}

void DesignerRecordReader::AlignTo4(size_t limit) {
  const size_t misalignment = (offset_ - start_) % 4;
  if (misalignment != 0) offset_ = std::min(offset_ + 4 - misalignment, std::max(limit, offset_));
}

std::string DesignerRecordReader::DecodeString(uint32_t count_and_flag, size_t limit,
                                               const char* name) {
  const bool compressed = (count_and_flag & kCompressedFlag) != 0;
  const uint64_t bytes = count_and_flag & ~kCompressedFlag;  // bytes, even for UTF-16
  if (bytes > limit - offset_) {
    Fail(offset_, std::string("the ") + name + " string of " + Bytes(bytes) + " runs past the " +
                      record_ + " record's " + Bytes(end_ - start_));
  }
  const std::string text =
      DecodeFormsString(bytes_.subspan(offset_, static_cast<size_t>(bytes)), compressed);
  offset_ += static_cast<size_t>(bytes);
  AlignTo4(limit);
  return text;
}

void DesignerRecordReader::ReadExtra(const Extra& extra) {
  switch (extra.kind) {
    case ExtraKind::kString:
      *static_cast<std::string*>(extra.out) = DecodeString(extra.count, end_, extra.name);
      return;
    case ExtraKind::kSize:
    case ExtraKind::kPosition: {
      std::span<const uint8_t> pair =
          Take(8, end_,
               std::string("the ") + record_ + " record's " + extra.name +
                   " (8 bytes) runs past its cb of " + Bytes(end_ - start_ - 4));
      const auto first = static_cast<int32_t>(LittleEndian(pair.first(4)));
      const auto second = static_cast<int32_t>(LittleEndian(pair.subspan(4)));
      if (extra.kind == ExtraKind::kSize) {
        *static_cast<HimetricSize*>(extra.out) = {first, second};
      } else {
        *static_cast<HimetricPosition*>(extra.out) = {first, second};
      }
      return;
    }
    case ExtraKind::kGuid: {
      std::span<const uint8_t> guid =
          Take(16, end_,
               std::string("the ") + record_ + " record's " + extra.name +
                   " (16 bytes) runs past its cb of " + Bytes(end_ - start_ - 4));
      std::copy(guid.begin(), guid.end(), static_cast<Guid*>(extra.out)->begin());
      return;
    }
    case ExtraKind::kStringArray: {
      auto& out = *static_cast<std::vector<std::string>*>(extra.out);
      out.clear();
      if (extra.count > end_ - offset_) {
        Fail(offset_, std::string("the ") + extra.name + " array of " + Bytes(extra.count) +
                          " runs past the " + record_ + " record's " + Bytes(end_ - start_));
      }
      const size_t array_end = offset_ + extra.count;
      while (offset_ < array_end) {
        if (out.size() == kMaxStringArrayEntries) {
          Fail(offset_, std::string("the ") + extra.name + " array holds more than " +
                            std::to_string(kMaxStringArrayEntries) + " entries");
        }
        const std::string entry =
            "entry " + std::to_string(out.size()) + " of the " + extra.name + " array";
        const auto count = static_cast<uint32_t>(LittleEndian(
            Take(4, array_end,
                 "the length of " + entry + " runs past the array's " + Bytes(extra.count))));
        const bool compressed = (count & kCompressedFlag) != 0;
        const uint64_t chars = count & ~kCompressedFlag;
        const uint64_t bytes = compressed ? chars : 2 * chars;
        if (bytes > array_end - offset_) {
          Fail(offset_, "the " + std::to_string(chars) + " characters of " + entry +
                            " run past the array's " + Bytes(extra.count));
        }
        out.push_back(
            DecodeFormsString(bytes_.subspan(offset_, static_cast<size_t>(bytes)), compressed));
        offset_ += static_cast<size_t>(bytes);
        AlignTo4(array_end);
      }
      return;
    }
  }
}

void DesignerRecordReader::Finish() {
  AlignTo4(end_);
  for (const Extra& extra : extras_) ReadExtra(extra);
  extras_.clear();
  offset_ = end_;
}

void DesignerRecordReader::SkipPicture(const char* name) {
  const std::string what = std::string("the ") + name + " picture of the " + record_ +
                           " record runs past the " + Bytes(bytes_.size() - offset_) + " left";
  const size_t at = offset_;
  std::span<const uint8_t> guid = Take(16, bytes_.size(), what);
  if (!std::equal(guid.begin(), guid.end(), kStdPictureGuid.begin())) {
    Guid stored{};
    std::copy(guid.begin(), guid.end(), stored.begin());
    Fail(at, std::string("the ") + name + " picture's class is " + GuidText(stored) +
                 ", not StdPicture");
  }
  const auto preamble = static_cast<uint32_t>(LittleEndian(Take(4, bytes_.size(), what)));
  if (preamble != kStdPicturePreamble) {
    Fail(offset_ - 4, std::string("the ") + name + " picture's preamble is " + Hex(preamble, 8) +
                          ", not 0x0000746C");
  }
  const auto size = static_cast<uint32_t>(LittleEndian(Take(4, bytes_.size(), what)));
  Take(size, bytes_.size(),
       std::string("the ") + name + " picture's " + Bytes(size) + " run past the " +
           Bytes(bytes_.size() - offset_) + " left");
}

FontRecord DesignerRecordReader::Font(const char* name, uint32_t code_page) {
  const std::string what = std::string("the ") + name + " of the " + record_ +
                           " record runs past the " + Bytes(bytes_.size() - offset_) + " left";
  const size_t at = offset_;
  std::span<const uint8_t> guid_bytes = Take(16, bytes_.size(), what);
  Guid guid{};
  std::copy(guid_bytes.begin(), guid_bytes.end(), guid.begin());
  if (guid == kTextPropsGuid) return FontOfTextProps(TextProps());
  if (guid != kStdFontGuid) {
    Fail(at, std::string("the ") + name + "'s class is " + GuidText(guid) +
                 ", neither StdFont nor the forms package's font");
  }
  std::span<const uint8_t> fixed = Take(11, bytes_.size(), what);
  if (fixed[0] != kStdFontVersion) {
    Fail(at + 16, std::string("the ") + name + " is a StdFont of version " +
                      std::to_string(fixed[0]) + "; this reader knows version 1");
  }
  FontRecord font;
  font.charset = static_cast<int16_t>(fixed[1] | (fixed[2] << 8));
  const uint8_t flags = fixed[3];
  font.weight = static_cast<int16_t>(fixed[4] | (fixed[5] << 8));
  font.size_ten_thousandths = static_cast<int64_t>(LittleEndian(fixed.subspan(6, 4)));
  const uint8_t face_length = fixed[10];
  std::span<const uint8_t> face =
      Take(face_length, bytes_.size(),
           std::string("the ") + name + "'s face name of " + Bytes(face_length) +
               " runs past the " + Bytes(bytes_.size() - offset_) + " left");
  // The face name is in the saving system's ANSI code page (Meiryo in Shift-JIS, Gulim in the
  // Korean code page), even when the charset says ANSI.
  CodePageDecoder decoder(code_page != 0 ? code_page : CodePageOfCharset(font.charset));
  font.name = decoder.Decode(face);
  font.bold = (flags & 0x01) != 0 || font.weight >= 700;
  font.italic = (flags & 0x02) != 0;
  font.underline = (flags & 0x04) != 0;
  font.strikethrough = (flags & 0x08) != 0;
  return font;
}

TextPropsRecord DesignerRecordReader::TextProps() {
  DesignerRecordReader reader(bytes_, offset_, where_, base_offset_, "TextProps");
  reader.Header(0x00, 0x02);
  const uint32_t mask = reader.Mask32();
  // Bit 3 is unused; the others are FontName, FontEffects, FontHeight, FontCharSet,
  // FontPitchAndFamily, ParagraphAlign and FontWeight.
  reader.RequireKnownBits(mask, 0xF7);
  TextPropsRecord props;
  if (mask & 0x01) reader.String("FontName", &props.font_name);
  if (mask & 0x02) props.font_effects = reader.U32("FontEffects");
  if (mask & 0x04) props.font_height = reader.I32("FontHeight");
  if (mask & 0x10) props.font_charset = reader.U8("FontCharSet");
  if (mask & 0x20) props.font_pitch_and_family = reader.U8("FontPitchAndFamily");
  if (mask & 0x40) props.paragraph_align = reader.U8("ParagraphAlign");
  if (mask & 0x80) props.font_weight = reader.U16("FontWeight");
  reader.Finish();
  offset_ = reader.end();
  return props;
}

}  // namespace tovalin
