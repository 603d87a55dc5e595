#include "support/designer_record_builder.h"

#include <stdexcept>

namespace tovalin::testing {
namespace {

void Put(Bytes& out, uint64_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void PadTo4(Bytes& out, size_t start) {
  while ((out.size() - start) % 4 != 0) out.push_back(0);
}
Bytes Chars(std::u16string_view text, bool compressed) {
  Bytes out;
  for (char16_t c : text) Put(out, c, compressed ? 1 : 2);
  return out;
}

const Guid kStdFont = {0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                       0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
const Guid kStdPicture = {0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                          0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
const Guid kTextProps = {0x20, 0x09, 0xC2, 0xAF, 0x4E, 0xDA, 0xCE, 0x11,
                         0xB9, 0x43, 0x00, 0xAA, 0x00, 0x68, 0x87, 0xB4};

}  // namespace

RecordBuilder RecordBuilder::Control(uint8_t major) { return RecordBuilder(false, major); }
RecordBuilder RecordBuilder::Site() { return RecordBuilder(true, 0); }
RecordBuilder& RecordBuilder::WideMask() {
  wide_mask_ = true;
  return *this;
}

RecordBuilder& RecordBuilder::Add(Property property) {
  if (!properties_.empty() && properties_.back().bit >= property.bit) {
    throw std::logic_error("properties must come in ascending bit order");
  }
  properties_.push_back(std::move(property));
  return *this;
}

RecordBuilder& RecordBuilder::U8(int bit, uint8_t value) {
  return Add({bit, Kind::kScalar, 1, value, {}});
}
RecordBuilder& RecordBuilder::U16(int bit, uint16_t value) {
  return Add({bit, Kind::kScalar, 2, value, {}});
}
RecordBuilder& RecordBuilder::U32(int bit, uint32_t value) {
  return Add({bit, Kind::kScalar, 4, value, {}});
}
RecordBuilder& RecordBuilder::Flag(int bit) { return Add({bit, Kind::kFlag, 0, 0, {}}); }
RecordBuilder& RecordBuilder::Latin1(int bit, std::string_view bytes) {
  return RawString(bit, 0x80000000u | static_cast<uint32_t>(bytes.size()),
                   Bytes(bytes.begin(), bytes.end()));
}
RecordBuilder& RecordBuilder::Utf16(int bit, std::u16string_view text) {
  Bytes bytes = Chars(text, false);
  const auto count = static_cast<uint32_t>(bytes.size());
  return RawString(bit, count, std::move(bytes));
}
RecordBuilder& RecordBuilder::RawString(int bit, uint32_t count_and_flag, Bytes bytes) {
  return Add({bit, Kind::kString, 4, count_and_flag, std::move(bytes)});
}
RecordBuilder& RecordBuilder::Pair(int bit, int32_t first, int32_t second) {
  Bytes data;
  Put(data, static_cast<uint32_t>(first), 4);
  Put(data, static_cast<uint32_t>(second), 4);
  return Add({bit, Kind::kPair, 0, 0, std::move(data)});
}
RecordBuilder& RecordBuilder::GuidExtra(int bit, const Guid& guid) {
  return Add({bit, Kind::kGuid, 0, 0, Bytes(guid.begin(), guid.end())});
}
RecordBuilder& RecordBuilder::Array(int bit, std::vector<Entry> entries) {
  Bytes data;
  for (const Entry& entry : entries) {
    Put(data, (entry.compressed ? 0x80000000u : 0u) | static_cast<uint32_t>(entry.text.size()), 4);
    const Bytes chars = Chars(entry.text, entry.compressed);
    data.insert(data.end(), chars.begin(), chars.end());
    PadTo4(data, 0);
  }
  return Add({bit, Kind::kArray, 4, data.size(), std::move(data)});
}
RecordBuilder& RecordBuilder::Stream(int bit, Bytes data) {
  return Add({bit, Kind::kStream, 2, 0xFFFF, std::move(data)});
}
RecordBuilder& RecordBuilder::Then(Bytes bytes) {
  tail_.insert(tail_.end(), bytes.begin(), bytes.end());
  return *this;
}

Bytes RecordBuilder::Build() const {
  Bytes out;
  if (version16_) {
    Put(out, 0, 2);
  } else {
    out.push_back(0);
    out.push_back(major_);
  }
  Put(out, 0, 2);  // cb, below
  uint64_t mask = 0;
  for (const Property& property : properties_) mask |= uint64_t{1} << property.bit;
  Put(out, mask, wide_mask_ ? 8 : 4);
  for (const Property& property : properties_) {
    if (property.kind == Kind::kFlag || property.kind == Kind::kPair ||
        property.kind == Kind::kGuid)
      continue;
    while (out.size() % property.size != 0) out.push_back(0);
    Put(out, property.kind == Kind::kArray ? property.data.size() : property.value, property.size);
  }
  PadTo4(out, 0);
  for (const Property& property : properties_) {
    if (property.kind == Kind::kString || property.kind == Kind::kPair ||
        property.kind == Kind::kGuid || property.kind == Kind::kArray) {
      out.insert(out.end(), property.data.begin(), property.data.end());
      PadTo4(out, 0);
    }
  }
  const size_t cb = out.size() - 4;
  out[2] = static_cast<uint8_t>(cb);
  out[3] = static_cast<uint8_t>(cb >> 8);
  for (const Property& property : properties_) {
    if (property.kind == Kind::kStream)
      out.insert(out.end(), property.data.begin(), property.data.end());
  }
  out.insert(out.end(), tail_.begin(), tail_.end());
  return out;
}

Bytes DefaultTextProps() { return RecordBuilder::Control().Build(); }

Bytes StdFontBytes(std::string_view name, uint32_t height_ten_thousandths, uint16_t weight,
                   uint8_t flags, uint16_t charset) {
  Bytes out(kStdFont.begin(), kStdFont.end());
  out.push_back(1);
  Put(out, charset, 2);
  out.push_back(flags);
  Put(out, weight, 2);
  Put(out, height_ten_thousandths, 4);
  out.push_back(static_cast<uint8_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  return out;
}

Bytes TextPropsFontBytes(const Bytes& text_props) {
  Bytes out(kTextProps.begin(), kTextProps.end());
  out.insert(out.end(), text_props.begin(), text_props.end());
  return out;
}

Bytes PictureBytes(const Bytes& data) {
  Bytes out(kStdPicture.begin(), kStdPicture.end());
  Put(out, 0x0000746C, 4);
  Put(out, data.size(), 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes ContainerStream(const Bytes& form, const std::vector<Bytes>* class_infos,
                      const std::vector<Bytes>& sites) {
  Bytes depths;
  for (size_t i = 0; i < sites.size(); ++i) {
    depths.push_back(0);
    depths.push_back(1);
  }
  return ContainerStream(form, class_infos, sites, depths);
}

Bytes ContainerStream(const Bytes& form, const std::vector<Bytes>* class_infos,
                      const std::vector<Bytes>& sites, const Bytes& depths_and_types) {
  Bytes out = form;
  if (class_infos != nullptr) {
    Put(out, class_infos->size(), 2);
    for (const Bytes& info : *class_infos) out.insert(out.end(), info.begin(), info.end());
  }
  const size_t anchor = out.size();
  Put(out, sites.size(), 4);
  Put(out, 0, 4);  // CountOfBytes, below
  out.insert(out.end(), depths_and_types.begin(), depths_and_types.end());
  PadTo4(out, anchor);
  for (const Bytes& site : sites) out.insert(out.end(), site.begin(), site.end());
  const size_t count = out.size() - anchor - 8;
  for (size_t i = 0; i < 4; ++i) out[anchor + 4 + i] = static_cast<uint8_t>(count >> (8 * i));
  return out;
}

}  // namespace tovalin::testing
