#include "host/office/designer_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/office/activex_controls.h"

namespace tovalin {
namespace {

using ::testing::HasSubstr;
using ControlPtr = std::shared_ptr<MemoryControl>;

// The number and description of the error a read raises; {0, ""} when it succeeds.
template <typename Read>
std::pair<int32_t, std::string> FailureOf(Read&& read) {
  try {
    read();
  } catch (const HostError& e) {
    return {e.number(), e.description()};
  }
  return {0, ""};
}
template <typename Read>
int32_t ErrorOf(Read&& read) {
  return FailureOf(read).first;
}

// A property's value, checked to have the type the object model gives it.
Variant Typed(const ControlPtr& control, std::string_view name, VarType type) {
  const Variant value = control->Get(name);
  EXPECT_EQ(value.type(), type) << control->TypeName() << "." << name;
  return value;
}
int32_t LongOf(const ControlPtr& c, std::string_view name) {
  const Variant value = Typed(c, name, VarType::kLong);
  return value.type() == VarType::kLong ? value.long_value() : 0;
}
bool BoolOf(const ControlPtr& c, std::string_view name) {
  const Variant value = Typed(c, name, VarType::kBoolean);
  return value.type() == VarType::kBoolean && value.boolean();
}
std::string TextOf(const ControlPtr& c, std::string_view name) {
  const Variant value = Typed(c, name, VarType::kString);
  return value.type() == VarType::kString ? value.string() : "";
}

SiteRecord Site(uint16_t class_index, std::string name = "Control1") {
  SiteRecord site;
  site.name = std::move(name);
  site.clsid_cache_index = class_index;
  return site;
}
MorphDataRecord Morph(uint8_t display_style, std::string value = "") {
  MorphDataRecord record;
  record.display_style = display_style;
  record.value = std::move(value);
  return record;
}

TEST(DesignerModel, EachTypeHasExactlyItsPropertiesOfThoseTheExportReads) {
  const std::vector<std::string> read_by_export = {
      "Caption",     "Accelerator",  "BackColor",  "Enabled",       "ForeColor", "TextAlign",
      "AutoSize",    "BorderStyle",  "WordWrap",   "HideSelection", "Locked",    "MaxLength",
      "MultiLine",   "PasswordChar", "ScrollBars", "Text",          "Value",     "IntegralHeight",
      "MultiSelect", "Style",        "Orientation"};
  const std::vector<std::pair<ControlPtr, std::string>> controls = {
      {MakeControl(Site(17), CommandButtonRecord{}),
       "Caption Accelerator BackColor Enabled ForeColor AutoSize WordWrap Locked Value"},
      {MakeControl(Site(21), LabelRecord{}),
       "Caption Accelerator BackColor Enabled ForeColor TextAlign AutoSize BorderStyle WordWrap"},
      {MakeControl(Site(15), Morph(1)),
       "BackColor Enabled ForeColor TextAlign AutoSize BorderStyle WordWrap HideSelection Locked "
       "MaxLength MultiLine PasswordChar ScrollBars Text Value IntegralHeight"},
      {MakeControl(Site(15), Morph(2)),
       "BackColor Enabled ForeColor TextAlign BorderStyle Locked Text Value IntegralHeight "
       "MultiSelect"},
      {MakeControl(Site(15), Morph(3)),
       "BackColor Enabled ForeColor TextAlign AutoSize BorderStyle HideSelection Locked MaxLength "
       "Text Value Style"},
      {MakeControl(Site(15), Morph(4)),
       "Caption Accelerator BackColor Enabled ForeColor TextAlign AutoSize WordWrap Locked Value "
       "MultiSelect"},
      {MakeControl(Site(14), ContainerRecord{}),
       "Caption BackColor Enabled ForeColor BorderStyle ScrollBars"},
      {MakeControl(Site(12), ImageRecord{}), "BackColor Enabled AutoSize BorderStyle"},
      {MakeControl(Site(47), ScrollBarRecord{}), "BackColor Enabled ForeColor Value Orientation"},
      {MakeControl(Site(16), SpinButtonRecord{}), "BackColor Enabled ForeColor Value Orientation"},
      {MakeControl(Site(18), TabStripRecord{}), "BackColor Enabled ForeColor Value Style"},
      {MakeControl(Site(57), MultiPageRecord{}), "BackColor Enabled ForeColor Value Style"},
      {MakeControl(Site(7), PageRecord{}), "Caption Accelerator Enabled ScrollBars"},
  };
  for (const auto& [control, names] : controls) {
    std::istringstream words(names);
    const std::set<std::string> has{std::istream_iterator<std::string>(words), {}};
    for (const std::string& name : read_by_export) {
      EXPECT_EQ(ErrorOf([&] { control->Object()->Get(name); }), has.contains(name) ? 0 : 438)
          << control->TypeName() << "." << name;
    }
  }
}

TEST(DesignerModel, ValuesHaveTheObjectModelsTypes) {
  MorphDataRecord text = Morph(1, "hello");
  text.back_color = 0x80000005;
  text.max_length = 12;
  text.password_char = '*';
  text.scroll_bars = 2;
  text.border_style = 1;
  const ControlPtr box = MakeControl(Site(23), text);
  EXPECT_EQ(LongOf(box, "BackColor"), -2147483643);
  EXPECT_TRUE(BoolOf(box, "Enabled"));
  EXPECT_EQ(LongOf(box, "TextAlign"), 1);
  EXPECT_EQ(LongOf(box, "BorderStyle"), 1);
  EXPECT_EQ(LongOf(box, "MaxLength"), 12);
  EXPECT_EQ(TextOf(box, "PasswordChar"), "*");
  EXPECT_EQ(LongOf(box, "ScrollBars"), 2);
  EXPECT_EQ(TextOf(box, "Text"), "hello");
  EXPECT_EQ(TextOf(box, "Value"), "hello");
  EXPECT_FALSE(BoolOf(MakeControl(Site(17), CommandButtonRecord{}), "Value"));

  ScrollBarRecord bar;
  bar.position = 40;
  bar.orientation = 1;
  const ControlPtr scroll = MakeControl(Site(47), bar);
  EXPECT_EQ(LongOf(scroll, "Value"), 40);
  EXPECT_EQ(scroll->Orientation(), 1);
}

TEST(DesignerModel, EachFlagComesFromItsOwnBit) {
  const std::vector<std::pair<int, std::string>> bits = {
      {1, "Enabled"},   {2, "Locked"},         {11, "IntegralHeight"}, {23, "WordWrap"},
      {28, "AutoSize"}, {29, "HideSelection"}, {31, "MultiLine"}};
  for (const auto& [bit, name] : bits) {
    MorphDataRecord record = Morph(1);
    record.various = 1u << bit;
    const ControlPtr box = MakeControl(Site(23), record);
    for (const auto& [other_bit, other] : bits) {
      EXPECT_EQ(BoolOf(box, other), other_bit == bit) << "bit " << bit << ": " << other;
    }
  }
  SiteRecord site = Site(17);
  site.bit_flags = 0x4 | 0x8;  // Default and Cancel; neither TabStop nor Visible
  const ControlPtr button = MakeControl(site, CommandButtonRecord{});
  EXPECT_FALSE(button->TabStop());
  EXPECT_FALSE(button->Visible());
  EXPECT_TRUE(button->Default());
  EXPECT_TRUE(button->Cancel());
}

TEST(DesignerModel, ValuesOfButtonsListsCombosAndTabs) {
  for (const auto& [stored, expected] : std::vector<std::pair<std::string, std::string>>{
           {"1", "True"}, {"0", "False"}, {"", "False"}, {"2", "Null"}}) {
    const Variant value = MakeControl(Site(26), Morph(4, stored))->Get("Value");
    EXPECT_EQ(value.IsNull() ? "Null" : CStr(value), expected) << '"' << stored << '"';
  }
  MorphDataRecord list = Morph(2, "Row 2");
  EXPECT_EQ(TextOf(MakeControl(Site(24), list), "Value"), "Row 2");
  list.multi_select = 1;
  EXPECT_TRUE(MakeControl(Site(24), list)->Get("Value").IsNull());
  EXPECT_TRUE(MakeControl(Site(24), Morph(2))->Get("Value").IsNull());  // nothing selected

  EXPECT_EQ(LongOf(MakeControl(Site(25), Morph(3)), "Style"), 0);
  EXPECT_EQ(LongOf(MakeControl(Site(25), Morph(7)), "Style"), 2);
  EXPECT_EQ(MakeControl(Site(25), Morph(7))->TypeName(), "ComboBox");
  // DisplayStyle decides the type; the class index only when DisplayStyle names nothing.
  EXPECT_EQ(MakeControl(Site(23), Morph(5))->TypeName(), "OptionButton");
  EXPECT_EQ(MakeControl(Site(28), Morph(9))->TypeName(), "ToggleButton");
  EXPECT_EQ(MakeControl(Site(15), Morph(0))->TypeName(), "TextBox");

  MultiPageRecord pages;
  pages.tab_strip.list_index = 2;
  pages.tab_strip.tab_style = 1;
  EXPECT_EQ(LongOf(MakeControl(Site(57), pages), "Value"), 2);
  EXPECT_EQ(LongOf(MakeControl(Site(57), pages), "Style"), 1);
}

TEST(DesignerModel, CaptionsAndAccelerators) {
  CommandButtonRecord button;
  button.caption = "OK";
  button.accelerator = 'O';
  EXPECT_EQ(CStr(MakeControl(Site(17), button)->Object()->Get("Caption")), "OK");
  EXPECT_EQ(TextOf(MakeControl(Site(17), button), "Accelerator"), "O");
  EXPECT_EQ(TextOf(MakeControl(Site(17), CommandButtonRecord{}), "Accelerator"), "");
  LabelRecord label;
  label.accelerator = 0x00E9;
  EXPECT_EQ(TextOf(MakeControl(Site(21), label), "Accelerator"), "\xC3\xA9");
  label.accelerator = 0xD800;  // half a surrogate pair
  EXPECT_EQ(TextOf(MakeControl(Site(21), label), "Accelerator"), "\xEF\xBF\xBD");
  ContainerRecord frame;
  frame.caption = "Options";
  EXPECT_EQ(TextOf(MakeControl(Site(14), frame), "Caption"), "Options");
  EXPECT_EQ(TextOf(MakeControl(Site(7), PageRecord{{}, "Page 2", 1, "g"}), "Caption"), "Page 2");
}

TEST(DesignerModel, PositionsAndSizesArePointsThroughWholeTwips) {
  EXPECT_EQ(PointsOfHimetric(846), 24.0f);  // 479.6 twips
  EXPECT_EQ(PointsOfHimetric(847), 24.0f);  // 480.2 twips
  EXPECT_EQ(PointsOfHimetric(845), 23.95f);
  EXPECT_EQ(PointsOfHimetric(-846), -24.0f);
  EXPECT_EQ(PointsOfHimetric(INT32_MAX), 60873552.0f);  // no overflow on the way

  SiteRecord site = Site(21, "lblName");
  site.tag = "t";
  site.control_tip_text = "tip";
  site.help_context_id = 7;
  site.tab_index = 3;
  site.position = {846, -847};
  LabelRecord record;
  record.size = {2540, 1270};
  const ControlPtr label = MakeControl(site, record);
  EXPECT_EQ(label->Name() + label->Tag() + label->ControlTipText(), "lblNamettip");
  EXPECT_EQ(label->Read(Extender::kHelpContextID).type(), VarType::kLong);
  EXPECT_EQ(label->Read(Extender::kTabIndex).type(), VarType::kInteger);
  EXPECT_EQ(label->TabIndex(), 3);
  EXPECT_EQ(label->Read(Extender::kLeft).type(), VarType::kSingle);
  EXPECT_EQ(label->Left(), 24.0f);
  EXPECT_EQ(label->Top(), -24.0f);
  EXPECT_EQ(label->Width(), 72.0f);
  EXPECT_EQ(label->Height(), 36.0f);
  site.tab_index = -1;  // none stored
  EXPECT_EQ(MakeControl(site, record)->TabIndex(), 0);
  ContainerRecord frame;
  frame.displayed_size = {5080, 2540};
  EXPECT_EQ(MakeControl(Site(14), frame)->Width(), 144.0f);
}

TEST(DesignerModel, ADamagedRecordKeepsItsExtendersAndFailsEverythingElse) {
  const ControlPtr combo = MakeControl(
      Site(25, "cboKind"), DamagedRecord{SiteKind::kMorphData, "The control \"cboKind\" ..."});
  EXPECT_EQ(combo->TypeName(), "ComboBox");
  EXPECT_EQ(combo->Name(), "cboKind");
  for (const char* name : {"Style", "Value", "BackColor", "Locked"}) {
    EXPECT_EQ(ErrorOf([&] { combo->Get(name); }), 57) << name;
  }
  EXPECT_EQ(ErrorOf([&] { combo->Get("Caption"); }), 438);  // not a property of a ComboBox
  EXPECT_EQ(FailureOf([&] { (void)combo->Width(); }),
            std::make_pair(57, std::string("The control \"cboKind\" ...")));
  EXPECT_EQ(MakeControl(Site(99), DamagedRecord{SiteKind::kInvalid, ""})->TypeName(), "Control");
}

TEST(DesignerModel, ActiveXControlsAreNamedFromTheTableOrByTheirClsid) {
  constexpr Guid kListView = ClsidOf("{CCDB0DF2-FD1A-4856-80BC-32929D8359B7}");
  const ControlPtr list = MakeControl(Site(0x8000), ActiveXRecord{kListView, {{7408, 9737}}});
  EXPECT_EQ(list->TypeName(), "ListView");
  EXPECT_EQ(ErrorOf([&] { list->Get("BackColor"); }), 438);
  EXPECT_EQ(list->Width(), 210.0f);
  constexpr Guid kOther = ClsidOf("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  const ControlPtr other = MakeControl(Site(0x8001, "axOther"), ActiveXRecord{kOther, {}});
  EXPECT_EQ(other->TypeName(), "{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_THAT(FailureOf([&] { (void)other->Width(); }).second,
              HasSubstr("The control \"axOther\""));
}

TEST(DesignerModel, KindOfSite) {
  for (const auto& [index, kind] :
       std::vector<std::pair<uint16_t, SiteKind>>{{7, SiteKind::kPage},
                                                  {12, SiteKind::kImage},
                                                  {14, SiteKind::kFrame},
                                                  {15, SiteKind::kMorphData},
                                                  {16, SiteKind::kSpinButton},
                                                  {17, SiteKind::kCommandButton},
                                                  {18, SiteKind::kTabStrip},
                                                  {21, SiteKind::kLabel},
                                                  {28, SiteKind::kMorphData},
                                                  {47, SiteKind::kScrollBar},
                                                  {57, SiteKind::kMultiPage},
                                                  {22, SiteKind::kInvalid},
                                                  {29, SiteKind::kInvalid},
                                                  {0x7FFF, SiteKind::kInvalid}}) {
    EXPECT_EQ(KindOfSite(Site(index), {}), kind) << index;
  }
  const std::vector<Guid> table = {ClsidOf("{6E182020-F460-11CE-9BCD-00AA00608E01}"),
                                   ClsidOf("{00024512-0000-0000-C000-000000000046}")};
  EXPECT_EQ(KindOfSite(Site(0x8000), table), SiteKind::kFrame);
  Guid clsid{};
  EXPECT_EQ(KindOfSite(Site(0x8001), table, &clsid), SiteKind::kActiveX);
  EXPECT_EQ(clsid, table[1]);
  EXPECT_EQ(KindOfSite(Site(0x8002), table), SiteKind::kInvalid);
}

TEST(DesignerModel, FillUserForm) {
  ContainerRecord record;
  record.back_color = 0x00FF0000;
  MemoryUserForm form;
  FillUserForm(form, record, VbFrameInfo{std::nullopt, 8160, 5580});
  EXPECT_EQ(form.BackColor(), 0x00FF0000);
  EXPECT_EQ(form.ForeColor(), -2147483630);
  EXPECT_EQ(form.InsideWidth(), 408.0f);
  EXPECT_EQ(form.InsideHeight(), 279.0f);
  EXPECT_EQ(CStr(form.GetFont()->GetByDispId(Font::kName)), "Tahoma");  // none stored

  record.font = FontRecord{"Segoe UI", 97500, true, false, true, false, 700, 204};
  FillUserForm(form, record, VbFrameInfo{});
  EXPECT_EQ(form.InsideWidth(), 113.4f);  // the displayed 4000 HIMETRIC: 2268 twips
  const std::shared_ptr<Font> font = form.GetFont();
  EXPECT_EQ(CStr(font->GetByDispId(Font::kName)), "Segoe UI");
  EXPECT_EQ(font->GetByDispId(Font::kSize).currency(), Currency{97500});
  EXPECT_TRUE(font->GetByDispId(Font::kBold).boolean());
  EXPECT_TRUE(font->GetByDispId(Font::kUnderline).boolean());
  EXPECT_EQ(font->GetByDispId(Font::kWeight).integer(), 700);
  EXPECT_EQ(font->GetByDispId(Font::kCharset).integer(), 204);
}

TEST(ActiveXControls, TheTableNamesEachClsidOnceAndEachClassKeyOnce) {
  const Guid stored = {0x40, 0x1D, 0xD2, 0x8B, 0x42, 0xEC, 0xCE, 0x11,
                       0x9E, 0x0D, 0x00, 0xAA, 0x00, 0x60, 0x02, 0xF3};
  EXPECT_EQ(ClsidOf("{8BD21D40-EC42-11CE-9E0D-00AA006002F3}"), stored);
  EXPECT_EQ(FindActiveXControl(stored), nullptr);  // a CheckBox of the forms package
  std::set<std::string> clsids;
  for (const KnownActiveXControl& control : KnownActiveXControls()) {
    for (const Guid& clsid : control.clsids) {
      EXPECT_TRUE(clsids.insert(GuidText(clsid)).second) << GuidText(clsid);
      EXPECT_EQ(FindActiveXControl(clsid), &control);
    }
  }
  const std::vector<std::string> keys = KnownActiveXClassKeys();
  EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
  EXPECT_THAT(keys, ::testing::IsSupersetOf(
                        {"MSComctlLib.ListView", "MSComCtl2.DTPicker", "RefEdit.RefEdit"}));
}

TEST(ActiveXControls, PersistedExtent) {
  std::vector<uint8_t> data = {0x21, 0x43, 0x34, 0x12, 0x08, 0x00, 0x00, 0x00,
                               0xF0, 0x1C, 0x00, 0x00, 0x09, 0x26, 0x00, 0x00};
  const std::optional<HimetricSize> size = PersistedExtent(data);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->width, 7408);
  EXPECT_EQ(size->height, 9737);
  EXPECT_FALSE(PersistedExtent(std::span(data).first(15)).has_value());
  data[4] = 0x04;  // too few bytes for a size
  EXPECT_FALSE(PersistedExtent(data).has_value());
  data[0] = 0x00;
  EXPECT_FALSE(PersistedExtent(data).has_value());
}

}  // namespace
}  // namespace tovalin
