// The records of a form's designer storage, decoded but not interpreted: the container record
// (FormControl) with its class table and sites from an "f" stream, the control records of an "o"
// stream, and a MultiPage's "x" stream. Every field holds the stored value, or the file format's
// default when the record's property mask leaves it out. Sizes and positions are HIMETRIC; strings
// are UTF-8. The input is hostile: every decoder checks each length against the record and the
// stream and throws FormatError naming the stream and the offset.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tovalin {

using Guid = std::array<uint8_t, 16>;  // as stored: Data1 to Data3 little-endian, then 8 bytes
// "{8BD21D40-EC42-11CE-9E0D-00AA006002F3}": upper-case hex digits, as the registry writes them.
std::string GuidText(const Guid& guid);

struct HimetricSize {
  int32_t width = 0;
  int32_t height = 0;
};
struct HimetricPosition {
  int32_t left = 0;
  int32_t top = 0;
};

// A font as a container stores it (StdFont) or as a text control stores it (TextProps).
struct FontRecord {
  std::string name;
  int64_t size_ten_thousandths = 80000;  // points x 10000, as a Currency holds it
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int16_t weight = 400;
  int16_t charset = 1;
};

// The TextProps record that follows the record of every text control.
struct TextPropsRecord {
  std::string font_name;
  uint32_t font_effects = 0;  // 0x1 bold, 0x2 italic, 0x4 underline, 0x8 strikeout
  int32_t font_height = 160;  // twips
  uint8_t font_charset = 1;
  uint8_t font_pitch_and_family = 0;
  uint8_t paragraph_align = 1;  // as stored; see TextAlignOf for the object model's value
  uint16_t font_weight = 400;
};

// One OleSiteConcrete: what the container stores about a child control.
struct SiteRecord {
  std::string name;
  std::string tag;
  int32_t id = 0;
  int32_t help_context_id = 0;
  uint32_t bit_flags = 0x33;  // 0x1 TabStop, 0x2 Visible, 0x4 Default, 0x8 Cancel, 0x10 streamed
  uint32_t object_stream_size = 0;
  int16_t tab_index = -1;
  uint16_t clsid_cache_index = 0x7FFF;
  HimetricPosition position;
  uint16_t group_id = 0;
  std::string control_tip_text;
  std::string runtime_lic_key;
  std::string control_source;
  std::string row_source;

  bool streamed() const { return (bit_flags & 0x10) != 0; }
};

// A FormControl: the form itself, a Frame, a Page or a MultiPage; followed in its "f" stream by
// the class table and the sites of its direct children.
struct ContainerRecord {
  uint32_t back_color = 0x8000000F;
  uint32_t fore_color = 0x80000012;
  uint32_t next_available_id = 0;
  uint32_t boolean_properties = 0x4;  // 0x4 Enabled, 0x4000 design extender, 0x8000 no class table
  uint8_t border_style = 0;
  uint8_t mouse_pointer = 0;
  uint8_t scroll_bars = 0x0C;
  HimetricSize displayed_size{4000, 3000};
  HimetricSize logical_size{4000, 3000};
  HimetricPosition scroll_position;
  uint32_t group_count = 0;
  uint8_t cycle = 0;
  uint8_t special_effect = 0;
  uint32_t border_color = 0x80000012;
  std::string caption;
  std::optional<FontRecord> font;  // absent: the container stores no font
  uint32_t zoom = 100;
  uint8_t picture_alignment = 2;
  bool picture_tiling = false;
  uint8_t picture_size_mode = 0;
  uint32_t shape_cookie = 0;
  uint32_t draw_buffer = 0;

  std::vector<Guid> class_table;  // CLSIDs by index; indexes >= 0x8000 of a site refer here
  std::vector<SiteRecord> sites;  // direct children, in site order
};

struct CommandButtonRecord {
  uint32_t fore_color = 0x80000012;
  uint32_t back_color = 0x8000000F;
  uint32_t various = 0x0000001B;
  std::string caption;
  uint32_t picture_position = 0x00070001;
  HimetricSize size;
  uint8_t mouse_pointer = 0;
  uint16_t accelerator = 0;  // a UTF-16 code unit; 0 for none
  bool take_focus_on_click = true;
  TextPropsRecord text_props;
};

struct LabelRecord {
  uint32_t fore_color = 0x80000012;
  uint32_t back_color = 0x8000000F;
  uint32_t various = 0x0080001B;
  std::string caption;
  uint32_t picture_position = 0x00070001;
  HimetricSize size;
  uint8_t mouse_pointer = 0;
  uint32_t border_color = 0x80000006;
  uint16_t border_style = 0;
  uint16_t special_effect = 0;
  uint16_t accelerator = 0;
  TextPropsRecord text_props;
};

// TextBox, ListBox, ComboBox, CheckBox, OptionButton and ToggleButton share this record.
struct MorphDataRecord {
  uint32_t various = 0x2C80081B;
  uint32_t back_color = 0x80000005;
  uint32_t fore_color = 0x80000008;
  uint32_t max_length = 0;
  uint8_t border_style = 0;
  uint8_t scroll_bars = 0;
  uint8_t display_style = 1;  // 1 TextBox, 2 ListBox, 3 ComboBox, 4 CheckBox, 5 OptionButton,
                              // 6 ToggleButton, 7 drop-down-list ComboBox
  uint8_t mouse_pointer = 0;
  HimetricSize size;
  uint16_t password_char = 0;
  uint32_t list_width = 0;
  uint16_t bound_column = 1;
  int16_t text_column = -1;
  int16_t column_count = 1;
  uint16_t list_rows = 8;
  uint16_t column_info_count = 0;
  uint8_t match_entry = 2;
  uint8_t list_style = 0;
  uint8_t show_drop_button_when = 0;
  uint8_t drop_button_style = 1;
  uint8_t multi_select = 0;  // TripleState for check boxes, option and toggle buttons
  std::string value;
  std::string caption;
  uint32_t picture_position = 0x00070001;
  uint32_t border_color = 0x80000006;
  uint32_t special_effect = 2;
  uint16_t accelerator = 0;
  std::string group_name;
  TextPropsRecord text_props;
};

struct ImageRecord {
  bool auto_size = false;
  uint32_t border_color = 0x80000006;
  uint32_t back_color = 0x8000000F;
  uint8_t border_style = 1;
  uint8_t mouse_pointer = 0;
  uint8_t picture_size_mode = 0;
  uint8_t special_effect = 0;
  HimetricSize size;
  uint8_t picture_alignment = 2;
  bool picture_tiling = false;
  uint32_t various = 0x1B;
};

struct ScrollBarRecord {
  uint32_t fore_color = 0x80000012;
  uint32_t back_color = 0x8000000F;
  uint32_t various = 0x1B;
  HimetricSize size;
  uint8_t mouse_pointer = 0;
  int32_t min = 0;
  int32_t max = 32767;
  int32_t position = 0;
  uint32_t prev_enabled = 0;
  uint32_t next_enabled = 0;
  int32_t small_change = 1;
  int32_t large_change = 1;
  int32_t orientation = -1;  // -1 automatic, 0 vertical, 1 horizontal
  int16_t proportional_thumb = -1;
  int32_t delay = 50;
};

struct SpinButtonRecord {
  uint32_t fore_color = 0x80000012;
  uint32_t back_color = 0x8000000F;
  uint32_t various = 0x1B;
  HimetricSize size;
  int32_t min = 0;
  int32_t max = 100;
  int32_t position = 0;
  uint32_t prev_enabled = 0;
  uint32_t next_enabled = 0;
  int32_t small_change = 1;
  int32_t orientation = -1;
  int32_t delay = 50;
  uint8_t mouse_pointer = 0;
};

struct TabStripRecord {
  int32_t list_index = 0;
  uint32_t back_color = 0x8000000F;
  uint32_t fore_color = 0x80000012;
  HimetricSize size;
  std::vector<std::string> items;  // tab captions
  uint8_t mouse_pointer = 0;
  uint32_t tab_orientation = 0;
  uint32_t tab_style = 0;  // 0 tabs, 1 buttons, 2 none
  bool multi_row = false;
  uint32_t tab_fixed_width = 0;
  uint32_t tab_fixed_height = 0;
  bool tooltips = false;
  std::vector<std::string> tip_strings;
  std::vector<std::string> names;
  uint32_t various = 0x1B;
  bool new_version = false;
  uint32_t tabs_allocated = 0;
  std::vector<std::string> tags;
  uint32_t tab_data_count = 0;
  std::vector<std::string> accelerators;
  TextPropsRecord text_props;
};

// A MultiPage's "x" stream: the order of its pages by site ID.
struct MultiPageLayout {
  std::vector<int32_t> page_ids;
};

// Decodes an "f" stream: the container record, its class table and its sites. `where` names the
// stream in errors ("UserForm1/i05/f"). A StdFont stores its face name in the ANSI code page of
// the system that saved it: `code_page` is the project's (PROJECTCODEPAGE, which the corpus
// shows to match, also where the font's charset says ANSI); 0 reads the name in the code page
// of the font's charset instead.
ContainerRecord DecodeContainerStream(std::span<const uint8_t> stream, const std::string& where,
                                      uint32_t code_page = 0);

// Each decodes one control record that starts at the beginning of `record` (the site's slice of
// the "o" stream, ObjectStreamSize bytes); `where` names the stream and `base_offset` is the
// record's offset in it, for errors.
CommandButtonRecord DecodeCommandButton(std::span<const uint8_t> record, const std::string& where,
                                        size_t base_offset);
LabelRecord DecodeLabel(std::span<const uint8_t> record, const std::string& where,
                        size_t base_offset);
MorphDataRecord DecodeMorphData(std::span<const uint8_t> record, const std::string& where,
                                size_t base_offset);
ImageRecord DecodeImage(std::span<const uint8_t> record, const std::string& where,
                        size_t base_offset);
ScrollBarRecord DecodeScrollBar(std::span<const uint8_t> record, const std::string& where,
                                size_t base_offset);
SpinButtonRecord DecodeSpinButton(std::span<const uint8_t> record, const std::string& where,
                                  size_t base_offset);
TabStripRecord DecodeTabStrip(std::span<const uint8_t> record, const std::string& where,
                              size_t base_offset);
// Decodes a MultiPage's "x" stream; `page_count` is the number of Page sites of its "f" stream.
// The stream holds a PageProperties record for each site of that "f" stream (every Page and the
// TabStrip: page_count + 1 in each MultiPage of the corpus), then MultiPageProperties, whose
// PageCount must be page_count, then the page IDs. Fails when PageCount differs.
MultiPageLayout DecodeMultiPageStream(std::span<const uint8_t> stream, size_t page_count,
                                      const std::string& where);

// The object model's TextAlign (1 left, 2 centre, 3 right) for a stored ParagraphAlign.
// [MS-OFORMS] 2.5.60 stores ParagraphAlign as a PARAFORMAT alignment (the rich edit control's
// PFA_ values): 1 PFA_LEFT, 2 PFA_RIGHT, 3 PFA_CENTER; so 2 and 3 swap. Other values (0, 4
// PFA_JUSTIFY and beyond) have no TextAlign and give 1. The corpus agrees: all its 378
// CommandButtons and 22 ToggleButtons, whose captions are centred, store 3.
int32_t TextAlignOf(uint8_t paragraph_align);

// The font a text control's TextProps describe: FontHeight twips as points x 10000
// (FontHeight x 500), bold from FontEffects 0x1 or a FontWeight of 700 or more, italic,
// underline and strikethrough from FontEffects 0x2, 0x4, 0x8; the weight is FontWeight, or 700
// when only FontEffects says bold.
FontRecord FontOfTextProps(const TextPropsRecord& props);

}  // namespace tovalin
