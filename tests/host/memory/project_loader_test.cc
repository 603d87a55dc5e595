#include "host/memory/project_loader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "host/memory/description_test_util.h"
#include "support/temp_folder.h"

namespace tovalin::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The format exactly as other tools write it.
constexpr std::string_view kFullDescription = R"({ "activeProject": {
    "name": "VBAProject", "codePage": 1252,
    "references": [ {"name": "stdole", "isBroken": false} ],
    "components": [ {
      "name": "frmMain", "type": 3,
      "properties": {"Caption": "Main"},
      "code": "Private Sub UserForm_Click()\r\nEnd Sub",
      "designer": {
        "BackColor": -2147483633, "ForeColor": -2147483630,
        "InsideWidth": 240.75, "InsideHeight": 180,
        "Font": {"Name": "Tahoma", "Size": {"Currency": "8.25"}, "Italic": false, "Underline": false,
                 "Strikethrough": false, "Weight": 400, "Charset": 0},
        "controls": [ {"typeName": "CommandButton", "Name": "cmdOK", "Left": 6, "Top": 6,
          "Width": 72, "Height": 24, "TabIndex": 0, "TabStop": true, "Tag": "",
          "ControlTipText": "", "HelpContextID": 0, "Visible": true, "Cancel": false,
          "Default": false,
          "properties": {"Caption": "OK", "Accelerator": "O", "BackColor": -2147483633}} ] } } ] },
  "selectedComponent": "frmMain",
  "registeredClasses": ["MSComctlLib.ProgressBar"] })";

TEST(ProjectLoaderTest, ReadsTheFormatAsGiven) {
  LoadedDescription loaded = Load(kFullDescription);
  EXPECT_EQ(loaded.code_page, 1252u);
  auto project = loaded.vbe->ActiveVBProject();
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(project->Name(), "VBAProject");
  ASSERT_EQ(project->References().size(), 1u);
  EXPECT_EQ(project->References()[0]->Name(), "stdole");
  EXPECT_FALSE(project->References()[0]->IsBroken());

  ASSERT_EQ(project->VBComponents().size(), 1u);
  auto component = project->VBComponents()[0];
  EXPECT_EQ(component->Name(), "frmMain");
  EXPECT_EQ(component->Type(), kUserFormComponent);
  EXPECT_EQ(component->PropertyValue("caption").string(), "Main");
  EXPECT_EQ(loaded.vbe->SelectedVBComponent(), component);
  auto code = component->GetCodeModule();
  EXPECT_EQ(code->CountOfLines(), 2);
  EXPECT_EQ(code->Lines(1, 2), "Private Sub UserForm_Click()\r\nEnd Sub");

  auto form = component->Designer();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->BackColor(), -2147483633);
  EXPECT_EQ(form->ForeColor(), -2147483630);
  EXPECT_EQ(form->InsideWidth(), 240.75f);
  EXPECT_EQ(form->InsideHeight(), 180.0f);
  // Font values come back as stored; the reader converts them.
  auto font = form->GetFont();
  EXPECT_EQ(font->GetByDispId(Font::kName).string(), "Tahoma");
  EXPECT_EQ(font->GetByDispId(Font::kSize).currency(), Currency{82500});
  EXPECT_EQ(font->GetByDispId(Font::kWeight).type(), VarType::kLong);
  EXPECT_EQ(font->GetByDispId(Font::kItalic).type(), VarType::kBoolean);

  ASSERT_EQ(form->Controls().size(), 1u);
  auto button = form->Controls()[0];
  EXPECT_EQ(button->TypeName(), "CommandButton");
  EXPECT_EQ(button->Name(), "cmdOK");
  EXPECT_EQ(button->Width(), 72.0f);
  EXPECT_EQ(button->Get("accelerator").string(), "O");
  EXPECT_EQ(button->Get("BackColor").long_value(), -2147483633);
  EXPECT_EQ(button->Parent(), form);

  EXPECT_TRUE(loaded.class_registry->KeyExists("mscomctllib.progressbar"));
  EXPECT_FALSE(loaded.class_registry->KeyExists("MSComctlLib.Slider"));
}

TEST(ProjectLoaderTest, AbsentPartsTakeTheirDefaults) {
  LoadedDescription empty = Load("{}");
  EXPECT_EQ(empty.vbe->ActiveVBProject(), nullptr);
  EXPECT_EQ(empty.vbe->SelectedVBComponent(), nullptr);
  EXPECT_EQ(empty.code_page, 1252u);
  EXPECT_FALSE(empty.class_registry->KeyExists("x"));
  EXPECT_EQ(Load(R"({"activeProject": null, "selectedComponent": null})").vbe->ActiveVBProject(),
            nullptr);

  LoadedDescription loaded = Load(R"({"activeProject": {"codePage": 1251, "components": [
      {"name": "frmBare", "type": 3}, {"name": "Module1", "type": 1},
      {"name": "frmNone", "type": 3, "designer": null}]}})");
  EXPECT_EQ(loaded.code_page, 1251u);
  auto components = loaded.vbe->ActiveVBProject()->VBComponents();
  EXPECT_EQ(loaded.vbe->ActiveVBProject()->Name(), "VBAProject");
  auto form = components[0]->Designer();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->BackColor(), -2147483633);
  EXPECT_EQ(form->ForeColor(), -2147483630);
  EXPECT_EQ(form->InsideWidth(), 240.0f);
  EXPECT_EQ(form->InsideHeight(), 180.0f);
  EXPECT_TRUE(form->Controls().empty());
  auto font = form->GetFont();
  EXPECT_EQ(font->GetByDispId(Font::kName).string(), "Tahoma");
  EXPECT_EQ(font->GetByDispId(Font::kSize).currency(), Currency{82500});
  EXPECT_EQ(font->GetByDispId(Font::kWeight).integer(), 400);
  EXPECT_EQ(font->GetByDispId(Font::kCharset).integer(), 0);
  EXPECT_EQ(components[0]->GetCodeModule()->CountOfLines(), 0);
  EXPECT_EQ(components[0]->GetCodeModule()->Lines(1, 0), "");
  EXPECT_EQ(ErrorOf([&] { components[0]->PropertyValue("Caption"); }), 5);
  for (int32_t unknown : {1, 9, -1}) EXPECT_EQ(ErrorOf([&] { font->GetByDispId(unknown); }), 438);
  EXPECT_EQ(components[1]->Designer(), nullptr);
  EXPECT_EQ(components[2]->Designer(), nullptr);
}

// Reads property "P" of a component whose properties hold `value`.
Variant ValueOf(const std::string& value) {
  LoadedDescription loaded = Load(R"({"activeProject": {"components": [{"name": "M", "type": 1,
      "properties": {"P": )" + value +
                                  "}}]}}");
  return loaded.vbe->ActiveVBProject()->VBComponents()[0]->PropertyValue("P");
}

TEST(ProjectLoaderTest, PlainAndTypedValues) {
  EXPECT_EQ(ValueOf("true").boolean(), true);
  EXPECT_EQ(ValueOf("-7").long_value(), -7);
  EXPECT_EQ(ValueOf("2147483647").long_value(), 2147483647);
  EXPECT_EQ(ValueOf("2147483648").double_value(), 2147483648.0);
  EXPECT_EQ(ValueOf("-2147483649").double_value(), -2147483649.0);
  EXPECT_EQ(ValueOf("3.0").type(), VarType::kDouble);  // written with a decimal point
  EXPECT_EQ(ValueOf("1.5").double_value(), 1.5);
  EXPECT_EQ(ValueOf(R"("x")").string(), "x");
  EXPECT_TRUE(ValueOf("null").IsNull());
  EXPECT_EQ(ValueOf(R"({"Integer": -32768})").integer(), -32768);
  EXPECT_EQ(ValueOf(R"({"Long": 3})").long_value(), 3);
  EXPECT_EQ(ValueOf(R"({"Single": 1.5})").single(), 1.5f);
  EXPECT_EQ(ValueOf(R"({"Double": 2})").double_value(), 2.0);
  EXPECT_EQ(ValueOf(R"({"Currency": "8.25"})").currency(), Currency{82500});
  EXPECT_EQ(ValueOf(R"({"Currency": 8.25})").currency(), Currency{82500});
  EXPECT_EQ(ValueOf(R"({"Currency": 3})").currency(), Currency{30000});
  EXPECT_EQ(ValueOf(R"({"Currency": "-922337203685477.5808"})").currency().scaled,
            std::numeric_limits<int64_t>::min());
  EXPECT_EQ(ValueOf(R"({"Boolean": false})").boolean(), false);
  EXPECT_EQ(ValueOf(R"({"String": "7"})").string(), "7");
  EXPECT_EQ(ValueOf(R"({"Empty": true})").type(), VarType::kEmpty);
  EXPECT_EQ(ErrorOf([] { ValueOf(R"({"error": 438})"); }), 438);
}

TEST(ProjectLoaderTest, FailuresRaiseWhereverAReadStands) {
  // Every place a failure may stand gets its own error number; the reads must raise exactly it.
  nlohmann::json control = nlohmann::json::parse(R"({"typeName": "Label",
      "Parent": {"error": 2001}, "Object": {"error": 2002}, "properties": {"Caption": {"error": 2003}}})");
  const char* extenders[] = {"Name",     "Left",    "Top",    "Width",          "Height",
                             "TabIndex", "TabStop", "Tag",    "ControlTipText", "HelpContextID",
                             "Visible",  "Cancel",  "Default"};
  for (int i = 0; i < 13; ++i) control[extenders[i]] = {{"error", 1001 + i}};
  nlohmann::json font;
  const char* font_names[] = {"Name",      "Size",          "Bold",   "Italic",
                              "Underline", "Strikethrough", "Weight", "Charset"};
  for (int i = 0; i < 8; ++i) font[font_names[i]] = {{"error", 3001 + i}};
  LoadedDescription loaded = Load(R"({"activeProject": {
      "references": [{"name": {"error": 4001}, "isBroken": {"error": 4002}}],
      "components": [
        {"name": "frmGone", "type": 3, "designer": {"error": 440, "description": "designer gone"},
         "code": {"error": 7}},
        {"name": "frmNoFont", "type": 3, "designer": {"Font": {"error": 91}}},
        {"name": "frmValues", "type": 3, "properties": {"Caption": {"error": 5}},
         "designer": {"BackColor": {"error": 5001}, "ForeColor": {"error": 5002},
           "InsideWidth": {"error": 5003}, "InsideHeight": {"error": 5004},
           "Font": )" + font.dump() +
                                  R"(, "controls": [)" + control.dump() + "]}}]}}");
  auto project = loaded.vbe->ActiveVBProject();
  auto components = project->VBComponents();

  EXPECT_EQ(FailureOf([&] { components[0]->Designer(); }), "440: designer gone");
  // Without a description, the runtime's standard text.
  EXPECT_EQ(FailureOf([&] { components[0]->GetCodeModule(); }), "7: Out of memory");
  auto no_font = components[1]->Designer();
  EXPECT_EQ(ErrorOf([&] { no_font->GetFont(); }), 91);
  EXPECT_EQ(ErrorOf([&] { no_font->GetFont(); }), 91);  // and again on every read
  EXPECT_EQ(ErrorOf([&] { project->References()[0]->Name(); }), 4001);
  EXPECT_EQ(ErrorOf([&] { project->References()[0]->IsBroken(); }), 4002);
  EXPECT_EQ(ErrorOf([&] { components[2]->PropertyValue("Caption"); }), 5);

  auto form = components[2]->Designer();
  EXPECT_EQ(ErrorOf([&] { form->BackColor(); }), 5001);
  EXPECT_EQ(ErrorOf([&] { form->ForeColor(); }), 5002);
  EXPECT_EQ(ErrorOf([&] { form->InsideWidth(); }), 5003);
  EXPECT_EQ(ErrorOf([&] { form->InsideHeight(); }), 5004);
  auto form_font = form->GetFont();
  const int32_t dispids[] = {Font::kName,      Font::kSize,          Font::kBold,   Font::kItalic,
                             Font::kUnderline, Font::kStrikethrough, Font::kWeight, Font::kCharset};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ErrorOf([&] { form_font->GetByDispId(dispids[i]); }), 3001 + i) << font_names[i];
  }

  auto label = form->Controls().at(0);
  // Reads by name go through the typed reads.
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(ErrorOf([&] { label->Get(extenders[i]); }), 1001 + i) << extenders[i];
  }
  EXPECT_EQ(ErrorOf([&] { label->Parent(); }), 2001);
  EXPECT_EQ(ErrorOf([&] { label->Get("parent"); }), 2001);
  EXPECT_EQ(ErrorOf([&] { label->Object(); }), 2002);
  EXPECT_EQ(ErrorOf([&] { label->Get("Caption"); }), 2003);
}

TEST(ProjectLoaderTest, ControlsNestedToTheLimitLoad) {
  auto nested = [](int levels) {
    std::string json = R"({"typeName": "Label", "Name": "lblDeepest"})";
    for (int i = 1; i < levels; ++i) {
      json = R"({"typeName": "Frame", "Name": "fra", "controls": [)" + json + "]}";
    }
    return FormDescription(R"("controls": [)" + json + "]");
  };
  LoadedDescription loaded = Load(nested(100));
  auto controls = FormOf(loaded)->Controls();
  ASSERT_EQ(controls.size(), 100u);
  EXPECT_EQ(controls.back()->Name(), "lblDeepest");
  EXPECT_THAT(RefusalOf(nested(101)),
              HasSubstr("/controls/0: controls are nested more than 100 levels deep"));
}

struct Refusal {
  std::string description;
  std::string message;
};

TEST(ProjectLoaderTest, MalformedDescriptionsNameTheFault) {
  const std::string control_path = "t.json: /activeProject/components/0/designer/controls/0";
  auto with_control = [](const std::string& fields) {
    return FormDescription(R"("controls": [{"typeName": "Label", "Name": "lbl", )" + fields + "}]");
  };
  const Refusal refusals[] = {
      {"[]", "t.json: (top level): expected an object, found an array"},
      {R"({"activeProjects": null})", "t.json: /activeProjects: unknown field"},
      {with_control(R"("Left": [1])"), control_path + "/Left: expected a value, found an array"},
      {with_control(R"("left": 1)"),
       control_path + "/left: unknown field (did you mean \"Left\"?)"},
      {with_control(R"("Caption": "OK")"),
       control_path +
           "/Caption: unknown field; a control's other properties go under \"properties\""},
      {with_control(R"("TabIndex": {"Integer": 40000})"),
       control_path + "/TabIndex/Integer: 40000 is out of range for an Integer (-32768 to 32767)"},
      {with_control(R"("Tag": {"Intger": 1})"),
       control_path +
           "/Tag/Intger: unknown value type; the types are Integer, Long, Single, Double, "
           "Currency, Boolean, String and Empty"},
      {with_control(R"("Tag": {"Currency": "8.12345"})"),
       control_path +
           "/Tag/Currency: \"8.12345\" is not a decimal number with at most four decimals"},
      {with_control(R"("Tag": {"Currency": "922337203685477.5808"})"),
       control_path + "/Tag/Currency: \"922337203685477.5808\" is out of range for a Currency"},
      {with_control(R"("Tag": 1, "Tag": 2)"), control_path + "/Tag: the field appears twice"},
      {with_control(R"("properties": {"Caption": 1, "caption": 2})"),
       control_path +
           "/properties/caption: names are matched ignoring case, and another property has this "
           "name"},
      {FormDescription(R"("controls": [{"Name": "x"}])"),
       control_path + ": a control needs a \"typeName\""},
      {FormDescription(R"("controls": [{"typeName": "MultiPage", "Name": "mpg", "controls": [
           {"typeName": "Label", "Name": "lbl"}]}])"),
       control_path + "/controls/0/typeName: a MultiPage holds only controls of the type \"Page\""},
      {FormDescription(R"("Font": null)"),
       "t.json: /activeProject/components/0/designer/Font: expected a font object or a failure, "
       "found null"},
      {R"({"activeProject": {"components": [{"name": "frmA", "type": 3}, {"name": "frmA", "type": 1}]}})",
       "t.json: /activeProject/components/1/name: another component is named \"frmA\""},
      {R"({"activeProject": {"components": []}, "selectedComponent": "frmX"})",
       "t.json: /selectedComponent: the active project has no component named \"frmX\""},
      {R"({"selectedComponent": "frmX"})",
       "t.json: /selectedComponent: there is no active project to select from"},
  };
  for (const Refusal& refusal : refusals) {
    EXPECT_EQ(RefusalOf(refusal.description), refusal.message) << refusal.description;
  }
  EXPECT_THAT(RefusalOf(R"({"activeProject": })"),
              StartsWith("t.json: invalid JSON at byte 19: syntax error while parsing value"));
  EXPECT_EQ(RefusalOf("[1e400]"),
            "t.json: invalid JSON at byte 6: number overflow parsing '1e400'");
}

TEST(ProjectLoaderTest, ComponentNamesMustBeIdentifiers) {
  auto named = [](const std::string& name) {
    return RefusalOf(R"({"activeProject": {"components": [{"name": )" +
                     nlohmann::json(name).dump() + R"(, "type": 1}]}})");
  };
  for (const std::string& name :
       std::vector<std::string>{"Module1", "frm_Ä", "Форма", std::string(31, 'a')}) {
    EXPECT_EQ(named(name), "(loaded)") << name;
  }
  // Names become file names: nothing that could leave the output folder gets through.
  for (const std::string& name :
       std::vector<std::string>{"", "../frm", "a/b", "a\\b", "a.b", "1frm", "_frm", "a b",
                                "frm\x07", "frm\xC2\x85", std::string(32, 'a')}) {
    EXPECT_THAT(named(name), StartsWith("t.json: /activeProject/components/0/name: ")) << name;
  }
  EXPECT_EQ(named("frm\x1B[2J"),
            "t.json: /activeProject/components/0/name: \"frm\\u001B[2J\" is not a valid name: a "
            "component name may hold only letters, digits and \"_\"");
  // Uniqueness is exact: names differing in case are two components.
  EXPECT_EQ(RefusalOf(R"({"activeProject": {"components": [{"name": "frmA", "type": 3},
      {"name": "FRMA", "type": 3}]}})"),
            "(loaded)");
}

TEST(ProjectLoaderTest, HostileInputIsRefusedWithoutCrashing) {
  std::string deep_objects;
  for (int i = 0; i < 50000; ++i) deep_objects += "{\"a\": ";
  EXPECT_THAT(RefusalOf(deep_objects), HasSubstr(": nested more than 256 levels deep"));
  // The default limits hold: bytes, JSON depth, and (given smaller limits) the controls.
  EXPECT_EQ(RefusalOf(std::string((size_t{64} << 20) + 1, ' ')),
            "t.json: larger than 64 MiB, the most a description may hold");
  const std::string three = FormDescription(R"("controls": [{"typeName": "Label", "Name": "a"},
      {"typeName": "Frame", "Name": "b", "controls": [{"typeName": "Label", "Name": "c"}]}])");
  DescriptionLimits limits;
  limits.max_controls = 2;
  EXPECT_EQ(RefusalOf([&] { LoadProjectDescription(three, "t.json", limits); }),
            "t.json: /activeProject/components/0/designer/controls/1/controls/0: the description "
            "holds more than 2 controls");
  limits.max_controls = 3;
  EXPECT_EQ(FormOf(LoadProjectDescription(three, "t.json", limits))->Controls().size(), 3u);
  EXPECT_THAT(RefusalOf("{\"\xFF\": 1}"), StartsWith("t.json: invalid JSON at byte 3: "));
  EXPECT_THAT(RefusalOf("{\"\xFF\": 1}"), HasSubstr("\\xFF"));
  // Keys from the input are escaped in the path, both as a JSON pointer and for the terminal.
  EXPECT_EQ(RefusalOf(R"({"a/b~\u001b": 1})"), "t.json: /a~1b~0\\u001B: unknown field");
}

TEST(ProjectLoaderTest, LoadsFilesAndNamesUnreadableOnes) {
  EXPECT_THAT(RefusalOf(""), StartsWith("t.json: invalid JSON at byte 1: "));
  EXPECT_EQ(RefusalOf([] { LoadProjectDescriptionFile("/nonexistent/p.json"); }),
            "/nonexistent/p.json: cannot read: No such file or directory");
  EXPECT_EQ(RefusalOf([] { LoadProjectDescriptionFile("/"); }), "/: cannot read: Is a directory");
  // The bundled examples load, and faults in a file are reported under its path.
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(TOVALIN_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".json") continue;
    ++examples;
    LoadedDescription loaded = LoadProjectDescriptionFile(entry.path().string());
    EXPECT_NE(loaded.vbe->ActiveVBProject(), nullptr) << entry.path();
  }
  EXPECT_GE(examples, 2);
  TempFolder folder;
  const auto bad = folder.path() / "bad.json";
  WriteFileBytes(bad, R"({"activeProject": {"codePage": "1252"}})");
  EXPECT_EQ(
      RefusalOf([&] { LoadProjectDescriptionFile(bad.string()); }),
      bad.string() + ": /activeProject/codePage: expected a code page number, found a string");
}

TEST(ProjectLoaderTest, TheDocumentedExamplesLoad) {
  const std::string doc =
      ReadFileBytes(std::filesystem::path(TOVALIN_SOURCE_DIR) / "docs" / "project-description.md");
  int blocks = 0;
  for (size_t at = doc.find("```json\n"); at != std::string::npos; at = doc.find("```json\n", at)) {
    at += 8;
    const size_t end = doc.find("```", at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(RefusalOf(doc.substr(at, end - at)), "(loaded)") << doc.substr(at, end - at);
    ++blocks;
  }
  EXPECT_GE(blocks, 4);
}

}  // namespace
}  // namespace tovalin::testing
