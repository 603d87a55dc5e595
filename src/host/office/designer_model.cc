#include "host/office/designer_model.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "host/host_error.h"
#include "host/memory/message_text.h"
#include "host/office/activex_controls.h"
#include "host/office/utf.h"

namespace tovalin {
namespace {

// VariousPropertyBits of the control records.
constexpr uint32_t kEnabledBit = 1u << 1;
constexpr uint32_t kLockedBit = 1u << 2;
constexpr uint32_t kColumnHeadsBit = 1u << 10;
constexpr uint32_t kIntegralHeightBit = 1u << 11;
constexpr uint32_t kMatchRequiredBit = 1u << 12;
constexpr uint32_t kCaptionLeftBit = 1u << 13;  // the caption stands left of the box
constexpr uint32_t kWordWrapBit = 1u << 23;
constexpr uint32_t kAutoSizeBit = 1u << 28;
constexpr uint32_t kHideSelectionBit = 1u << 29;
constexpr uint32_t kMultiLineBit = 1u << 31;
// BooleanProperties of a container.
constexpr uint32_t kContainerEnabledBit = 0x4;
// BitFlags of a site.
constexpr uint32_t kTabStopFlag = 0x1;
constexpr uint32_t kVisibleFlag = 0x2;
constexpr uint32_t kDefaultFlag = 0x4;
constexpr uint32_t kCancelFlag = 0x8;

constexpr uint16_t kFirstClassTableIndex = 0x8000;

// The controls of the forms package that have a class cache index of their own.
constexpr std::pair<uint16_t, SiteKind> kCachedClasses[] = {
    {7, SiteKind::kPage},       {12, SiteKind::kImage},      {14, SiteKind::kFrame},
    {15, SiteKind::kMorphData}, {16, SiteKind::kSpinButton}, {17, SiteKind::kCommandButton},
    {18, SiteKind::kTabStrip},  {21, SiteKind::kLabel},      {23, SiteKind::kMorphData},
    {24, SiteKind::kMorphData}, {25, SiteKind::kMorphData},  {26, SiteKind::kMorphData},
    {27, SiteKind::kMorphData}, {28, SiteKind::kMorphData},  {47, SiteKind::kScrollBar},
    {57, SiteKind::kMultiPage},
};

// The forms package's classes by CLSID, for sites that name them through the class table.
constexpr std::array<std::pair<Guid, SiteKind>, 15> kFormsClasses = {{
    {ClsidOf("{8BD21D10-EC42-11CE-9E0D-00AA006002F3}"), SiteKind::kMorphData},  // TextBox
    {ClsidOf("{8BD21D20-EC42-11CE-9E0D-00AA006002F3}"), SiteKind::kMorphData},  // ListBox
    {ClsidOf("{8BD21D30-EC42-11CE-9E0D-00AA006002F3}"), SiteKind::kMorphData},  // ComboBox
    {ClsidOf("{8BD21D40-EC42-11CE-9E0D-00AA006002F3}"), SiteKind::kMorphData},  // CheckBox
    {ClsidOf("{8BD21D50-EC42-11CE-9E0D-00AA006002F3}"), SiteKind::kMorphData},  // OptionButton
    {ClsidOf("{8BD21D60-EC42-11CE-9E0D-00AA006002F3}"), SiteKind::kMorphData},  // ToggleButton
    {ClsidOf("{D7053240-CE69-11CD-A777-00DD01143C57}"), SiteKind::kCommandButton},
    {ClsidOf("{978C9E23-D4B0-11CE-BF2D-00AA003F40D0}"), SiteKind::kLabel},
    {ClsidOf("{4C599241-6926-101B-9992-00000B65C6F9}"), SiteKind::kImage},
    {ClsidOf("{DFD181E0-5E2F-11CE-A449-00AA004A803D}"), SiteKind::kScrollBar},
    {ClsidOf("{79176FB0-B7F2-11CE-97EF-00AA006D2776}"), SiteKind::kSpinButton},
    {ClsidOf("{EAE50EB0-4A62-11CE-BED6-00AA00611080}"), SiteKind::kTabStrip},
    {ClsidOf("{6E182020-F460-11CE-9BCD-00AA00608E01}"), SiteKind::kFrame},
    {ClsidOf("{46E31370-3F7A-11CE-BED6-00AA00611080}"), SiteKind::kMultiPage},
    // The form's own class, which class cache index 7 stands for: the class of a Page.
    {ClsidOf("{C62A69F0-16DC-11CE-9E98-00AA00574A4F}"), SiteKind::kPage},
}};

// DisplayStyle: which control a MorphData record is.
enum DisplayStyle : uint8_t {
  kTextBoxStyle = 1,
  kListBoxStyle = 2,
  kComboBoxStyle = 3,
  kCheckBoxStyle = 4,
  kOptionButtonStyle = 5,
  kToggleButtonStyle = 6,
  kDropDownListStyle = 7,  // a ComboBox whose Style is 2
};
constexpr uint16_t kFirstMorphDataIndex = 23;  // 23 to 28: DisplayStyle 1 to 6

Variant Long(int32_t value) { return Variant::Long(value); }
// A stored unsigned field as the object model's signed 32-bit value.
Variant Long(uint32_t stored) { return Variant::Long(static_cast<int32_t>(stored)); }
Variant Bit(uint32_t bits, uint32_t mask) { return Variant::Boolean((bits & mask) != 0); }
Variant Points(int32_t himetric) { return Variant::Single(PointsOfHimetric(himetric)); }

// One UTF-16 code unit as text; "" for 0. A lone surrogate half becomes U+FFFD.
Variant CharacterText(uint16_t unit) {
  std::string text;
  if (unit != 0) AppendUtf8(text, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFDu : unit);
  return Variant::String(std::move(text));
}

// What a control is made of before it is built: its type, its properties in the order its type
// lists them, and its size.
struct ControlParts {
  std::string type_name;
  std::vector<std::pair<std::string_view, Slot>> properties;
  Slot width;
  Slot height;

  void Add(std::string_view name, Variant value) {
    properties.emplace_back(name, Slot(std::move(value)));
  }
  void SetSize(const HimetricSize& size) {
    width = Points(size.width);
    height = Points(size.height);
  }
};

ControlParts PartsOf(std::string type_name) {
  ControlParts parts;
  parts.type_name = std::move(type_name);
  return parts;
}

ControlParts CommandButtonParts(const CommandButtonRecord& r) {
  ControlParts parts = PartsOf("CommandButton");
  parts.Add("Caption", Variant::String(r.caption));
  parts.Add("Accelerator", CharacterText(r.accelerator));
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("ForeColor", Long(r.fore_color));
  parts.Add("Enabled", Bit(r.various, kEnabledBit));
  parts.Add("AutoSize", Bit(r.various, kAutoSizeBit));
  parts.Add("WordWrap", Bit(r.various, kWordWrapBit));
  parts.Add("Locked", Bit(r.various, kLockedBit));
  parts.Add("Value", Variant::Boolean(false));
  parts.SetSize(r.size);
  return parts;
}

ControlParts LabelParts(const LabelRecord& r) {
  ControlParts parts = PartsOf("Label");
  parts.Add("Caption", Variant::String(r.caption));
  parts.Add("Accelerator", CharacterText(r.accelerator));
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("ForeColor", Long(r.fore_color));
  parts.Add("Enabled", Bit(r.various, kEnabledBit));
  parts.Add("TextAlign", Long(TextAlignOf(r.text_props.paragraph_align)));
  parts.Add("AutoSize", Bit(r.various, kAutoSizeBit));
  parts.Add("BorderStyle", Long(int32_t{r.border_style}));
  parts.Add("WordWrap", Bit(r.various, kWordWrapBit));
  parts.SetSize(r.size);
  return parts;
}

// The DisplayStyle that decides what a MorphData record is: the stored one when it names a
// control, else the one its class cache index implies, else a TextBox (the format's default).
uint8_t StyleOf(const MorphDataRecord& r, uint16_t class_index) {
  if (r.display_style >= kTextBoxStyle && r.display_style <= kDropDownListStyle) {
    return r.display_style;
  }
  if (class_index >= kFirstMorphDataIndex && class_index < kFirstMorphDataIndex + 6) {
    return static_cast<uint8_t>(class_index - kFirstMorphDataIndex + kTextBoxStyle);
  }
  return kTextBoxStyle;
}

std::string MorphDataTypeName(uint8_t style) {
  static constexpr std::array<const char*, 7> kNames = {
      "TextBox", "ListBox", "ComboBox", "CheckBox", "OptionButton", "ToggleButton", "ComboBox"};
  return kNames[style - kTextBoxStyle];
}

// A button's state: "1" ticked, "0" (or nothing stored) clear, anything else undecided.
Variant ButtonValue(const std::string& value) {
  if (value == "1") return Variant::Boolean(true);
  if (value == "0" || value.empty()) return Variant::Boolean(false);
  return Variant::Null();
}

ControlParts MorphDataParts(const MorphDataRecord& r, uint16_t class_index) {
  const uint8_t style = StyleOf(r, class_index);
  const bool text_box = style == kTextBoxStyle;
  const bool list_box = style == kListBoxStyle;
  const bool combo_box = style == kComboBoxStyle || style == kDropDownListStyle;
  const bool button = !text_box && !list_box && !combo_box;
  const bool edits_text = text_box || combo_box;

  ControlParts parts = PartsOf(MorphDataTypeName(style));
  if (button) {
    parts.Add("Caption", Variant::String(r.caption));
    parts.Add("Accelerator", CharacterText(r.accelerator));
  }
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("ForeColor", Long(r.fore_color));
  parts.Add("Enabled", Bit(r.various, kEnabledBit));
  parts.Add("TextAlign", Long(TextAlignOf(r.text_props.paragraph_align)));
  if (!list_box) parts.Add("AutoSize", Bit(r.various, kAutoSizeBit));
  if (!button) parts.Add("BorderStyle", Long(int32_t{r.border_style}));
  if (text_box || button) parts.Add("WordWrap", Bit(r.various, kWordWrapBit));
  if (edits_text) parts.Add("HideSelection", Bit(r.various, kHideSelectionBit));
  parts.Add("Locked", Bit(r.various, kLockedBit));
  if (edits_text) parts.Add("MaxLength", Long(r.max_length));
  if (text_box) {
    parts.Add("MultiLine", Bit(r.various, kMultiLineBit));
    parts.Add("PasswordChar", CharacterText(r.password_char));
    parts.Add("ScrollBars", Long(int32_t{r.scroll_bars}));
  }
  if (!button) parts.Add("Text", Variant::String(r.value));
  if (button) {
    parts.Add("Value", ButtonValue(r.value));
  } else if (list_box && (r.multi_select != 0 || r.value.empty())) {
    // A list box with several selections, or with none, has no single value.
    parts.Add("Value", Variant::Null());
  } else {
    parts.Add("Value", Variant::String(r.value));
  }
  if (text_box || list_box) parts.Add("IntegralHeight", Bit(r.various, kIntegralHeightBit));
  // A button's MultiSelect field holds its TripleState.
  if (list_box || button) parts.Add("MultiSelect", Long(int32_t{r.multi_select}));
  if (combo_box) parts.Add("Style", Long(style == kDropDownListStyle ? 2 : 0));
  parts.Add("DisplayStyle", Long(int32_t{style}));
  if (edits_text) {
    parts.Add("DropButtonStyle", Long(int32_t{r.drop_button_style}));
    parts.Add("ShowDropButtonWhen", Long(int32_t{r.show_drop_button_when}));
  }
  if (combo_box) {
    parts.Add("ListRows", Long(int32_t{r.list_rows}));
    parts.Add("MatchEntry", Long(int32_t{r.match_entry}));
    parts.Add("MatchRequired", Bit(r.various, kMatchRequiredBit));
  }
  if (list_box) {
    parts.Add("MatchEntry", Long(int32_t{r.match_entry}));
    parts.Add("ColumnCount", Long(int32_t{r.column_count}));
    parts.Add("ColumnHeads", Bit(r.various, kColumnHeadsBit));
    parts.Add("BoundColumn", Long(int32_t{r.bound_column}));
    parts.Add("TextColumn", Long(int32_t{r.text_column}));
    parts.Add("ListStyle", Long(int32_t{r.list_style}));
  }
  if (button) {
    // A toggle button has no caption position of its own.
    if (style != kToggleButtonStyle) {
      parts.Add("Alignment", Long((r.various & kCaptionLeftBit) != 0 ? 0 : 1));
    }
    parts.Add("TripleState", Variant::Boolean(r.multi_select != 0));
    parts.Add("GroupName", Variant::String(r.group_name));
    parts.Add("SpecialEffect", Long(r.special_effect));
  }
  parts.SetSize(r.size);
  return parts;
}

ControlParts ImageParts(const ImageRecord& r) {
  ControlParts parts = PartsOf("Image");
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("Enabled", Bit(r.various, kEnabledBit));
  parts.Add("AutoSize", Variant::Boolean(r.auto_size));
  parts.Add("BorderStyle", Long(int32_t{r.border_style}));
  parts.SetSize(r.size);
  return parts;
}

template <typename Record>
ControlParts ScrollingParts(std::string type_name, const Record& r) {
  ControlParts parts = PartsOf(std::move(type_name));
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("ForeColor", Long(r.fore_color));
  parts.Add("Enabled", Bit(r.various, kEnabledBit));
  parts.Add("Value", Long(r.position));
  parts.Add("Orientation", Long(r.orientation));
  parts.SetSize(r.size);
  return parts;
}

// The tab settings a TabStrip and a MultiPage share; both take them from a TabStrip record.
void AddTabs(ControlParts& parts, const TabStripRecord& tabs) {
  parts.Add("Value", Long(tabs.list_index));
  parts.Add("Style", Long(tabs.tab_style));
  parts.Add("MultiRow", Variant::Boolean(tabs.multi_row));
  parts.Add("TabOrientation", Long(tabs.tab_orientation));
  parts.Add("TabFixedWidth", Points(static_cast<int32_t>(tabs.tab_fixed_width)));
  parts.Add("TabFixedHeight", Points(static_cast<int32_t>(tabs.tab_fixed_height)));
}

ControlParts TabStripParts(const TabStripRecord& r) {
  ControlParts parts = PartsOf("TabStrip");
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("ForeColor", Long(r.fore_color));
  parts.Add("Enabled", Bit(r.various, kEnabledBit));
  AddTabs(parts, r);
  parts.SetSize(r.size);
  return parts;
}

Variant ContainerScrollBars(const ContainerRecord& r) { return Long(int32_t{r.scroll_bars & 3}); }

ControlParts FrameParts(const ContainerRecord& r) {
  ControlParts parts = PartsOf("Frame");
  parts.Add("Caption", Variant::String(r.caption));
  parts.Add("BackColor", Long(r.back_color));
  parts.Add("ForeColor", Long(r.fore_color));
  parts.Add("Enabled", Bit(r.boolean_properties, kContainerEnabledBit));
  parts.Add("BorderStyle", Long(int32_t{r.border_style}));
  parts.Add("ScrollBars", ContainerScrollBars(r));
  parts.SetSize(r.displayed_size);
  return parts;
}

ControlParts MultiPageParts(const MultiPageRecord& r) {
  ControlParts parts = PartsOf("MultiPage");
  parts.Add("BackColor", Long(r.container.back_color));
  parts.Add("ForeColor", Long(r.container.fore_color));
  parts.Add("Enabled", Bit(r.container.boolean_properties, kContainerEnabledBit));
  AddTabs(parts, r.tab_strip);
  parts.SetSize(r.container.displayed_size);
  return parts;
}

ControlParts PageParts(const PageRecord& r) {
  ControlParts parts = PartsOf("Page");
  parts.Add("Caption", Variant::String(r.caption));
  parts.Add("Accelerator", Variant::String(r.accelerator));
  parts.Add("Enabled", Bit(r.container.boolean_properties, kContainerEnabledBit));
  parts.Add("Index", Long(r.index));
  parts.Add("ScrollBars", ContainerScrollBars(r.container));
  parts.SetSize(r.container.displayed_size);
  return parts;
}

// A control of another library: named from the table of known controls, else by its CLSID.
ControlParts ActiveXParts(const ActiveXRecord& r, const SiteRecord& site) {
  const KnownActiveXControl* known = FindActiveXControl(r.clsid);
  ControlParts parts =
      PartsOf(known != nullptr ? std::string(known->type_name) : GuidText(r.clsid));
  if (r.size) {
    parts.SetSize(*r.size);
  } else {
    const HostError unknown(kErrDeviceIo, "The control " + QuotedForMessage(site.name) + " (" +
                                              parts.type_name +
                                              ") keeps its size in its own data, in a layout "
                                              "this program does not read");
    parts.width = unknown;
    parts.height = unknown;
  }
  return parts;
}

// The parts of a control of `kind` whose record is missing: the property names of its kind (those
// of a default record), each failing with `failure`, as do its Width and Height.
ControlParts DamagedParts(const DamagedRecord& r, const SiteRecord& site) {
  ControlParts parts;
  switch (r.kind) {
    case SiteKind::kCommandButton:
      parts = CommandButtonParts({});
      break;
    case SiteKind::kLabel:
      parts = LabelParts({});
      break;
    case SiteKind::kMorphData: {
      MorphDataRecord unknown;
      unknown.display_style = 0;  // the class cache index decides, as far as it can
      parts = MorphDataParts(unknown, site.clsid_cache_index);
      break;
    }
    case SiteKind::kImage:
      parts = ImageParts({});
      break;
    case SiteKind::kScrollBar:
      parts = ScrollingParts("ScrollBar", ScrollBarRecord{});
      break;
    case SiteKind::kSpinButton:
      parts = ScrollingParts("SpinButton", SpinButtonRecord{});
      break;
    case SiteKind::kTabStrip:
      parts = TabStripParts({});
      break;
    case SiteKind::kFrame:
      parts = FrameParts({});
      break;
    case SiteKind::kPage:
      parts = PageParts({});
      break;
    case SiteKind::kMultiPage:
      parts = MultiPageParts({});
      break;
    case SiteKind::kActiveX:
    case SiteKind::kInvalid:
      // The CLSID, if there was one, is lost with the record; the extender's class name stands
      // in for the control's own.
      parts = PartsOf("Control");
      break;
  }
  const HostError failure(kErrDeviceIo,
                          r.description.empty()
                              ? "The control " + QuotedForMessage(site.name) + " cannot be read"
                              : r.description);
  for (auto& [name, slot] : parts.properties) slot = failure;
  parts.width = failure;
  parts.height = failure;
  return parts;
}

ControlParts PartsOfRecord(const ControlRecord& record, const SiteRecord& site) {
  struct Visitor {
    const SiteRecord& site;
    ControlParts operator()(const CommandButtonRecord& r) const { return CommandButtonParts(r); }
    ControlParts operator()(const LabelRecord& r) const { return LabelParts(r); }
    ControlParts operator()(const MorphDataRecord& r) const {
      return MorphDataParts(r, site.clsid_cache_index);
    }
    ControlParts operator()(const ImageRecord& r) const { return ImageParts(r); }
    ControlParts operator()(const ScrollBarRecord& r) const {
      return ScrollingParts("ScrollBar", r);
    }
    ControlParts operator()(const SpinButtonRecord& r) const {
      return ScrollingParts("SpinButton", r);
    }
    ControlParts operator()(const TabStripRecord& r) const { return TabStripParts(r); }
    ControlParts operator()(const ContainerRecord& r) const { return FrameParts(r); }
    ControlParts operator()(const MultiPageRecord& r) const { return MultiPageParts(r); }
    ControlParts operator()(const PageRecord& r) const { return PageParts(r); }
    ControlParts operator()(const ActiveXRecord& r) const { return ActiveXParts(r, site); }
    ControlParts operator()(const DamagedRecord& r) const { return DamagedParts(r, site); }
  };
  return std::visit(Visitor{site}, record);
}

void SetSiteExtenders(MemoryControl& control, const SiteRecord& site) {
  control.SetExtender(Extender::kName, Variant::String(site.name));
  control.SetExtender(Extender::kTag, Variant::String(site.tag));
  control.SetExtender(Extender::kControlTipText, Variant::String(site.control_tip_text));
  control.SetExtender(Extender::kHelpContextID, Variant::Long(site.help_context_id));
  control.SetExtender(Extender::kTabIndex, Variant::Integer(std::max<int16_t>(site.tab_index, 0)));
  control.SetExtender(Extender::kTabStop, Bit(site.bit_flags, kTabStopFlag));
  control.SetExtender(Extender::kVisible, Bit(site.bit_flags, kVisibleFlag));
  control.SetExtender(Extender::kDefault, Bit(site.bit_flags, kDefaultFlag));
  control.SetExtender(Extender::kCancel, Bit(site.bit_flags, kCancelFlag));
  control.SetExtender(Extender::kLeft, Points(site.position.left));
  control.SetExtender(Extender::kTop, Points(site.position.top));
}

std::shared_ptr<MemoryFont> FontOf(const std::optional<FontRecord>& record) {
  auto font = std::make_shared<MemoryFont>();
  if (!record) return font;  // the forms package's default font
  font->Set(Font::kName, Variant::String(record->name));
  font->Set(Font::kSize, Variant::FromCurrency(Currency{record->size_ten_thousandths}));
  font->Set(Font::kBold, Variant::Boolean(record->bold));
  font->Set(Font::kItalic, Variant::Boolean(record->italic));
  font->Set(Font::kUnderline, Variant::Boolean(record->underline));
  font->Set(Font::kStrikethrough, Variant::Boolean(record->strikethrough));
  font->Set(Font::kWeight, Variant::Integer(record->weight));
  font->Set(Font::kCharset, Variant::Integer(record->charset));
  return font;
}

// The inside size from the \x03VBFrame client size in twips, or from the displayed size.
Variant InsideLength(const std::optional<double>& client_twips, int32_t displayed_himetric) {
  if (client_twips) return Variant::Single(static_cast<float>(*client_twips / 20.0));
  return Points(displayed_himetric);
}

}  // namespace

bool IsFormsPackageType(std::string_view type_name) {
  static constexpr std::string_view kTypes[] = {
      "CommandButton", "Label",        "TextBox",   "ListBox", "ComboBox",
      "CheckBox",      "OptionButton", "Frame",     "Image",   "ScrollBar",
      "SpinButton",    "TabStrip",     "MultiPage", "Page",    "ToggleButton"};
  for (std::string_view type : kTypes) {
    if (type == type_name) return true;
  }
  return false;
}

SiteKind KindOfSite(const SiteRecord& site, const std::vector<Guid>& class_table, Guid* clsid) {
  const uint16_t index = site.clsid_cache_index;
  if (index >= kFirstClassTableIndex) {
    const size_t entry = index - kFirstClassTableIndex;
    if (entry >= class_table.size()) return SiteKind::kInvalid;
    const Guid& guid = class_table[entry];
    if (clsid != nullptr) *clsid = guid;
    for (const auto& [forms_clsid, kind] : kFormsClasses) {
      if (forms_clsid == guid) return kind;
    }
    return SiteKind::kActiveX;
  }
  for (const auto& [cached, kind] : kCachedClasses) {
    if (cached == index) return kind;
  }
  return SiteKind::kInvalid;
}

bool IsStorageKind(SiteKind kind) {
  return kind == SiteKind::kFrame || kind == SiteKind::kPage || kind == SiteKind::kMultiPage;
}

float PointsOfHimetric(int32_t himetric) {
  // Whole twips first (1440 per inch, 2540 HIMETRIC per inch), rounded half away from zero.
  const int64_t scaled = int64_t{himetric} * 1440;
  const int64_t magnitude = scaled < 0 ? -scaled : scaled;
  const int64_t twips = (magnitude + 1270) / 2540;
  return static_cast<float>(static_cast<double>(scaled < 0 ? -twips : twips) / 20.0);
}

std::shared_ptr<MemoryControl> MakeControl(const SiteRecord& site, const ControlRecord& record) {
  ControlParts parts = PartsOfRecord(record, site);
  auto control = std::make_shared<MemoryControl>(parts.type_name);
  SetSiteExtenders(*control, site);
  control->SetExtender(Extender::kWidth, std::move(parts.width));
  control->SetExtender(Extender::kHeight, std::move(parts.height));
  for (auto& [name, slot] : parts.properties) control->properties().Set(name, std::move(slot));
  return control;
}

void FillUserForm(MemoryUserForm& form, const ContainerRecord& record, const VbFrameInfo& frame) {
  form.SetBackColor(Long(record.back_color));
  form.SetForeColor(Long(record.fore_color));
  form.SetInsideWidth(InsideLength(frame.client_width, record.displayed_size.width));
  form.SetInsideHeight(InsideLength(frame.client_height, record.displayed_size.height));
  form.SetFont(ObjectSlot<Font>(FontOf(record.font)));
}

}  // namespace tovalin
