#include "host/memory/memory_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "host/memory/description_test_util.h"

namespace tovalin::testing {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> NamesOf(const ControlList& controls) {
  std::vector<std::string> names;
  for (const auto& control : controls) names.push_back(control->Name());
  return names;
}

// lblA; fraB { chkC, fraD { txtE } }; mpgF { Page1 { cmdG, fraH { optI } }, Page2 { lstJ } };
// fraEmpty; cmdK
constexpr std::string_view kTree = R"("controls": [
  {"typeName": "Label", "Name": "lblA"},
  {"typeName": "Frame", "Name": "fraB", "properties": {"Caption": "B"}, "controls": [
    {"typeName": "CheckBox", "Name": "chkC"},
    {"typeName": "Frame", "Name": "fraD", "controls": [{"typeName": "TextBox", "Name": "txtE"}]}]},
  {"typeName": "MultiPage", "Name": "mpgF", "controls": [
    {"typeName": "Page", "Name": "Page1", "controls": [
      {"typeName": "CommandButton", "Name": "cmdG"},
      {"typeName": "Frame", "Name": "fraH", "controls": [
        {"typeName": "OptionButton", "Name": "optI"}]}]},
    {"typeName": "Page", "Name": "Page2", "controls": [{"typeName": "ListBox", "Name": "lstJ"}]}]},
  {"typeName": "Frame", "Name": "fraEmpty"},
  {"typeName": "CommandButton", "Name": "cmdK"}])";

class MemoryControlTreeTest : public ::testing::Test {
 protected:
  std::shared_ptr<Control> Find(const std::string& name) {
    for (const auto& control : form_->Controls()) {
      if (control->Name() == name) return control;
    }
    ADD_FAILURE() << "no control " << name;
    return nullptr;
  }

  LoadedDescription loaded_ = Load(FormDescription(kTree));
  std::shared_ptr<UserForm> form_ = FormOf(loaded_);
};

TEST_F(MemoryControlTreeTest, CollectionsListDescendantsInDocumentOrderWithoutPages) {
  EXPECT_THAT(NamesOf(form_->Controls()),
              ElementsAre("lblA", "fraB", "chkC", "fraD", "txtE", "mpgF", "cmdG", "fraH", "optI",
                          "lstJ", "fraEmpty", "cmdK"));
  EXPECT_THAT(NamesOf(Find("fraB")->Controls()), ElementsAre("chkC", "fraD", "txtE"));
  EXPECT_THAT(NamesOf(Find("fraD")->Controls()), ElementsAre("txtE"));
  EXPECT_TRUE(Find("fraEmpty")->Controls().empty());
  auto page1 = std::dynamic_pointer_cast<Control>(Find("cmdG")->Parent());
  ASSERT_NE(page1, nullptr);
  EXPECT_EQ(page1->TypeName(), "Page");
  EXPECT_THAT(NamesOf(page1->Controls()), ElementsAre("cmdG", "fraH", "optI"));
  EXPECT_EQ(ErrorOf([&] { Find("mpgF")->Controls(); }), 438);
  EXPECT_EQ(ErrorOf([&] { Find("cmdK")->Controls(); }), 438);
}

TEST_F(MemoryControlTreeTest, ParentsAreTheContainersAndObjectsKeepTheirIdentity) {
  EXPECT_EQ(Find("lblA")->Parent(), form_);
  EXPECT_EQ(TypeName(Find("lblA")->Parent()), "UserForm");
  EXPECT_EQ(Find("chkC")->Parent(), Find("fraB"));
  EXPECT_EQ(Find("txtE")->Parent(), Find("fraD"));
  auto page1 = std::dynamic_pointer_cast<Control>(Find("cmdG")->Parent());
  EXPECT_EQ(page1->Parent(), Find("mpgF"));
  EXPECT_EQ(Find("optI")->Parent(), Find("fraH"));

  // The belonging test of the tree walk: Parent.Object is the container's Object, every read.
  auto frame = Find("fraB");
  ObjectRef object = frame->Object();
  EXPECT_EQ(TypeName(object), "Frame");
  EXPECT_EQ(frame->Object(), object);
  EXPECT_EQ(GetProperty(Find("chkC")->Parent(), "object").object(), object);
  EXPECT_EQ(frame->Get("OBJECT").object(), object);
  EXPECT_NE(Find("fraD")->Object(), object);
  EXPECT_EQ(TypeName(page1->Object()), "Page");
  // The form itself has no Object to compare.
  EXPECT_EQ(ErrorOf([&] { GetProperty(Find("lblA")->Parent(), "Object"); }), 438);

  // The object answers the control's properties only; the control also its extenders.
  EXPECT_EQ(object->Get("caption").string(), "B");
  EXPECT_EQ(ErrorOf([&] { object->Get("Left"); }), 438);
  EXPECT_EQ(frame->Get("left").type(), VarType::kSingle);
  EXPECT_EQ(ErrorOf([&] { frame->Get("ForeColor"); }), 438);
}

TEST(MemoryControlTest, ExtendersDefaultAndConvertWhenRead) {
  LoadedDescription loaded = Load(FormDescription(R"("controls": [
    {"typeName": "Label", "Name": "lblPlain"},
    {"typeName": "Label", "Name": 12, "Left": "12.5", "Top": true, "TabIndex": 2.5,
     "Tag": 1.5, "HelpContextID": "&H10", "Visible": 0, "Cancel": "True", "Default": {"Long": 1}},
    {"typeName": "Label", "Name": null, "Left": "abc", "TabIndex": 40000, "Visible": null,
     "Width": 1e300, "HelpContextID": 3000000000, "TabStop": "maybe"}])"));
  auto controls = FormOf(loaded)->Controls();

  auto plain = controls[0];
  for (const char* name : {"Left", "Top", "Width", "Height"}) {
    EXPECT_EQ(plain->Get(name).single(), 0.0f) << name;
  }
  EXPECT_EQ(plain->TabIndex(), 0);
  EXPECT_TRUE(plain->TabStop());
  EXPECT_EQ(plain->Tag(), "");
  EXPECT_EQ(plain->ControlTipText(), "");
  EXPECT_EQ(plain->HelpContextID(), 0);
  EXPECT_TRUE(plain->Visible());
  EXPECT_FALSE(plain->Cancel());
  EXPECT_FALSE(plain->Default());
  EXPECT_EQ(plain->Get("TabStop").type(), VarType::kBoolean);
  EXPECT_EQ(plain->Get("tabindex").type(), VarType::kInteger);
  EXPECT_EQ(ErrorOf([&] { plain->Get("Caption"); }), 438);
  EXPECT_EQ(ErrorOf([&] { plain->Orientation(); }), 438);

  auto converted = controls[1];
  EXPECT_EQ(converted->Name(), "12");
  EXPECT_EQ(converted->Left(), 12.5f);
  EXPECT_EQ(converted->Top(), -1.0f);
  EXPECT_EQ(converted->TabIndex(), 2);  // half to even
  EXPECT_EQ(converted->Tag(), "1.5");
  EXPECT_EQ(converted->HelpContextID(), 16);
  EXPECT_FALSE(converted->Visible());
  EXPECT_TRUE(converted->Cancel());
  EXPECT_TRUE(converted->Default());

  auto failing = controls[2];
  EXPECT_EQ(ErrorOf([&] { failing->Name(); }), 94);
  EXPECT_EQ(ErrorOf([&] { failing->Left(); }), 13);
  EXPECT_EQ(ErrorOf([&] { failing->TabIndex(); }), 6);
  EXPECT_EQ(ErrorOf([&] { failing->Visible(); }), 94);
  EXPECT_EQ(ErrorOf([&] { failing->Width(); }), 6);
  EXPECT_EQ(ErrorOf([&] { failing->HelpContextID(); }), 6);
  EXPECT_EQ(ErrorOf([&] { failing->TabStop(); }), 13);
}

TEST(MemoryControlTest, ReplacedParentObjectAndOrientation) {
  LoadedDescription loaded = Load(FormDescription(R"("controls": [
    {"typeName": "ScrollBar", "Name": "hsb", "Parent": null, "Object": null,
     "properties": {"Orientation": 1}},
    {"typeName": "ScrollBar", "Name": "vsb", "Parent": 5, "Object": {"Empty": true},
     "properties": {"orientation": "x"}},
    {"typeName": "ScrollBar", "Name": "asb", "properties": {"Orientation": {"Integer": -1},
     "Left": "from the properties"}}])"));
  auto controls = FormOf(loaded)->Controls();
  EXPECT_EQ(controls[0]->Parent(), nullptr);
  EXPECT_EQ(controls[0]->Object(), nullptr);
  EXPECT_EQ(controls[0]->Get("Object").object(), nullptr);
  EXPECT_EQ(controls[0]->Orientation(), 1);
  EXPECT_EQ(ErrorOf([&] { controls[1]->Parent(); }), 13);
  EXPECT_EQ(ErrorOf([&] { controls[1]->Object(); }), 13);
  EXPECT_EQ(ErrorOf([&] { controls[1]->Orientation(); }), 13);
  EXPECT_EQ(controls[2]->Orientation(), -1);
  // A listed property wins over the extender of the same name in reads by name.
  EXPECT_EQ(controls[2]->Get("Left").string(), "from the properties");
  EXPECT_EQ(controls[2]->Left(), 0.0f);
}

TEST(MemoryCodeModuleTest, LinesAreNormalisedAndRangeChecked) {
  MemoryCodeModule mixed("a\r\nb\nc\rd");
  EXPECT_EQ(mixed.CountOfLines(), 4);
  EXPECT_EQ(mixed.Lines(1, 4), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(mixed.Lines(2, 2), "b\r\nc");
  EXPECT_EQ(mixed.Lines(4, 1), "d");
  EXPECT_EQ(mixed.Lines(3, 0), "");
  for (auto [start, count] :
       {std::pair{0, 1},
        {1, -1},
        {4, 2},
        {5, 1},
        {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()}}) {
    EXPECT_EQ(ErrorOf([&] { mixed.Lines(start, count); }), 9) << start << "," << count;
  }
  // A text ending in a line end has an empty last line, so the whole text comes back unchanged.
  MemoryCodeModule trailing("x\r\n\r\n");
  EXPECT_EQ(trailing.CountOfLines(), 3);
  EXPECT_EQ(trailing.Lines(1, 3), "x\r\n\r\n");
  EXPECT_EQ(MemoryCodeModule("\n").CountOfLines(), 2);
  EXPECT_EQ(MemoryCodeModule("").CountOfLines(), 0);
}

TEST(MemoryModelTest, BuiltDirectlyTheTreeRefusesMisplacedControls) {
  auto form = std::make_shared<MemoryUserForm>();
  auto frame = std::make_shared<MemoryControl>("Frame");
  auto inner = std::make_shared<MemoryControl>("Frame");
  auto label = std::make_shared<MemoryControl>("Label");
  form->AddControl(frame);
  frame->AddChild(inner);
  inner->AddChild(label);
  EXPECT_EQ(form->Controls().size(), 3u);
  EXPECT_EQ(label->Parent(), inner);
  EXPECT_THROW(form->AddControl(label), std::invalid_argument);  // already placed
  auto loose = std::make_shared<MemoryControl>("Frame");
  auto child = std::make_shared<MemoryControl>("Frame");
  loose->AddChild(child);
  EXPECT_THROW(child->AddChild(loose), std::invalid_argument);  // would be a cycle

  // Parents are weak: the tree is freed with its form, and a surviving control sees Nothing.
  std::weak_ptr<MemoryUserForm> watch = form;
  form.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(frame->Parent(), nullptr);
}

}  // namespace
}  // namespace tovalin::testing
