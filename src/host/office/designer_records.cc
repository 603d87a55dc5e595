// The decoders of [MS-OFORMS] 2.2: each reads its record's PropMask bits in ascending order, as
// the DataBlock stores them, with the generic reader of designer_record_reader.h.
#include "host/office/designer_records.h"

#include <algorithm>

#include "host/office/designer_record_reader.h"
#include "host/office/format_error.h"

namespace tovalin {
namespace {

constexpr uint64_t Bit(int n) { return uint64_t{1} << n; }
constexpr bool Has(uint64_t mask, int n) { return (mask & Bit(n)) != 0; }

// FormPropMask ([MS-OFORMS] 2.2.10.2): bits 0, 4, 5 and 14 are unused.
constexpr uint64_t kFormKnownBits = 0x0FFFBFCE;
constexpr uint32_t kDontSaveClassTable = 0x8000;
// ClassInfoPropMask (2.2.10.10.2): bit 2 is unused.
constexpr uint64_t kClassInfoKnownBits = 0x7FFB;
// SitePropMask (2.2.10.12.2): bit 10 is unused.
constexpr uint64_t kSiteKnownBits = 0x7BFF;
// The only SITE_TYPE (2.2.10.7): OleSiteConcrete.
constexpr uint8_t kSiteTypeOleSiteConcrete = 1;

// The PropMask bits each control record knows; the others are unused.
constexpr uint64_t kCommandButtonKnownBits = 0x7FF;  // 0-10
constexpr uint64_t kLabelKnownBits = 0x1FFF;         // 0-12
// MorphData: bits 19 and 30 are unused; 31 is reserved and carries no data.
constexpr uint64_t kMorphDataKnownBits = 0x1BFF7FFFF;
constexpr uint64_t kImageKnownBits = 0x7FFC;        // 2-14
constexpr uint64_t kScrollBarKnownBits = 0x1FEFF;   // 0-16 except 8
constexpr uint64_t kSpinButtonKnownBits = 0x7FEF;   // 0-14 except 4
constexpr uint64_t kTabStripKnownBits = 0x1FEBF77;  // 0-24 except 3, 7, 14, 16
// PageProperties and MultiPageProperties (the "x" stream): bits 1 and 2.
constexpr uint64_t kPagePropertiesKnownBits = 0x6;

std::string Count(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

uint32_t U32At(std::span<const uint8_t> bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (uint32_t{bytes[at + 3]} << 24);
}

// A SiteClassInfo of the class table: its CLSID when stored, else zeros. The record is read
// whole so that a damaged one is reported, then left by its cb.
Guid ReadSiteClassInfo(std::span<const uint8_t> stream, size_t& offset, const std::string& where) {
  DesignerRecordReader r(stream, offset, where, 0, "SiteClassInfo");
  r.Header16(0);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kClassInfoKnownBits);
  Guid clsid{};
  Guid ignored{};
  // The GUIDs are ExtraDataBlock properties: they have no DataBlock part.
  if (Has(mask, 0)) r.GuidInExtra("ClsID", &clsid);
  if (Has(mask, 1)) r.GuidInExtra("DispEvent", &ignored);
  if (Has(mask, 3)) r.GuidInExtra("DefaultProc", &ignored);
  if (Has(mask, 4)) {
    r.U16("ClassTableFlags");
    r.U16("VarFlags");
  }
  if (Has(mask, 5)) r.U32("CountOfMethods");
  if (Has(mask, 6)) r.U32("DispidBind");
  if (Has(mask, 7)) r.U16("GetBindIndex");
  if (Has(mask, 8)) r.U16("PutBindIndex");
  if (Has(mask, 9)) r.U16("BindType");
  if (Has(mask, 10)) r.U16("GetValueIndex");
  if (Has(mask, 11)) r.U16("PutValueIndex");
  if (Has(mask, 12)) r.U16("ValueType");
  if (Has(mask, 13)) r.U32("DispidRowset");
  if (Has(mask, 14)) r.U16("SetRowset");
  r.Finish();
  offset = r.end();
  return clsid;
}

SiteRecord ReadSite(std::span<const uint8_t> bytes, size_t& offset, const std::string& where) {
  DesignerRecordReader r(bytes, offset, where, 0, "OleSiteConcrete");
  r.Header16(0);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kSiteKnownBits);
  SiteRecord site;
  if (Has(mask, 0)) r.String("Name", &site.name);
  if (Has(mask, 1)) r.String("Tag", &site.tag);
  if (Has(mask, 2)) site.id = r.I32("ID");
  if (Has(mask, 3)) site.help_context_id = r.I32("HelpContextID");
  if (Has(mask, 4)) site.bit_flags = r.U32("BitFlags");
  if (Has(mask, 5)) site.object_stream_size = r.U32("ObjectStreamSize");
  if (Has(mask, 6)) site.tab_index = r.I16("TabIndex");
  if (Has(mask, 7)) site.clsid_cache_index = r.U16("ClsidCacheIndex");
  if (Has(mask, 8)) r.Position("Position", &site.position);
  if (Has(mask, 9)) site.group_id = r.U16("GroupID");
  if (Has(mask, 11)) r.String("ControlTipText", &site.control_tip_text);
  if (Has(mask, 12)) r.String("RuntimeLicKey", &site.runtime_lic_key);
  if (Has(mask, 13)) r.String("ControlSource", &site.control_source);
  if (Has(mask, 14)) r.String("RowSource", &site.row_source);
  r.Finish();
  offset = r.end();
  return site;
}

[[noreturn]] void Fail(const std::string& where, size_t at, const std::string& what) {
  throw FormatError(what, where, at);
}

// FormSiteData ([MS-OFORMS] 2.2.10.6) from `offset` on: the class table, CountOfSites,
// CountOfBytes, the depths and types, padding, then the sites, all within CountOfBytes.
void ReadSiteData(std::span<const uint8_t> stream, size_t offset, const std::string& where,
                  ContainerRecord& container) {
  if ((container.boolean_properties & kDontSaveClassTable) == 0) {
    if (stream.size() - offset < 2) {
      Fail(where, offset,
           "the class table's count (2 bytes) runs past the " +
               Count(stream.size() - offset, "byte", "bytes") + " left");
    }
    const size_t classes = stream[offset] | (stream[offset + 1] << 8);
    offset += 2;
    container.class_table.reserve(std::min(classes, (stream.size() - offset) / 8));
    for (size_t i = 0; i < classes; ++i) {
      container.class_table.push_back(ReadSiteClassInfo(stream, offset, where));
    }
  }
  // The depths and types are padded to 4 bytes counted from CountOfSites.
  const size_t anchor = offset;
  if (stream.size() - offset < 8) {
    Fail(where, offset,
         "CountOfSites and CountOfBytes (8 bytes) run past the " +
             Count(stream.size() - offset, "byte", "bytes") + " left");
  }
  const uint32_t site_count = U32At(stream, offset);
  const uint32_t site_bytes = U32At(stream, offset + 4);
  if (site_count > kMaxSites) {
    Fail(where, offset,
         "the container lists " + std::to_string(site_count) +
             " sites; a container may hold at most " + std::to_string(kMaxSites));
  }
  offset += 8;
  if (site_bytes > stream.size() - offset) {
    Fail(where, offset - 4,
         "the site data's CountOfBytes of " + std::to_string(site_bytes) + " runs past the " +
             Count(stream.size() - offset, "byte", "bytes") + " left in the stream");
  }
  const size_t site_end = offset + site_bytes;
  size_t covered = 0;
  while (covered < site_count) {
    if (site_end - offset < 2) {
      Fail(where, offset,
           "the depths and types of the sites run past the site data's " +
               Count(site_bytes, "byte", "bytes") + " after covering " +
               Count(covered, "site", "sites") + " of " + std::to_string(site_count));
    }
    const size_t at = offset;
    ++offset;  // Depth: every container of the corpus lists its direct children, at depth 0.
    const uint8_t type_or_count = stream[offset++];
    size_t sites = 1;
    uint8_t type = type_or_count & 0x7F;
    if ((type_or_count & 0x80) != 0) {
      if (offset == site_end) {
        Fail(where, offset,
             "the site type after a count runs past the site data's " +
                 Count(site_bytes, "byte", "bytes"));
      }
      sites = type_or_count & 0x7F;
      type = stream[offset++];
    }
    if (type != kSiteTypeOleSiteConcrete) {
      Fail(where, at, "a site has type " + std::to_string(type) + "; the only site type is 1");
    }
    covered += sites;
  }
  if (covered != site_count) {
    Fail(where, offset,
         "the depths and types cover " + Count(covered, "site", "sites") + ", CountOfSites says " +
             std::to_string(site_count));
  }
  offset = std::min(anchor + (offset - anchor + 3) / 4 * 4, site_end);
  const std::span<const uint8_t> site_data = stream.first(site_end);
  container.sites.reserve(std::min<size_t>(site_count, (site_end - offset) / 8));
  for (size_t i = 0; i < site_count; ++i) {
    container.sites.push_back(ReadSite(site_data, offset, where));
  }
}

}  // namespace

std::string GuidText(const Guid& guid) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  // Data1 (4 bytes), Data2 and Data3 (2 each) little-endian, then 8 bytes in order.
  static constexpr int kOrder[] = {3,  2, 1, 0,  -1, 5,  4,  -1, 7,  6,
                                   -1, 8, 9, -1, 10, 11, 12, 13, 14, 15};
  std::string text = "{";
  for (int index : kOrder) {
    if (index < 0) {
      text += '-';
      continue;
    }
    const uint8_t byte = guid[static_cast<size_t>(index)];
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text + "}";
}

int32_t TextAlignOf(uint8_t paragraph_align) {
  switch (paragraph_align) {
    case 2:  // PFA_RIGHT
      return 3;
    case 3:  // PFA_CENTER
      return 2;
    default:  // PFA_LEFT, and what the object model cannot show
      return 1;
  }
}

FontRecord FontOfTextProps(const TextPropsRecord& props) {
  FontRecord font;
  font.name = props.font_name;
  font.size_ten_thousandths = int64_t{props.font_height} * 500;
  font.bold = (props.font_effects & 0x1) != 0 || props.font_weight >= 700;
  font.italic = (props.font_effects & 0x2) != 0;
  font.underline = (props.font_effects & 0x4) != 0;
  font.strikethrough = (props.font_effects & 0x8) != 0;
  font.weight = static_cast<int16_t>(std::min<uint16_t>(props.font_weight, 0x7FFF));
  if ((props.font_effects & 0x1) != 0 && font.weight < 700) font.weight = 700;
  font.charset = props.font_charset;
  return font;
}

ContainerRecord DecodeContainerStream(std::span<const uint8_t> stream, const std::string& where,
                                      uint32_t code_page) {
  DesignerRecordReader r(stream, 0, where, 0, "FormControl");
  r.Header(0x00, 0x04);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kFormKnownBits);
  ContainerRecord c;
  if (Has(mask, 1)) c.back_color = r.U32("BackColor");
  if (Has(mask, 2)) c.fore_color = r.U32("ForeColor");
  if (Has(mask, 3)) c.next_available_id = r.U32("NextAvailableID");
  if (Has(mask, 6)) c.boolean_properties = r.U32("BooleanProperties");
  if (Has(mask, 7)) c.border_style = r.U8("BorderStyle");
  if (Has(mask, 8)) c.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 9)) c.scroll_bars = r.U8("ScrollBars");
  if (Has(mask, 10)) r.Size("DisplayedSize", &c.displayed_size);
  if (Has(mask, 11)) r.Size("LogicalSize", &c.logical_size);
  if (Has(mask, 12)) r.Position("ScrollPosition", &c.scroll_position);
  if (Has(mask, 13)) c.group_count = r.U32("GroupCnt");
  if (Has(mask, 15)) r.StreamPlaceholder("MouseIcon");
  if (Has(mask, 16)) c.cycle = r.U8("Cycle");
  if (Has(mask, 17)) c.special_effect = r.U8("SpecialEffect");
  if (Has(mask, 18)) c.border_color = r.U32("BorderColor");
  if (Has(mask, 19)) r.String("Caption", &c.caption);
  if (Has(mask, 20)) r.StreamPlaceholder("Font");
  if (Has(mask, 21)) r.StreamPlaceholder("Picture");
  if (Has(mask, 22)) c.zoom = r.U32("Zoom");
  if (Has(mask, 23)) c.picture_alignment = r.U8("PictureAlignment");
  c.picture_tiling = Has(mask, 24);
  if (Has(mask, 25)) c.picture_size_mode = r.U8("PictureSizeMode");
  if (Has(mask, 26)) c.shape_cookie = r.U32("ShapeCookie");
  if (Has(mask, 27)) c.draw_buffer = r.U32("DrawBuffer");
  r.Finish();
  // FormStreamData: MouseIcon, Font, Picture.
  if (Has(mask, 15)) r.SkipPicture("MouseIcon");
  if (Has(mask, 20)) c.font = r.Font("Font", code_page);
  if (Has(mask, 21)) r.SkipPicture("Picture");
  ReadSiteData(stream, r.offset(), where, c);
  return c;
}

CommandButtonRecord DecodeCommandButton(std::span<const uint8_t> record, const std::string& where,
                                        size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "CommandButton");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kCommandButtonKnownBits);
  CommandButtonRecord b;
  if (Has(mask, 0)) b.fore_color = r.U32("ForeColor");
  if (Has(mask, 1)) b.back_color = r.U32("BackColor");
  if (Has(mask, 2)) b.various = r.U32("VariousPropertyBits");
  if (Has(mask, 3)) r.String("Caption", &b.caption);
  if (Has(mask, 4)) b.picture_position = r.U32("PicturePosition");
  if (Has(mask, 5)) r.Size("Size", &b.size);
  if (Has(mask, 6)) b.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 7)) r.StreamPlaceholder("Picture");
  if (Has(mask, 8)) b.accelerator = r.U16("Accelerator");
  b.take_focus_on_click = !Has(mask, 9);  // the bit set means False
  if (Has(mask, 10)) r.StreamPlaceholder("MouseIcon");
  r.Finish();
  if (Has(mask, 7)) r.SkipPicture("Picture");
  if (Has(mask, 10)) r.SkipPicture("MouseIcon");
  b.text_props = r.TextProps();
  return b;
}

LabelRecord DecodeLabel(std::span<const uint8_t> record, const std::string& where,
                        size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "Label");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kLabelKnownBits);
  LabelRecord l;
  if (Has(mask, 0)) l.fore_color = r.U32("ForeColor");
  if (Has(mask, 1)) l.back_color = r.U32("BackColor");
  if (Has(mask, 2)) l.various = r.U32("VariousPropertyBits");
  if (Has(mask, 3)) r.String("Caption", &l.caption);
  if (Has(mask, 4)) l.picture_position = r.U32("PicturePosition");
  if (Has(mask, 5)) r.Size("Size", &l.size);
  if (Has(mask, 6)) l.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 7)) l.border_color = r.U32("BorderColor");
  if (Has(mask, 8)) l.border_style = r.U16("BorderStyle");
  if (Has(mask, 9)) l.special_effect = r.U16("SpecialEffect");
  if (Has(mask, 10)) r.StreamPlaceholder("Picture");
  if (Has(mask, 11)) l.accelerator = r.U16("Accelerator");
  if (Has(mask, 12)) r.StreamPlaceholder("MouseIcon");
  r.Finish();
  if (Has(mask, 10)) r.SkipPicture("Picture");
  if (Has(mask, 12)) r.SkipPicture("MouseIcon");
  l.text_props = r.TextProps();
  return l;
}

MorphDataRecord DecodeMorphData(std::span<const uint8_t> record, const std::string& where,
                                size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "MorphData");
  r.Header(0x00, 0x02);
  const uint64_t mask = r.Mask64();
  r.RequireKnownBits(mask, kMorphDataKnownBits);
  MorphDataRecord m;
  if (Has(mask, 0)) m.various = r.U32("VariousPropertyBits");
  if (Has(mask, 1)) m.back_color = r.U32("BackColor");
  if (Has(mask, 2)) m.fore_color = r.U32("ForeColor");
  if (Has(mask, 3)) m.max_length = r.U32("MaxLength");
  if (Has(mask, 4)) m.border_style = r.U8("BorderStyle");
  if (Has(mask, 5)) m.scroll_bars = r.U8("ScrollBars");
  if (Has(mask, 6)) m.display_style = r.U8("DisplayStyle");
  if (Has(mask, 7)) m.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 8)) r.Size("Size", &m.size);
  if (Has(mask, 9)) m.password_char = r.U16("PasswordChar");
  if (Has(mask, 10)) m.list_width = r.U32("ListWidth");
  if (Has(mask, 11)) m.bound_column = r.U16("BoundColumn");
  if (Has(mask, 12)) m.text_column = r.I16("TextColumn");
  if (Has(mask, 13)) m.column_count = r.I16("ColumnCount");
  if (Has(mask, 14)) m.list_rows = r.U16("ListRows");
  if (Has(mask, 15)) m.column_info_count = r.U16("cColumnInfo");
  if (Has(mask, 16)) m.match_entry = r.U8("MatchEntry");
  if (Has(mask, 17)) m.list_style = r.U8("ListStyle");
  if (Has(mask, 18)) m.show_drop_button_when = r.U8("ShowDropButtonWhen");
  if (Has(mask, 20)) m.drop_button_style = r.U8("DropButtonStyle");
  if (Has(mask, 21)) m.multi_select = r.U8("MultiSelect");
  if (Has(mask, 22)) r.String("Value", &m.value);
  if (Has(mask, 23)) r.String("Caption", &m.caption);
  if (Has(mask, 24)) m.picture_position = r.U32("PicturePosition");
  if (Has(mask, 25)) m.border_color = r.U32("BorderColor");
  if (Has(mask, 26)) m.special_effect = r.U32("SpecialEffect");
  if (Has(mask, 27)) r.StreamPlaceholder("MouseIcon");
  if (Has(mask, 28)) r.StreamPlaceholder("Picture");
  if (Has(mask, 29)) m.accelerator = r.U16("Accelerator");
  if (Has(mask, 32)) r.String("GroupName", &m.group_name);
  r.Finish();
  // MorphDataStreamData: MouseIcon before Picture, unlike the buttons and labels.
  if (Has(mask, 27)) r.SkipPicture("MouseIcon");
  if (Has(mask, 28)) r.SkipPicture("Picture");
  m.text_props = r.TextProps();
  // The cColumnInfo column records follow; nothing here needs them.
  return m;
}

ImageRecord DecodeImage(std::span<const uint8_t> record, const std::string& where,
                        size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "Image");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kImageKnownBits);
  ImageRecord i;
  i.auto_size = Has(mask, 2);
  if (Has(mask, 3)) i.border_color = r.U32("BorderColor");
  if (Has(mask, 4)) i.back_color = r.U32("BackColor");
  if (Has(mask, 5)) i.border_style = r.U8("BorderStyle");
  if (Has(mask, 6)) i.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 7)) i.picture_size_mode = r.U8("PictureSizeMode");
  if (Has(mask, 8)) i.special_effect = r.U8("SpecialEffect");
  if (Has(mask, 9)) r.Size("Size", &i.size);
  if (Has(mask, 10)) r.StreamPlaceholder("Picture");
  if (Has(mask, 11)) i.picture_alignment = r.U8("PictureAlignment");
  i.picture_tiling = Has(mask, 12);
  if (Has(mask, 13)) i.various = r.U32("VariousPropertyBits");
  if (Has(mask, 14)) r.StreamPlaceholder("MouseIcon");
  r.Finish();
  if (Has(mask, 10)) r.SkipPicture("Picture");
  if (Has(mask, 14)) r.SkipPicture("MouseIcon");
  return i;
}

ScrollBarRecord DecodeScrollBar(std::span<const uint8_t> record, const std::string& where,
                                size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "ScrollBar");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kScrollBarKnownBits);
  ScrollBarRecord s;
  if (Has(mask, 0)) s.fore_color = r.U32("ForeColor");
  if (Has(mask, 1)) s.back_color = r.U32("BackColor");
  if (Has(mask, 2)) s.various = r.U32("VariousPropertyBits");
  if (Has(mask, 3)) r.Size("Size", &s.size);
  if (Has(mask, 4)) s.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 5)) s.min = r.I32("Min");
  if (Has(mask, 6)) s.max = r.I32("Max");
  if (Has(mask, 7)) s.position = r.I32("Position");
  if (Has(mask, 9)) s.prev_enabled = r.U32("PrevEnabled");
  if (Has(mask, 10)) s.next_enabled = r.U32("NextEnabled");
  if (Has(mask, 11)) s.small_change = r.I32("SmallChange");
  if (Has(mask, 12)) s.large_change = r.I32("LargeChange");
  if (Has(mask, 13)) s.orientation = r.I32("Orientation");
  if (Has(mask, 14)) s.proportional_thumb = r.I16("ProportionalThumb");
  if (Has(mask, 15)) s.delay = r.I32("Delay");
  if (Has(mask, 16)) r.StreamPlaceholder("MouseIcon");
  r.Finish();
  if (Has(mask, 16)) r.SkipPicture("MouseIcon");
  return s;
}

SpinButtonRecord DecodeSpinButton(std::span<const uint8_t> record, const std::string& where,
                                  size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "SpinButton");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kSpinButtonKnownBits);
  SpinButtonRecord s;
  if (Has(mask, 0)) s.fore_color = r.U32("ForeColor");
  if (Has(mask, 1)) s.back_color = r.U32("BackColor");
  if (Has(mask, 2)) s.various = r.U32("VariousPropertyBits");
  if (Has(mask, 3)) r.Size("Size", &s.size);
  if (Has(mask, 5)) s.min = r.I32("Min");
  if (Has(mask, 6)) s.max = r.I32("Max");
  if (Has(mask, 7)) s.position = r.I32("Position");
  if (Has(mask, 8)) s.prev_enabled = r.U32("PrevEnabled");
  if (Has(mask, 9)) s.next_enabled = r.U32("NextEnabled");
  if (Has(mask, 10)) s.small_change = r.I32("SmallChange");
  if (Has(mask, 11)) s.orientation = r.I32("Orientation");
  if (Has(mask, 12)) s.delay = r.I32("Delay");
  if (Has(mask, 13)) r.StreamPlaceholder("MouseIcon");
  if (Has(mask, 14)) s.mouse_pointer = r.U8("MousePointer");
  r.Finish();
  if (Has(mask, 13)) r.SkipPicture("MouseIcon");
  return s;
}

TabStripRecord DecodeTabStrip(std::span<const uint8_t> record, const std::string& where,
                              size_t base_offset) {
  DesignerRecordReader r(record, 0, where, base_offset, "TabStrip");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kTabStripKnownBits);
  TabStripRecord t;
  if (Has(mask, 0)) t.list_index = r.I32("ListIndex");
  if (Has(mask, 1)) t.back_color = r.U32("BackColor");
  if (Has(mask, 2)) t.fore_color = r.U32("ForeColor");
  if (Has(mask, 4)) r.Size("Size", &t.size);
  if (Has(mask, 5)) r.StringArray("Items", &t.items);
  if (Has(mask, 6)) t.mouse_pointer = r.U8("MousePointer");
  if (Has(mask, 8)) t.tab_orientation = r.U32("TabOrientation");
  if (Has(mask, 9)) t.tab_style = r.U32("TabStyle");
  t.multi_row = Has(mask, 10);
  if (Has(mask, 11)) t.tab_fixed_width = r.U32("TabFixedWidth");
  if (Has(mask, 12)) t.tab_fixed_height = r.U32("TabFixedHeight");
  t.tooltips = Has(mask, 13);
  if (Has(mask, 15)) r.StringArray("TipStrings", &t.tip_strings);
  if (Has(mask, 17)) r.StringArray("Names", &t.names);
  if (Has(mask, 18)) t.various = r.U32("VariousPropertyBits");
  t.new_version = Has(mask, 19);
  if (Has(mask, 20)) t.tabs_allocated = r.U32("TabsAllocated");
  if (Has(mask, 21)) r.StringArray("Tags", &t.tags);
  if (Has(mask, 22)) t.tab_data_count = r.U32("TabData");
  if (Has(mask, 23)) r.StringArray("Accelerators", &t.accelerators);
  if (Has(mask, 24)) r.StreamPlaceholder("MouseIcon");
  r.Finish();
  if (Has(mask, 24)) r.SkipPicture("MouseIcon");
  t.text_props = r.TextProps();
  // The TabData flags (a u32 per tab) follow; nothing here needs them.
  return t;
}

MultiPageLayout DecodeMultiPageStream(std::span<const uint8_t> stream, size_t page_count,
                                      const std::string& where) {
  if (page_count > kMaxSites) {
    Fail(where, 0,
         "a MultiPage of " + std::to_string(page_count) + " pages; a container may hold at most " +
             std::to_string(kMaxSites));
  }
  // One PageProperties per site of the MultiPage's "f" stream, every Page and the TabStrip: each
  // MultiPage of the corpus stores one more than its PageCount.
  size_t offset = 0;
  for (size_t i = 0; i < page_count + 1; ++i) {
    DesignerRecordReader r(stream, offset, where, 0, "PageProperties");
    r.Header(0x00, 0x02);
    const uint32_t mask = r.Mask32();
    r.RequireKnownBits(mask, kPagePropertiesKnownBits);
    if (Has(mask, 1)) r.U32("TransitionEffect");
    if (Has(mask, 2)) r.U32("TransitionPeriod");
    r.Finish();
    offset = r.end();
  }
  DesignerRecordReader r(stream, offset, where, 0, "MultiPageProperties");
  r.Header(0x00, 0x02);
  const uint32_t mask = r.Mask32();
  r.RequireKnownBits(mask, kPagePropertiesKnownBits);
  uint32_t stored_count = 0;
  if (Has(mask, 1)) stored_count = r.U32("PageCount");
  if (Has(mask, 2)) r.U32("ID");
  r.Finish();
  offset = r.end();
  if (stored_count != page_count) {
    Fail(where, offset,
         "the MultiPage's PageCount is " + std::to_string(stored_count) +
             ", its \"f\" stream has " + Count(page_count, "Page site", "Page sites"));
  }
  if (stored_count > (stream.size() - offset) / 4) {
    Fail(where, offset,
         "the IDs of " + Count(stored_count, "page", "pages") + " run past the " +
             Count(stream.size() - offset, "byte", "bytes") + " left");
  }
  MultiPageLayout layout;
  layout.page_ids.reserve(stored_count);
  for (size_t i = 0; i < stored_count; ++i, offset += 4) {
    layout.page_ids.push_back(static_cast<int32_t>(U32At(stream, offset)));
  }
  return layout;
}

}  // namespace tovalin
