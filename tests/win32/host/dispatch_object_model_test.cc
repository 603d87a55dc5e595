#include "host/win32/dispatch_object_model.h"

#include <gtest/gtest.h>

#include "fake_dispatch.h"
#include "host/host_error.h"
#include "host/win32/dispatch_editor.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32::testing {
namespace {

UniqueVariant Long(int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return UniqueVariant::Attach(v);
}

UniqueVariant Single(float value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R4;
  v.fltVal = value;
  return UniqueVariant::Attach(v);
}

std::vector<UniqueVariant> Items(std::initializer_list<IDispatch*> objects) {
  std::vector<UniqueVariant> items;
  for (IDispatch* object : objects) items.push_back(ObjectVariant(object));
  return items;
}

// An editor with one project holding a module and a form; the form has a Frame with a button in
// it. Objects answer Parent and Object through their second IDispatch pointer, as real objects
// may hand out a different pointer for the same object.
class FakeEditor {
 public:
  FakeEditor() {
    font->OnDispId(2, [](const DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
      result->vt = VT_CY;
      result->cyVal.int64 = 82500;
      return S_OK;
    });
    form->Returns("BackColor", Long(-2147483633).get());
    form->Returns("InsideWidth", Single(240.0f).get());
    form->Returns("Font", ObjectVariant(font.get()).get());
    form->Returns("Controls", ObjectVariant(form_controls.get()).get());
    form_controls->SetItems(Items({frame.get(), button.get()}));

    frame->Returns("Name", TextVariant("Frame1").get());
    frame->Returns("Parent", ObjectVariant(form->tear_off()).get());
    frame->Returns("Object", ObjectVariant(frame->tear_off()).get());
    frame->Returns("Controls", ObjectVariant(frame_controls.get()).get());
    frame_controls->SetItems(Items({button.get()}));

    button->Returns("Name", TextVariant("OK").get());
    button->Returns("Left", TextVariant("12.5").get());
    button->Returns("Top", TextVariant("abc").get());
    button->Returns("Parent", ObjectVariant(frame->tear_off()).get());
    button->Returns("Object", ObjectVariant(button->tear_off()).get());

    caption->Returns("Value", TextVariant("Export").get());
    properties->On("Item", [this](const DISPPARAMS& params, VARIANT* result, EXCEPINFO*) {
      if (params.cArgs != 1 || params.rgvarg[0].vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
      if (BstrToUtf8(params.rgvarg[0].bstrVal) != "Caption") return E_INVALIDARG;
      result->vt = VT_DISPATCH;
      result->pdispVal = caption.get();
      caption->AddRef();
      return S_OK;
    });
    code->Returns("CountOfLines", Long(2).get());
    code->Returns("Lines", TextVariant("Sub A()\r\nEnd Sub").get());
    form_component->Returns("Name", TextVariant("frmMain").get());
    form_component->Returns("Type", Long(3).get());
    form_component->Returns("Designer", ObjectVariant(form.get()).get());
    form_component->Returns("Properties", ObjectVariant(properties.get()).get());
    form_component->Returns("CodeModule", ObjectVariant(code.get()).get());
    module->Returns("Name", TextVariant("Module1").get());
    module->Returns("Type", Long(1).get());
    module->Returns("Designer", ObjectVariant(nullptr).get());
    components->SetItems(Items({module.get(), form_component.get()}));
    project->Returns("VBComponents", ObjectVariant(components.get()).get());
    vbe->Returns("ActiveVBProject", ObjectVariant(project.get()).get());
    vbe->Returns("SelectedVBComponent", ObjectVariant(nullptr).get());
  }

  ComPtr<FakeDispatch> vbe = FakeDispatch::New("VBE");
  ComPtr<FakeDispatch> project = FakeDispatch::New("_VBProject");
  ComPtr<FakeDispatch> components = FakeDispatch::New();
  ComPtr<FakeDispatch> module = FakeDispatch::New();
  ComPtr<FakeDispatch> form_component = FakeDispatch::New();
  ComPtr<FakeDispatch> properties = FakeDispatch::New();
  ComPtr<FakeDispatch> caption = FakeDispatch::New();
  ComPtr<FakeDispatch> code = FakeDispatch::New();
  ComPtr<FakeDispatch> form = FakeDispatch::New("UserForm");
  ComPtr<FakeDispatch> font = FakeDispatch::New("Font");
  ComPtr<FakeDispatch> form_controls = FakeDispatch::New();
  ComPtr<FakeDispatch> frame = FakeDispatch::New("Frame");
  ComPtr<FakeDispatch> frame_controls = FakeDispatch::New();
  ComPtr<FakeDispatch> button = FakeDispatch::New("CommandButton");
};

TEST(DispatchObjectModelTest, ReadsTheProjectAndItsForm) {
  FakeEditor fake;
  const std::shared_ptr<Vbe> editor = WrapEditor(fake.vbe.get());
  EXPECT_EQ(DispatchOf(editor), static_cast<IDispatch*>(fake.vbe.get()));
  EXPECT_EQ(editor->SelectedVBComponent(), nullptr);
  const auto components = editor->ActiveVBProject()->VBComponents();
  ASSERT_EQ(components.size(), 2u);
  EXPECT_EQ(components[0]->Name(), "Module1");
  EXPECT_EQ(components[0]->Designer(), nullptr);
  const auto& component = components[1];
  EXPECT_EQ(component->Type(), kUserFormComponent);
  EXPECT_EQ(CStr(component->PropertyValue("Caption")), "Export");
  EXPECT_EQ(component->GetCodeModule()->CountOfLines(), 2);
  EXPECT_EQ(component->GetCodeModule()->Lines(1, 2), "Sub A()\r\nEnd Sub");
  const auto& lines_call = fake.code->calls().back();
  ASSERT_EQ(lines_call.args.size(), 2u);
  EXPECT_EQ(lines_call.args[1].get().lVal, 1);  // StartLine first, handed over last
  EXPECT_EQ(lines_call.args[0].get().lVal, 2);

  const std::shared_ptr<UserForm> form = component->Designer();
  EXPECT_EQ(form->TypeName(), "UserForm");
  EXPECT_EQ(form->BackColor(), -2147483633);
  EXPECT_EQ(form->InsideWidth(), 240.0f);
  EXPECT_EQ(form->GetFont()->GetByDispId(Font::kSize).currency().scaled, 82500);
  EXPECT_EQ(ThrownBy([&] { form->ForeColor(); }).number(), 438);
}

TEST(DispatchObjectModelTest, SameObjectIsTheSameWrapper) {
  FakeEditor fake;
  const std::shared_ptr<Vbe> editor = WrapEditor(fake.vbe.get());
  const auto component = editor->ActiveVBProject()->VBComponents()[1];
  const std::shared_ptr<UserForm> form = component->Designer();
  EXPECT_EQ(component->Designer(), form);

  const ControlList controls = form->Controls();
  ASSERT_EQ(controls.size(), 2u);
  const std::shared_ptr<Control>& frame = controls[0];
  const std::shared_ptr<Control>& button = controls[1];
  EXPECT_EQ(TypeName(frame), "Frame");
  // The frame's Parent comes through another pointer of the form: it is the form's wrapper.
  EXPECT_EQ(frame->Parent(), std::static_pointer_cast<HostObject>(form));
  EXPECT_EQ(TypeName(frame->Parent()), "UserForm");
  // The walk's belonging test: the button's Parent.Object is the Frame's Object.
  const ControlList inside = frame->Controls();
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(inside[0], button);
  EXPECT_EQ(CObj(GetProperty(button->Parent(), "Object")), CObj(GetProperty(frame, "Object")));
}

TEST(DispatchObjectModelTest, TypedReadsConvertAsTheRuntimeDoes) {
  FakeEditor fake;
  auto objects = EditorObjects::Create();
  const std::shared_ptr<UserForm> form =
      WrapComponent(objects, fake.form_component.get())->Designer();
  const std::shared_ptr<Control> button = form->Controls()[1];
  EXPECT_EQ(button->Name(), "OK");
  EXPECT_EQ(button->Left(), 12.5f);
  EXPECT_EQ(ThrownBy([&] { button->Top(); }).number(), 13);
  EXPECT_EQ(ThrownBy([&] { button->Orientation(); }).number(), 438);
  EXPECT_EQ(ThrownBy([&] { button->Controls(); }).number(), 438);
  EXPECT_EQ(ThrownBy([&] { button->Get("NoSuchProperty"); }).number(), 438);
  EXPECT_EQ(CStr(button->Get("name")), "OK");
}

TEST(DispatchObjectModelTest, IdentityMapKeepsNothingAlive) {
  auto objects = EditorObjects::Create();
  auto fake = FakeDispatch::New("Label");
  const ULONG before = fake->references();
  ObjectRef first = objects->Wrap(fake.get());
  EXPECT_EQ(objects->Wrap(fake->tear_off()), first);
  EXPECT_GT(fake->references(), before);
  first.reset();
  EXPECT_EQ(fake->references(), before);

  // Entries of objects no longer wrapped are swept as the map grows.
  for (int i = 0; i < 1000; ++i) {
    auto transient = FakeDispatch::New();
    objects->Wrap(transient.get());
  }
  EXPECT_LT(objects->size(), 200u);
}

}  // namespace
}  // namespace tovalin::win32::testing
