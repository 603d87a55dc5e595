// Writes [MS-OFORMS] property records for tests the way the format lays them out: a header
// (version, cb), the PropMask, a DataBlock with each scalar aligned to its size from the start
// of the record, the ExtraDataBlock (strings, arrays, sizes, positions, GUIDs in bit order, each
// padded to 4), then the StreamData of pictures and fonts and whatever follows (TextProps).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/office/designer_records.h"

namespace tovalin::testing {

using Bytes = std::vector<uint8_t>;

class RecordBuilder {
 public:
  // A control record (MinorVersion 0, MajorVersion `major`: 2 for controls, 4 for FormControl).
  static RecordBuilder Control(uint8_t major = 2);
  // A record with a u16 Version of 0 (OleSiteConcrete, SiteClassInfo).
  static RecordBuilder Site();
  // The PropMask takes 8 bytes (MorphData).
  RecordBuilder& WideMask();

  // Each adds property `bit`; properties go in ascending bit order.
  RecordBuilder& U8(int bit, uint8_t value);
  RecordBuilder& U16(int bit, uint16_t value);
  RecordBuilder& U32(int bit, uint32_t value);
  RecordBuilder& Flag(int bit);  // a property with no data: the bit is the value
  // A string stored compressed: one byte per character.
  RecordBuilder& Latin1(int bit, std::string_view bytes);
  RecordBuilder& Utf16(int bit, std::u16string_view text);
  // A string of any CountOfBytesWithCompressionFlag and bytes, for damaged records.
  RecordBuilder& RawString(int bit, uint32_t count_and_flag, Bytes bytes);
  RecordBuilder& Pair(int bit, int32_t first, int32_t second);  // a size or a position
  RecordBuilder& GuidExtra(int bit, const Guid& guid);
  struct Entry {
    std::u16string text;
    bool compressed = true;
  };
  RecordBuilder& Array(int bit, std::vector<Entry> entries);
  // A picture or font: the placeholder in the DataBlock, `data` in the StreamData.
  RecordBuilder& Stream(int bit, Bytes data);
  // Bytes after the StreamData (a TextProps record, TabData flags).
  RecordBuilder& Then(Bytes bytes);

  Bytes Build() const;

 private:
  enum class Kind { kScalar, kFlag, kString, kPair, kGuid, kArray, kStream };
  struct Property {
    int bit;
    Kind kind;
    size_t size = 0;     // scalars
    uint64_t value = 0;  // scalars; strings: CountOfBytesWithCompressionFlag
    Bytes data;          // strings, pairs, GUIDs, arrays (laid out), stream data
  };
  RecordBuilder(bool version16, uint8_t major) : version16_(version16), major_(major) {}
  RecordBuilder& Add(Property property);

  bool version16_;
  uint8_t major_;
  bool wide_mask_ = false;
  std::vector<Property> properties_;
  Bytes tail_;
};

// A TextProps record with nothing but defaults.
Bytes DefaultTextProps();
// A GuidAndFont holding a StdFont.
Bytes StdFontBytes(std::string_view name, uint32_t height_ten_thousandths, uint16_t weight = 400,
                   uint8_t flags = 0, uint16_t charset = 0);
// A GuidAndFont holding a TextProps record.
Bytes TextPropsFontBytes(const Bytes& text_props);
// A GuidAndPicture holding `data`.
Bytes PictureBytes(const Bytes& data);

// An "f" stream: the FormControl record (with its StreamData), the class table when
// `class_infos` is not null, CountOfSites, CountOfBytes, one depth/type entry per site, padding
// to 4 from CountOfSites, then the sites.
Bytes ContainerStream(const Bytes& form, const std::vector<Bytes>* class_infos,
                      const std::vector<Bytes>& sites);
// The same with the depth/type array given as stored.
Bytes ContainerStream(const Bytes& form, const std::vector<Bytes>* class_infos,
                      const std::vector<Bytes>& sites, const Bytes& depths_and_types);

}  // namespace tovalin::testing
