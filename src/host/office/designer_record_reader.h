// The generic reader of an [MS-OFORMS] property record: a header (version, cb), a PropMask, a
// DataBlock of scalars each aligned to its own size counted from the start of the record, an
// ExtraDataBlock holding the strings, string arrays, sizes, positions and GUIDs in the order of
// their mask bits, each padded to 4 bytes, and, after the cb-bounded part, the StreamData of
// pictures and fonts without alignment. The decoders read the DataBlock in bit order; the
// reader remembers what goes to the ExtraDataBlock and fills it in Finish(), then stands at
// the end of the record (start + 4 + cb), where the StreamData begins.
//
// The input is hostile: every read is checked against the record's cb and the span, every
// error is a FormatError naming the stream and the absolute offset (base_offset + offset in
// the span).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/office/designer_records.h"

namespace tovalin {

// CLSID_StdFont, CLSID_StdPicture and the forms package's font (TextProps), as stored.
extern const Guid kStdFontGuid;     // {0BE35203-8F91-11CE-9DE3-00AA004BB851}
extern const Guid kStdPictureGuid;  // {0BE35204-8F91-11CE-9DE3-00AA004BB851}
extern const Guid kTextPropsGuid;   // {AFC20920-DA4E-11CE-B943-00AA006887B4}

// The most entries a string array may hold (a TabStrip's captions, tips, names, tags,
// accelerators) and the most sites a container may list.
inline constexpr size_t kMaxStringArrayEntries = 65536;
inline constexpr size_t kMaxSites = 100000;

class DesignerRecordReader {
 public:
  // The record begins at `start` in `bytes`; `record` names it in messages ("CommandButton").
  // Nothing past the end of `bytes` is ever read: callers bound a record by its span.
  DesignerRecordReader(std::span<const uint8_t> bytes, size_t start, const std::string& where,
                       size_t base_offset, const char* record);

  // Reads MinorVersion and MajorVersion (one byte each) and cb; fails on other versions and on
  // a cb beyond the span.
  void Header(uint8_t minor, uint8_t major);
  // The same for the records with a u16 Version (sites, class table entries).
  void Header16(uint16_t version);
  uint32_t Mask32();
  uint64_t Mask64();
  // Fails on the lowest bit of `mask` outside `known`: a property this reader does not know
  // may carry data of unknown size, so nothing after it could be read.
  void RequireKnownBits(uint64_t mask, uint64_t known);

  // DataBlock scalars, each aligned to its size from the start of the record.
  uint8_t U8(const char* name);
  uint16_t U16(const char* name);
  uint32_t U32(const char* name);
  int16_t I16(const char* name) { return static_cast<int16_t>(U16(name)); }
  int32_t I32(const char* name) { return static_cast<int32_t>(U32(name)); }
  // A picture or font placeholder (u16, 0xFFFF); its data is read from the StreamData.
  void StreamPlaceholder(const char* name);

  // Properties whose data goes to the ExtraDataBlock: the DataBlock part is read now, the rest
  // in Finish(), into `out`, which must outlive Finish().
  void String(const char* name, std::string* out);
  void StringArray(const char* name, std::vector<std::string>* out);
  void Size(const char* name, HimetricSize* out);
  void Position(const char* name, HimetricPosition* out);
  void GuidInExtra(const char* name, Guid* out);  // a GUID with no DataBlock part

  // Pads the DataBlock to 4, reads the ExtraDataBlock, pads it to 4 and checks that all this
  // ends within cb; then stands at start + 4 + cb.
  void Finish();

  // StreamData, after Finish(): a GuidAndPicture, skipped; a GuidAndFont, decoded, a StdFont's
  // face name in `code_page`, or when that is 0 in the ANSI code page of the font's charset.
  void SkipPicture(const char* name);
  FontRecord Font(const char* name, uint32_t code_page);
  // A TextProps record (header 0x00 0x02) at the current offset.
  TextPropsRecord TextProps();

  size_t offset() const { return offset_; }
  size_t end() const { return end_; }
  // The absolute offset of `offset` in the stream, for messages.
  size_t Absolute(size_t offset) const { return base_offset_ + offset; }
  [[noreturn]] void Fail(size_t offset, const std::string& what) const;

 private:
  enum class ExtraKind { kString, kStringArray, kSize, kPosition, kGuid };
  struct Extra {
    ExtraKind kind;
    const char* name;
    uint32_t count;  // strings: CountOfBytesWithCompressionFlag; arrays: the byte size
    void* out;
  };

  // Reads `count` bytes of the DataBlock (aligned to `count`) as little-endian.
  uint32_t Scalar(size_t count, const char* name);
  // `count` bytes at the current offset, which must not pass `limit`.
  std::span<const uint8_t> Take(size_t count, size_t limit, const std::string& what);
  // Pads to 4 bytes from the start of the record, no further than `limit`.
  void AlignTo4(size_t limit);
  // An ExtraDataBlock string of CountOfBytesWithCompressionFlag `count_and_flag`, then padding.
  std::string DecodeString(uint32_t count_and_flag, size_t limit, const char* name);
  void ReadExtra(const Extra& extra);

  std::span<const uint8_t> bytes_;
  size_t start_;
  std::string where_;
  size_t base_offset_;
  const char* record_;
  size_t offset_;
  size_t end_;  // start + 4 + cb once the header is read
  std::vector<Extra> extras_;
};

// Decodes `bytes` as a stored string: compressed, one byte per character whose value is the
// code point (Latin-1); otherwise UTF-16LE with surrogate pairs joined and a lone surrogate
// replaced by U+FFFD. An odd trailing byte of UTF-16 also becomes U+FFFD.
std::string DecodeFormsString(std::span<const uint8_t> bytes, bool compressed);

}  // namespace tovalin
