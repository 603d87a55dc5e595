// The decoders of a form's designer records, over records built the way the format lays them
// out (support/designer_record_builder.h) and over every record of the corpus documents.
#include "host/office/designer_records.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "host/office/designer_record_reader.h"
#include "host/office/document_reader.h"
#include "support/designer_record_builder.h"
#include "support/format_error_of.h"

namespace tovalin::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const Bytes kNoPicture = PictureBytes({});
const Bytes kForm = RecordBuilder::Control(4).U32(6, 0x8004).Build();  // no class table

ContainerRecord Container(const Bytes& form, const std::vector<Bytes>& sites = {},
                          uint32_t code_page = 0) {
  return DecodeContainerStream(ContainerStream(form, nullptr, sites), "f", code_page);
}

// --- strings and control records ----------------------------------------------------------

TEST(DesignerRecordsTest, CompressedBytesAreCodePointsAndUtf16JoinsPairs) {
  EXPECT_EQ(DecodeFormsString(Bytes{'A', 0xE9, 0xFF}, true), "A\u00E9\u00FF");
  EXPECT_EQ(DecodeFormsString(Bytes{'x', 0, 0x3D, 0xD8, 0x00, 0xDE}, false), "x\U0001F600");
  // A low surrogate alone, 'a', a high surrogate at the end; an odd last byte.
  EXPECT_EQ(DecodeFormsString(Bytes{0x00, 0xDC, 'a', 0, 0x3D, 0xD8}, false), "\uFFFDa\uFFFD");
  EXPECT_EQ(DecodeFormsString(Bytes{'a', 0, 'b'}, false), "a\uFFFD");
}

TEST(DesignerRecordsTest, EmptyMasksGiveTheFileFormatDefaults) {
  const Bytes empty = RecordBuilder::Control().Then(DefaultTextProps()).Build();
  const CommandButtonRecord button = DecodeCommandButton(empty, "o", 0);
  EXPECT_EQ(button.various, 0x1Bu);
  EXPECT_TRUE(button.take_focus_on_click);
  EXPECT_EQ(button.text_props.font_height, 160);
  EXPECT_EQ(DecodeLabel(empty, "o", 0).various, 0x0080001Bu);
  const Bytes wide = RecordBuilder::Control().WideMask().Then(DefaultTextProps()).Build();
  const MorphDataRecord morph = DecodeMorphData(wide, "o", 0);
  EXPECT_EQ(morph.various, 0x2C80081Bu);
  EXPECT_EQ(morph.special_effect, 2u);
  EXPECT_EQ(DecodeImage(empty, "o", 0).border_style, 1);
  EXPECT_EQ(DecodeScrollBar(empty, "o", 0).max, 32767);
  EXPECT_EQ(DecodeSpinButton(empty, "o", 0).max, 100);
  EXPECT_TRUE(DecodeTabStrip(empty, "o", 0).items.empty());
  const std::vector<Bytes> no_classes;  // the default BooleanProperties keep a class table
  const ContainerRecord form = DecodeContainerStream(
      ContainerStream(RecordBuilder::Control(4).Build(), &no_classes, {}), "f");
  EXPECT_EQ(form.displayed_size.width, 4000);
  EXPECT_FALSE(form.font.has_value());
  EXPECT_TRUE(form.sites.empty());
}

TEST(DesignerRecordsTest, CommandButtonAlignsScalarsSkipsPicturesAndReadsTextProps) {
  const Bytes props =
      RecordBuilder::Control().Latin1(0, "Arial").U32(1, 0x3).U32(2, 240).U8(6, 3).Build();
  const Bytes record = RecordBuilder::Control()
                           .U32(0, 0xFF)
                           .Latin1(3, "OK")
                           .Pair(5, 2000, 600)
                           .U8(6, 1)
                           .Stream(7, PictureBytes({1, 2, 3}))  // a u16 after a u8: padded
                           .U16(8, u'K')
                           .Flag(9)
                           .Stream(10, kNoPicture)
                           .Then(props)
                           .Build();
  const CommandButtonRecord b = DecodeCommandButton(record, "o", 0);
  EXPECT_EQ(b.caption, "OK");
  EXPECT_EQ(b.size.height, 600);
  EXPECT_EQ(b.accelerator, u'K');
  EXPECT_FALSE(b.take_focus_on_click);
  EXPECT_EQ(b.text_props.font_name, "Arial");
  EXPECT_EQ(TextAlignOf(b.text_props.paragraph_align), 2);  // PFA_CENTER is the centre
  const FontRecord font = FontOfTextProps(b.text_props);
  EXPECT_EQ(font.size_ten_thousandths, 120000);  // 240 twips: 12 points
  EXPECT_TRUE(font.bold && font.italic && !font.underline);
  EXPECT_EQ(font.weight, 700);  // FontEffects says bold
}

TEST(DesignerRecordsTest, LabelMorphDataAndTabStripReadTheirOwnLayouts) {
  const Bytes label = RecordBuilder::Control()
                          .Utf16(3, u"\u65E5\u672C")
                          .U8(6, 0)
                          .U32(7, 0x80000001)  // after a u8: padded to 4
                          .U16(8, 1)
                          .Stream(10, kNoPicture)
                          .U16(11, u'L')
                          .Then(DefaultTextProps())
                          .Build();
  const LabelRecord l = DecodeLabel(label, "o", 0);
  EXPECT_EQ(l.caption, "\u65E5\u672C");
  EXPECT_EQ(l.border_color, 0x80000001u);
  EXPECT_EQ(l.accelerator, u'L');

  // A 64-bit mask with GroupName at bit 32; MouseIcon before Picture in the StreamData.
  const Bytes morph = RecordBuilder::Control()
                          .WideMask()
                          .U8(6, 5)
                          .Pair(8, 10, 20)
                          .U16(12, 0xFFFF)
                          .Latin1(22, "1")
                          .Utf16(23, u"Yes")
                          .Stream(27, PictureBytes({9}))
                          .Stream(28, PictureBytes({1, 2, 3, 4, 5}))
                          .Flag(31)
                          .Latin1(32, "group")
                          .Then(RecordBuilder::Control().U8(6, 2).Build())
                          .Build();
  const MorphDataRecord m = DecodeMorphData(morph, "o", 0);
  EXPECT_EQ(m.display_style, 5);
  EXPECT_EQ(m.text_column, -1);
  EXPECT_EQ(m.value + m.caption + m.group_name, "1Yesgroup");
  EXPECT_EQ(TextAlignOf(m.text_props.paragraph_align), 3);  // PFA_RIGHT is the right

  const Bytes tabs = RecordBuilder::Control()
                         .Pair(4, 3000, 2000)
                         .Array(5, {{u"One"}, {u"\u0422\u0432\u043E", false}, {u""}})
                         .Flag(10)
                         .Array(17, {{u"Tab1"}, {u"Tab2"}, {u"Tab3"}})
                         .U32(22, 3)
                         .Then(DefaultTextProps())
                         .Build();
  const TabStripRecord t = DecodeTabStrip(tabs, "o", 0);
  EXPECT_THAT(t.items, ElementsAre("One", "\u0422\u0432\u043E", ""));
  EXPECT_THAT(t.names, ElementsAre("Tab1", "Tab2", "Tab3"));
  EXPECT_TRUE(t.multi_row);
  EXPECT_EQ(t.tab_data_count, 3u);
}

TEST(DesignerRecordsTest, ImageScrollBarAndSpinButtonReadFlagsAndSignedValues) {
  const Bytes image =
      RecordBuilder::Control().Flag(2).U8(5, 0).Stream(10, PictureBytes({0x42})).Flag(12).Build();
  const ImageRecord i = DecodeImage(image, "o", 0);
  EXPECT_TRUE(i.auto_size && i.picture_tiling);
  EXPECT_EQ(i.border_style, 0);
  const Bytes scroll =
      RecordBuilder::Control().U8(4, 2).U32(5, 0xFFFFFFF6).U16(14, 0).U32(15, 100).Build();
  const ScrollBarRecord s = DecodeScrollBar(scroll, "o", 0);
  EXPECT_EQ(s.min, -10);
  EXPECT_EQ(s.proportional_thumb, 0);
  EXPECT_EQ(s.delay, 100);
  const SpinButtonRecord p =
      DecodeSpinButton(RecordBuilder::Control().U32(11, 0).U8(14, 3).Build(), "o", 0);
  EXPECT_EQ(p.orientation, 0);
  EXPECT_EQ(p.mouse_pointer, 3);
}

TEST(DesignerRecordsTest, StoredParagraphAlignIsAPfaValue) {
  EXPECT_EQ(TextAlignOf(1), 1);  // PFA_LEFT
  EXPECT_EQ(TextAlignOf(2), 3);  // PFA_RIGHT
  EXPECT_EQ(TextAlignOf(3), 2);  // PFA_CENTER
  EXPECT_EQ(TextAlignOf(4), 1);  // PFA_JUSTIFY has no TextAlign
}

// --- damaged control records --------------------------------------------------------------

TEST(DesignerRecordDamageTest, StringsAndArraysAreBoundedByTheRecord) {
  // Caption's count at 8, its bytes at 12; the record is 16 bytes.
  const Bytes caption = RecordBuilder::Control().RawString(3, 0x80000000u | 70000, {'a'}).Build();
  EXPECT_EQ(FormatErrorOf([&] { DecodeCommandButton(caption, "Form/o", 100); }),
            "Form/o at offset 112: the Caption string of 70000 bytes runs past the CommandButton "
            "record's 16 bytes");
  const Bytes wide = RecordBuilder::Control().RawString(3, 6, {'a', 0, 'b', 0}).Build();
  EXPECT_THAT(FormatErrorOf([&] { DecodeLabel(wide, "o", 0); }),
              HasSubstr("the Caption string of 6 bytes runs past"));  // UTF-16 counts bytes too
  Bytes tabs = RecordBuilder::Control().Array(5, {{u"abc"}, {u"de"}}).Build();
  tabs[20] = 9;  // the second entry's count: 9 characters in an array of 16 bytes
  EXPECT_EQ(FormatErrorOf([&] { DecodeTabStrip(tabs, "o", 0); }),
            "o at offset 24: the 9 characters of entry 1 of the Items array run past the array's "
            "16 bytes");
  tabs[8] = 0x40;  // the array's byte size
  EXPECT_THAT(FormatErrorOf([&] { DecodeTabStrip(tabs, "o", 0); }),
              HasSubstr("the Items array of 64 bytes runs past the TabStrip record's 28 bytes"));
}

TEST(DesignerRecordDamageTest, HeadersMasksAndStreamDataAreChecked) {
  EXPECT_EQ(FormatErrorOf([] {
              DecodeImage(Bytes{0, 2, 1}, "o", 8);
            }),
            "o at offset 8: the Image record's header (4 bytes) runs past the 3 bytes left");
  EXPECT_EQ(FormatErrorOf([] {
              DecodeImage(Bytes{0, 2, 9, 0, 0, 0, 0, 0}, "o", 0);
            }),
            "o at offset 2: the Image record's cb of 9 bytes runs past the 4 bytes left");
  EXPECT_THAT(FormatErrorOf([] {
                DecodeImage(Bytes{0, 3, 4, 0, 0, 0, 0, 0}, "o", 0);
              }),
              HasSubstr("the Image record has version 3.0; this reader knows 2.0"));
  const Bytes unknown = RecordBuilder::Control().U32(8, 1).Build();  // bit 8 of a ScrollBar
  EXPECT_EQ(FormatErrorOf([&] { DecodeScrollBar(unknown, "o", 0); }),
            "o at offset 4: the ScrollBar record's PropMask 0x00000100 has bit 8 set, a property "
            "this reader does not know; what follows it cannot be read");
  Bytes short_cb = RecordBuilder::Control().U32(5, 1).U32(6, 2).Build();
  short_cb[2] = 10;  // cb ends inside Max
  EXPECT_THAT(FormatErrorOf([&] { DecodeSpinButton(short_cb, "o", 0); }),
              HasSubstr("the SpinButton record's Max (4 bytes) runs past its cb of 10 bytes"));
  Bytes picture = PictureBytes({1, 2, 3, 4});
  picture[20] = 0xFF;  // Size
  EXPECT_THAT(FormatErrorOf([&] {
                DecodeImage(RecordBuilder::Control().Stream(10, picture).Build(), "o", 0);
              }),
              HasSubstr("the Picture picture's 255 bytes run past the 4 bytes left"));
  picture[16] = 0;
  EXPECT_THAT(FormatErrorOf([&] {
                DecodeImage(RecordBuilder::Control().Stream(10, picture).Build(), "o", 0);
              }),
              HasSubstr("preamble is 0x00007400, not 0x0000746C"));
  EXPECT_THAT(FormatErrorOf([] { DecodeLabel(RecordBuilder::Control().Build(), "o", 0); }),
              HasSubstr("the TextProps record's header (4 bytes) runs past the 0 bytes left"));
}

// --- containers ---------------------------------------------------------------------------

TEST(DesignerContainerTest, FormControlReadsItsPropertiesFontAndSites) {
  const Bytes form = RecordBuilder::Control(4)
                         .U32(6, 0xC004)
                         .U8(9, 3)
                         .Pair(10, 8000, 6000)
                         .Pair(12, 0, 50)
                         .Stream(15, kNoPicture)
                         .Latin1(19, "Frame1")
                         .Stream(20, StdFontBytes("Tahoma", 82500, 700, 0x06, 0))
                         .Flag(24)
                         .U32(27, 32000)
                         .Build();
  const Bytes site = RecordBuilder::Site()
                         .Latin1(0, "abc")
                         .Utf16(1, u"\u00E9t\u00E9")
                         .U32(2, 7)
                         .U16(6, 3)
                         .U16(7, 21)
                         .Pair(8, 100, -200)
                         .Latin1(11, "tip")
                         .Latin1(14, "A1:A3")
                         .Build();
  const ContainerRecord c = Container(form, {site, site});
  EXPECT_EQ(c.scroll_bars, 3);
  EXPECT_EQ(c.displayed_size.width, 8000);
  EXPECT_EQ(c.logical_size.width, 4000);  // the default
  EXPECT_EQ(c.scroll_position.top, 50);
  EXPECT_EQ(c.caption, "Frame1");
  EXPECT_TRUE(c.picture_tiling);
  ASSERT_TRUE(c.font.has_value());
  EXPECT_EQ(c.font->name, "Tahoma");
  EXPECT_EQ(c.font->size_ten_thousandths, 82500);
  EXPECT_TRUE(c.font->bold && c.font->italic && c.font->underline && !c.font->strikethrough);
  ASSERT_EQ(c.sites.size(), 2u);
  const SiteRecord& s = c.sites[1];
  EXPECT_EQ(s.name + "|" + s.tag + "|" + s.control_tip_text + "|" + s.row_source,
            "abc|\u00E9t\u00E9|tip|A1:A3");
  EXPECT_EQ(s.id, 7);
  EXPECT_EQ(s.tab_index, 3);
  EXPECT_EQ(s.position.top, -200);
  EXPECT_TRUE(s.streamed());  // BitFlags by default
}

TEST(DesignerContainerTest, FontsOfOtherKindsAndCodePages) {
  const Bytes props = RecordBuilder::Control().Latin1(0, "Courier").U32(2, 200).U16(7, 700).Build();
  const ContainerRecord c = Container(
      RecordBuilder::Control(4).U32(6, 0x8004).Stream(20, TextPropsFontBytes(props)).Build());
  EXPECT_EQ(c.font->name, "Courier");
  EXPECT_EQ(c.font->size_ten_thousandths, 100000);
  EXPECT_TRUE(c.font->bold);
  // Meiryo in Shift-JIS: the project's code page, else the charset's, decodes the face name.
  const std::string meiryo = "\x83\x81\x83\x43\x83\x8A\x83\x49";
  const Bytes japanese = StdFontBytes(meiryo, 90000, 400, 0, 128);
  EXPECT_EQ(
      Container(RecordBuilder::Control(4).U32(6, 0x8004).Stream(20, japanese).Build()).font->name,
      "メイリオ");
  const Bytes ansi = StdFontBytes(meiryo, 90000);
  EXPECT_EQ(Container(RecordBuilder::Control(4).U32(6, 0x8004).Stream(20, ansi).Build(), {}, 932)
                .font->name,
            "メイリオ");
  Bytes other = StdFontBytes("x", 1);
  other[0] = 0x05;
  const Bytes bad = RecordBuilder::Control(4).U32(6, 0x8004).Stream(20, other).Build();
  EXPECT_THAT(FormatErrorOf([&] { Container(bad); }),
              HasSubstr("the Font's class is {0BE35205-8F91-11CE-9DE3-00AA004BB851}, neither "
                        "StdFont nor the forms package's font"));
}

TEST(DesignerContainerTest, ClassTableKeepsClsidsAndPaddingCountsFromCountOfSites) {
  const Guid clsid = {0x10, 0x1D, 0xD2, 0x8B, 0x42, 0xEC, 0xCE, 0x11,
                      0x9E, 0x0D, 0x00, 0xAA, 0x00, 0x60, 0x02, 0xF3};
  // With ClassFlags the GUID comes after a DataBlock of 4 bytes.
  const std::vector<Bytes> classes = {RecordBuilder::Site().GuidExtra(0, clsid).U32(4, 0).Build(),
                                      RecordBuilder::Site().U32(5, 3).Build()};
  // A picture of 25 bytes in the StreamData leaves CountOfSites at an odd offset.
  const Bytes form = RecordBuilder::Control(4).Stream(21, PictureBytes({1})).Build();
  const Bytes site = RecordBuilder::Site().Latin1(0, "X").U16(7, 0x8000).Build();
  const Bytes depths = {0, 0x82, 1, 0, 1};  // a counted entry of two sites, then one
  const ContainerRecord c =
      DecodeContainerStream(ContainerStream(form, &classes, {site, site, site}, depths), "f");
  ASSERT_EQ(c.class_table.size(), 2u);
  EXPECT_EQ(GuidText(c.class_table[0]), "{8BD21D10-EC42-11CE-9E0D-00AA006002F3}");
  EXPECT_EQ(c.class_table[1], Guid{});
  ASSERT_EQ(c.sites.size(), 3u);
  EXPECT_EQ(c.sites[2].clsid_cache_index, 0x8000);
}

TEST(DesignerContainerTest, SiteDataIsBoundedByItsCounts) {
  const Bytes site = RecordBuilder::Site().Latin1(0, "A").Build();
  const Bytes stream = ContainerStream(kForm, nullptr, {site});
  const size_t at = kForm.size();  // CountOfSites
  const auto damaged = [&](size_t offset, uint8_t value) {
    Bytes copy = stream;
    copy[offset] = value;
    return FormatErrorOf([&] { DecodeContainerStream(copy, "F/f"); });
  };
  EXPECT_EQ(damaged(at + 2, 0x10), "F/f at offset " + std::to_string(at) +
                                       ": the container lists 1048577 sites; a container may "
                                       "hold at most 100000");
  EXPECT_THAT(damaged(at + 5, 1),  // CountOfBytes + 256
              HasSubstr("the site data's CountOfBytes of 276 runs past the 20 bytes left"));
  EXPECT_THAT(damaged(at + 4, 8),  // the site's header fits, the rest does not
              HasSubstr("the OleSiteConcrete record's cb of 12 bytes runs past the 0 bytes left"));
  EXPECT_THAT(damaged(at + 9, 2), HasSubstr("a site has type 2; the only site type is 1"));
  EXPECT_THAT(FormatErrorOf([&] {
                DecodeContainerStream(ContainerStream(kForm, nullptr, {site}, {0, 0x83, 1}), "f");
              }),
              HasSubstr("the depths and types cover 3 sites, CountOfSites says 1"));
  EXPECT_THAT(FormatErrorOf([&] { DecodeContainerStream(kForm, "f"); }),
              HasSubstr("CountOfSites and CountOfBytes (8 bytes) run past the 0 bytes left"));
}

TEST(DesignerContainerTest, MultiPageStreamHasOneRecordPerSiteThenThePageIds) {
  Bytes x;
  for (const Bytes& record :
       {RecordBuilder::Control().Build(), RecordBuilder::Control().U32(1, 6).U32(2, 500).Build(),
        RecordBuilder::Control().Build(), RecordBuilder::Control().U32(1, 2).U32(2, 13).Build(),
        Bytes{15, 0, 0, 0, 14, 0, 0, 0}}) {
    x.insert(x.end(), record.begin(), record.end());
  }
  EXPECT_THAT(DecodeMultiPageStream(x, 2, "M/x").page_ids, ElementsAre(15, 14));
  // Read as a MultiPage of one page, the third record is its MultiPageProperties.
  EXPECT_THAT(FormatErrorOf([&] { DecodeMultiPageStream(x, 1, "M/x"); }),
              HasSubstr("the MultiPage's PageCount is 0, its \"f\" stream has 1 Page site"));
  const Bytes cut(x.begin(), x.end() - 1);
  EXPECT_THAT(FormatErrorOf([&] { DecodeMultiPageStream(cut, 2, "M/x"); }),
              HasSubstr("the IDs of 2 pages run past the 7 bytes left"));
}

// --- the corpus ---------------------------------------------------------------------------

namespace fs = std::filesystem;

const nlohmann::json& Field(const nlohmann::json& object, const char* key) {
  static const nlohmann::json kNull;
  if (!object.is_object()) return kNull;
  const auto found = object.find(key);
  return found == object.end() ? kNull : *found;
}
std::string Text(const nlohmann::json& value) {
  return value.is_string() ? value.get<std::string>() : "";
}

// Decodes a container storage and the storages and records of its sites, checking each site
// against the oracle's control in site order; returns the number of control records decoded.
size_t CheckStorage(const CompoundFile& file, CompoundFile::EntryId storage,
                    const std::string& path, uint32_t code_page, const nlohmann::json& oracle) {
  const auto f = file.Find(storage, "f");
  EXPECT_TRUE(f.has_value()) << path << " has no f stream";
  if (!f) return 0;
  const ContainerRecord container =
      DecodeContainerStream(file.ReadStream(*f), path + "/f", code_page);
  std::vector<uint8_t> o;
  if (const auto stream = file.Find(storage, "o")) o = file.ReadStream(*stream);
  if (oracle.is_array()) {
    EXPECT_EQ(container.sites.size(), oracle.size()) << path;
  }
  size_t offset = 0;
  size_t records = 0;
  size_t pages = 0;
  for (size_t i = 0; i < container.sites.size(); ++i) {
    const SiteRecord& site = container.sites[i];
    const nlohmann::json& expected =
        oracle.is_array() && i < oracle.size() ? oracle[i] : Field(oracle, "");
    const std::string where = path + " site " + site.name;
    if (expected.is_object()) {
      EXPECT_EQ(site.name, Text(Field(expected, "name"))) << where;
      EXPECT_EQ(site.tag, Text(Field(expected, "tag"))) << where;
      EXPECT_EQ(site.id, Field(expected, "id")) << where;
      EXPECT_EQ(std::max<int>(site.tab_index, 0), Field(expected, "tabindex")) << where;
      EXPECT_EQ(site.control_tip_text, Text(Field(expected, "control_tip_text"))) << where;
    }
    pages += site.clsid_cache_index == 7 ? 1 : 0;
    if (!site.streamed()) {
      const std::string name = (site.id < 10 ? "i0" : "i") + std::to_string(site.id);
      const auto child = file.Find(storage, name);
      EXPECT_TRUE(child.has_value()) << where;
      if (child) {
        records += CheckStorage(file, *child, path + "/" + name, code_page,
                                Field(Field(expected, "child"), "controls"));
      }
      continue;
    }
    if (site.object_stream_size > o.size() - offset) {
      ADD_FAILURE() << where << ": ObjectStreamSize runs past the o stream";
      break;
    }
    const std::span<const uint8_t> record(o.data() + offset, site.object_stream_size);
    const std::string stream = path + "/o";
    std::optional<std::string> caption, value, group;
    ++records;
    // clang-format off
    switch (site.clsid_cache_index) {
      case 17: DecodeCommandButton(record, stream, offset); break;
      case 21: caption = DecodeLabel(record, stream, offset).caption; break;
      case 15: case 23: case 24: case 25: case 26: case 27: case 28: {
        const MorphDataRecord morph = DecodeMorphData(record, stream, offset);
        caption = morph.caption, value = morph.value, group = morph.group_name;
        break;
      }
      case 12: DecodeImage(record, stream, offset); break;
      case 47: DecodeScrollBar(record, stream, offset); break;
      case 16: DecodeSpinButton(record, stream, offset); break;
      case 18: DecodeTabStrip(record, stream, offset); break;
      default: --records; break;  // a custom ActiveX control's own record
    }
    // clang-format on
    // The oracle gives captions, values and group names of Labels and the MorphData kinds.
    const auto check = [&](const std::optional<std::string>& decoded, const char* key) {
      if (decoded && Field(expected, key).is_string()) {
        EXPECT_EQ(*decoded, Field(expected, key)) << where;
      }
    };
    check(caption, "caption");
    check(value, "value");
    check(group, "group_name");
    offset += site.object_stream_size;
  }
  if (const auto x = file.Find(storage, "x")) {
    EXPECT_EQ(DecodeMultiPageStream(file.ReadStream(*x), pages, path + "/x").page_ids.size(),
              pages);
  }
  return records;
}

const nlohmann::json* OracleForms(const nlohmann::json& node) {
  if (node.is_object() && node.contains("forms")) return &node["forms"];
  if (node.is_structured()) {
    for (const auto& child : node) {
      if (const nlohmann::json* forms = OracleForms(child)) return forms;
    }
  }
  return nullptr;
}

TEST(DesignerCorpusTest, EveryContainerAndControlRecordDecodesAsTheOracleFoundIt) {
  const fs::path corpus = TOVALIN_CORPUS;
  size_t forms = 0;
  size_t records = 0;
  for (const auto& entry : fs::recursive_directory_iterator(corpus / "oracle")) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(".json") || name.ends_with(".lo.json")) continue;
    const nlohmann::json oracle = nlohmann::json::parse(std::ifstream(entry.path()));
    static const nlohmann::json kNoForms = nlohmann::json::array();
    const nlohmann::json& oracle_forms = OracleForms(oracle) ? *OracleForms(oracle) : kNoForms;
    const fs::path relative = fs::relative(entry.path(), corpus / "oracle");
    const fs::path document = corpus / "files" / relative.parent_path() / relative.stem();
    const DocumentProject project = OpenDocumentProject(document.string());
    for (const VbaModule& module : project.project.modules) {
      if (module.kind != VbaModuleKind::kDesigner) continue;
      const auto storage = project.file->Find(project.storage, module.stream_name);
      if (!storage) {
        ADD_FAILURE() << document << " has no storage " << module.stream_name;
        continue;
      }
      // The oracle names the storage from the file's root ("_VBA_PROJECT_CUR/UserForm1").
      const nlohmann::json* controls = &Field(oracle, "");
      for (const auto& form : oracle_forms) {
        const std::string stored = Text(Field(form, "storage"));
        if (stored.substr(stored.rfind('/') + 1) == module.stream_name)
          controls = &Field(form, "controls");
      }
      const std::string path = relative.string() + ":" + module.stream_name;
      try {
        records +=
            CheckStorage(*project.file, *storage, path, project.project.code_page, *controls);
      } catch (const FormatError& error) {
        ADD_FAILURE() << error.what();
      }
      ++forms;
    }
  }
  EXPECT_GE(forms, 184u);
  EXPECT_GE(records, 2651u);
}

}  // namespace
}  // namespace tovalin::testing
