// Reads the fake editor through IDispatch as a late-bound client does: names looked up with
// GetIDsOfNames, values by Invoke, objects compared by pointer, failures read from EXCEPINFO.
#include "fake_editor/fake_editor.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "fake_editor/com_object.h"
#include "fake_editor/com_ptr.h"
#include "fake_editor/owned_variant.h"
#include "host/memory/project_loader.h"
#include "host/win32/editor_interfaces.h"

namespace tovalin::fake {
namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

struct Outcome {
  HRESULT result = E_FAIL;
  OwnedVariant value;
  HRESULT scode = S_OK;
  std::wstring description;
  UINT argument_error = ~0u;

  VARTYPE type() const { return value.get().vt; }
  ComPtr<IDispatch> object() const {
    return type() == VT_DISPATCH ? ComPtr<IDispatch>(value.get().pdispVal) : ComPtr<IDispatch>();
  }
  std::wstring text() const {
    return type() == VT_BSTR ? std::wstring(value.get().bstrVal, SysStringLen(value.get().bstrVal))
                             : L"<not a string>";
  }
};

VARIANT Long(LONG value) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}
VARIANT Text(const wchar_t* value) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(value);
  return v;
}
VARIANT Bool(bool value) {
  VARIANT v;
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}
VARIANT Missing() {
  VARIANT v;
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}
VARIANT Object(IDispatch* object) {
  VARIANT v;
  v.vt = VT_DISPATCH;
  v.pdispVal = object;  // borrowed: the caller keeps its reference
  if (object != nullptr) object->AddRef();
  return v;
}

// Invokes `id` with `args` in the order of the parameters (or named by `named`, one number per
// argument) and takes ownership of them.
Outcome InvokeId(IDispatch* target, DISPID id, WORD flags, std::vector<VARIANT> args,
                 std::vector<DISPID> named = {}) {
  Outcome outcome;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  std::vector<DISPID> named_reversed(named.rbegin(), named.rend());
  DISPPARAMS params{reversed.data(), named_reversed.data(), static_cast<UINT>(reversed.size()),
                    static_cast<UINT>(named_reversed.size())};
  EXCEPINFO exception{};
  outcome.result = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                  outcome.value.put(), &exception, &outcome.argument_error);
  outcome.scode = exception.scode;
  if (exception.bstrDescription != nullptr) outcome.description = exception.bstrDescription;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  for (VARIANT& arg : args) VariantClear(&arg);
  return outcome;
}

DISPID IdOf(IDispatch* target, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  EXPECT_EQ(target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
  return id;
}

Outcome Invoke(IDispatch* target, const wchar_t* name, WORD flags, std::vector<VARIANT> args = {}) {
  return InvokeId(target, IdOf(target, name), flags, std::move(args));
}
Outcome Get(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {}) {
  return Invoke(target, name, kGet, std::move(args));
}
ComPtr<IDispatch> GetObject(IDispatch* target, const wchar_t* name,
                            std::vector<VARIANT> args = {}) {
  Outcome outcome = Get(target, name, std::move(args));
  EXPECT_EQ(outcome.result, S_OK) << name;
  EXPECT_EQ(outcome.type(), VT_DISPATCH) << name;
  return outcome.object();
}

std::wstring TypeNameOf(IDispatch* object) {
  ComPtr<ITypeInfo> info;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()))) return L"<no type info>";
  BSTR name = nullptr;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) {
    return L"<no name>";
  }
  std::wstring text(name, SysStringLen(name));
  SysFreeString(name);
  return text;
}

std::vector<ComPtr<IDispatch>> ForEach(IDispatch* collection) {
  Outcome enumerator = InvokeId(collection, DISPID_NEWENUM, kGet, {});
  EXPECT_EQ(enumerator.result, S_OK);
  EXPECT_EQ(enumerator.type(), VT_UNKNOWN);
  ComPtr<IEnumVARIANT> items;
  EXPECT_EQ(enumerator.value.get().punkVal->QueryInterface(IID_IEnumVARIANT,
                                                           reinterpret_cast<void**>(items.put())),
            S_OK);
  std::vector<ComPtr<IDispatch>> out;
  OwnedVariant item;
  while (items->Next(1, item.put(), nullptr) == S_OK) {
    EXPECT_EQ(item.get().vt, VT_DISPATCH);
    out.emplace_back(item.get().pdispVal);
  }
  return out;
}

constexpr const char* kDescription = R"({
  "activeProject": {
    "name": "Projekt",
    "references": [{"name": "stdole", "isBroken": false}, {"name": "Lost", "isBroken": true}],
    "components": [
      {"name": "modMain", "type": 1, "code": "Option Explicit\r\nSub Main()\r\nEnd Sub"},
      {"name": "frmMain", "type": 3,
       "properties": {"Caption": "Fenêtre 日本 😀", "Broken": {"error": 440, "description": "Automation error"}},
       "designer": {
         "BackColor": -2147483633, "InsideWidth": {"Single": 123.456}, "InsideHeight": "abc",
         "Font": {"Name": "Segoe UI", "Size": {"Currency": "9.75"}},
         "controls": [
           {"typeName": "Frame", "Name": "fraBox", "Left": {"Single": 0.1}, "controls": [
             {"typeName": "CommandButton", "Name": "cmdOk", "TabIndex": {"Integer": 3},
              "Visible": false, "properties": {"Caption": "OK", "Accelerator": null}}]},
           {"typeName": "ScrollBar", "Name": "scrSize", "Top": "abc", "HelpContextID": 7,
            "properties": {"Orientation": "1"}},
           {"typeName": "Label", "Name": "lblLost", "Parent": {"error": 91},
            "Tag": {"error": 70000, "description": "Big"}}
         ]}}]},
  "selectedComponent": null
})";

class FakeEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    live_before_ = LiveObjectCount();
    LoadedDescription loaded = LoadProjectDescription(kDescription, "test.json");
    vbe_ = std::dynamic_pointer_cast<MemoryVbe>(loaded.vbe);
    ASSERT_NE(vbe_, nullptr);
    editor_ = ComPtr<IDispatch>::Adopt(NewFakeEditor(vbe_));
  }
  void TearDown() override {
    editor_.reset();
    // Everything a test was handed is released by then, so nothing of the editor is left.
    EXPECT_EQ(LiveObjectCount(), live_before_);
  }

  ComPtr<IDispatch> Form() {
    ComPtr<IDispatch> project = GetObject(editor_.get(), L"ActiveVBProject");
    ComPtr<IDispatch> components = GetObject(project.get(), L"VBComponents");
    ComPtr<IDispatch> component = GetObject(components.get(), L"Item", {Text(L"FRMMAIN")});
    return GetObject(component.get(), L"Designer");
  }
  ComPtr<IDispatch> ControlNamed(const wchar_t* name) {
    ComPtr<IDispatch> controls = GetObject(Form().get(), L"Controls");
    return GetObject(controls.get(), L"Item", {Text(name)});
  }

  long live_before_ = 0;
  std::shared_ptr<MemoryVbe> vbe_;
  ComPtr<IDispatch> editor_;
};

TEST_F(FakeEditorTest, ServesTheProjectItsComponentsCodeAndReferences) {
  ComPtr<IDispatch> project = GetObject(editor_.get(), L"activevbproject");
  EXPECT_EQ(Get(project.get(), L"Name").text(), L"Projekt");
  EXPECT_EQ(TypeNameOf(project.get()), L"VBProject");

  Outcome selected = Get(editor_.get(), L"SelectedVBComponent");
  EXPECT_EQ(selected.type(), VT_DISPATCH);
  EXPECT_EQ(selected.value.get().pdispVal, nullptr);

  ComPtr<IDispatch> components = GetObject(project.get(), L"VBComponents");
  EXPECT_EQ(Get(components.get(), L"Count").value.get().lVal, 2);
  const std::vector<ComPtr<IDispatch>> each = ForEach(components.get());
  ASSERT_EQ(each.size(), 2u);
  EXPECT_EQ(Get(each[0].get(), L"Name").text(), L"modMain");
  Outcome type = Get(each[1].get(), L"Type");
  EXPECT_EQ(type.type(), VT_I4);
  EXPECT_EQ(type.value.get().lVal, 3);
  // Item by index and the default member give the same objects as For Each.
  EXPECT_EQ(GetObject(components.get(), L"Item", {Long(2)}).get(), each[1].get());
  EXPECT_EQ(InvokeId(components.get(), DISPID_VALUE, kGet, {Long(1)}).object().get(),
            each[0].get());
  EXPECT_EQ(Get(components.get(), L"Item", {Long(3)}).scode, ScodeOfErrorNumber(9));

  ComPtr<IDispatch> code = GetObject(each[0].get(), L"CodeModule");
  EXPECT_EQ(Get(code.get(), L"CountOfLines").value.get().lVal, 3);
  EXPECT_EQ(Get(code.get(), L"Lines", {Long(2), Long(2)}).text(), L"Sub Main()\r\nEnd Sub");
  EXPECT_EQ(Get(code.get(), L"Lines", {Long(3), Long(2)}).scode, ScodeOfErrorNumber(9));

  ComPtr<IDispatch> properties = GetObject(each[1].get(), L"Properties");
  ComPtr<IDispatch> caption = GetObject(properties.get(), L"Item", {Text(L"caption")});
  EXPECT_EQ(Get(caption.get(), L"Value").text(), L"Fen\u00eatre \u65e5\u672c \U0001F600");

  ComPtr<IDispatch> references = GetObject(project.get(), L"References");
  const std::vector<ComPtr<IDispatch>> refs = ForEach(references.get());
  ASSERT_EQ(refs.size(), 2u);
  EXPECT_EQ(Get(refs[0].get(), L"Name").text(), L"stdole");
  Outcome broken = Get(refs[1].get(), L"IsBroken");
  EXPECT_EQ(broken.type(), VT_BOOL);
  EXPECT_EQ(broken.value.get().boolVal, VARIANT_TRUE);
}

TEST_F(FakeEditorTest, ServesFormValuesWithTheirTypesAndExactly) {
  ComPtr<IDispatch> form = Form();
  EXPECT_EQ(TypeNameOf(form.get()), L"UserForm");
  Outcome back = Get(form.get(), L"BackColor");
  EXPECT_EQ(back.type(), VT_I4);
  EXPECT_EQ(back.value.get().lVal, -2147483633);
  Outcome width = Get(form.get(), L"InsideWidth");
  EXPECT_EQ(width.type(), VT_R4);
  EXPECT_EQ(width.value.get().fltVal, 123.456f);

  ComPtr<IDispatch> font = GetObject(form.get(), L"Font");
  EXPECT_EQ(IdOf(font.get(), L"Size"), 2);
  Outcome size = InvokeId(font.get(), 2, kGet, {});
  EXPECT_EQ(size.type(), VT_CY);
  EXPECT_EQ(size.value.get().cyVal.int64, 97500);
  EXPECT_EQ(InvokeId(font.get(), DISPID_VALUE, kGet, {}).text(), L"Segoe UI");
  Outcome weight = InvokeId(font.get(), 7, kGet, {});
  EXPECT_EQ(weight.type(), VT_I2);
  EXPECT_EQ(weight.value.get().iVal, 400);
  EXPECT_EQ(InvokeId(font.get(), 1, kGet, {}).scode, ScodeOfErrorNumber(438));

  ComPtr<IDispatch> button = ControlNamed(L"cmdok");
  EXPECT_EQ(TypeNameOf(button.get()), L"CommandButton");
  Outcome tab_index = Get(button.get(), L"TabIndex");
  EXPECT_EQ(tab_index.type(), VT_I2);
  EXPECT_EQ(tab_index.value.get().iVal, 3);
  Outcome visible = Get(button.get(), L"Visible");
  EXPECT_EQ(visible.type(), VT_BOOL);
  EXPECT_EQ(visible.value.get().boolVal, VARIANT_FALSE);
  EXPECT_EQ(Get(ControlNamed(L"fraBox").get(), L"Left").value.get().fltVal, 0.1f);
  EXPECT_EQ(Get(ControlNamed(L"scrSize").get(), L"HelpContextID").value.get().lVal, 7);

  // Other names are read late-bound and come back as stored.
  EXPECT_EQ(Get(button.get(), L"Accelerator").type(), VT_NULL);
  Outcome orientation = Get(ControlNamed(L"scrSize").get(), L"Orientation");
  EXPECT_EQ(orientation.type(), VT_BSTR);
  EXPECT_EQ(orientation.text(), L"1");
  ComPtr<IDispatch> own = GetObject(button.get(), L"Object");
  EXPECT_EQ(TypeNameOf(own.get()), L"CommandButton");
  EXPECT_EQ(Get(own.get(), L"Caption").text(), L"OK");
}

TEST_F(FakeEditorTest, GivesOneObjectPerModelObject) {
  ComPtr<IDispatch> form = Form();
  EXPECT_EQ(Form().get(), form.get());
  ComPtr<IDispatch> frame = ControlNamed(L"fraBox");
  ComPtr<IDispatch> button = ControlNamed(L"cmdOk");
  EXPECT_EQ(GetObject(frame.get(), L"Parent").get(), form.get());
  ComPtr<IDispatch> parent = GetObject(button.get(), L"Parent");
  EXPECT_EQ(parent.get(), frame.get());
  EXPECT_EQ(GetObject(parent.get(), L"Object").get(), GetObject(frame.get(), L"Object").get());
  EXPECT_NE(GetObject(frame.get(), L"Object").get(), frame.get());

  // The form lists nested controls; the Frame its own; other controls have no collection.
  EXPECT_EQ(ForEach(GetObject(form.get(), L"Controls").get()).size(), 4u);
  const std::vector<ComPtr<IDispatch>> inside = ForEach(GetObject(frame.get(), L"Controls").get());
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(inside[0].get(), button.get());
  EXPECT_EQ(Get(button.get(), L"Controls").scode, ScodeOfErrorNumber(438));
}

TEST_F(FakeEditorTest, RaisesFailuresAsTheEditorDoes) {
  ComPtr<IDispatch> form = Form();
  Outcome mismatch = Get(form.get(), L"InsideHeight");
  EXPECT_EQ(mismatch.result, DISP_E_EXCEPTION);
  EXPECT_EQ(mismatch.scode, static_cast<HRESULT>(0x800A000D));
  EXPECT_EQ(mismatch.description, L"Type mismatch");

  ComPtr<IDispatch> lost = ControlNamed(L"lblLost");
  EXPECT_EQ(Get(lost.get(), L"Parent").scode, ScodeOfErrorNumber(91));
  Outcome big = Get(lost.get(), L"Tag");
  EXPECT_EQ(big.scode, static_cast<HRESULT>(70000));
  EXPECT_EQ(big.description, L"Big");
  EXPECT_EQ(Get(ControlNamed(L"scrSize").get(), L"Top").scode, ScodeOfErrorNumber(13));
  EXPECT_EQ(Get(lost.get(), L"NoSuchThing").scode, ScodeOfErrorNumber(438));

  ComPtr<IDispatch> project = GetObject(editor_.get(), L"ActiveVBProject");
  ComPtr<IDispatch> component =
      GetObject(GetObject(project.get(), L"VBComponents").get(), L"Item", {Text(L"frmMain")});
  ComPtr<IDispatch> properties = GetObject(component.get(), L"Properties");
  Outcome injected = Get(GetObject(properties.get(), L"Item", {Text(L"Broken")}).get(), L"Value");
  EXPECT_EQ(injected.scode, static_cast<HRESULT>(0x800A01B8));
  EXPECT_EQ(injected.description, L"Automation error");

  // Objects of the editor itself know only their members.
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Designer")};
  EXPECT_EQ(project->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(InvokeId(project.get(), 4242, kGet, {}).result, DISP_E_MEMBERNOTFOUND);
}

TEST_F(FakeEditorTest, ChecksArguments) {
  ComPtr<IDispatch> project = GetObject(editor_.get(), L"ActiveVBProject");
  ComPtr<IDispatch> module =
      GetObject(GetObject(project.get(), L"VBComponents").get(), L"Item", {Long(1)});
  ComPtr<IDispatch> code = GetObject(module.get(), L"CodeModule");
  EXPECT_EQ(Get(code.get(), L"Lines", {Long(1), Long(1), Long(1)}).result, DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Get(code.get(), L"Lines", {Long(1)}).result, DISP_E_PARAMNOTFOUND);
  Outcome mismatch = Get(code.get(), L"Lines", {Text(L"one"), Long(1)});
  EXPECT_EQ(mismatch.result, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(mismatch.argument_error, 1u);  // rgvarg[1]: the first of two
  // Text that is a number converts, as for any Long parameter.
  EXPECT_EQ(Get(code.get(), L"Lines", {Text(L"1"), Long(1)}).text(), L"Option Explicit");
  // Named arguments in any order: Lines(Count:=1, StartLine:=3).
  EXPECT_EQ(
      InvokeId(code.get(), IdOf(code.get(), L"Lines"), kGet, {Long(1), Long(3)}, {1, 0}).text(),
      L"End Sub");

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Lines"), const_cast<LPOLESTR>(L"count"),
                      const_cast<LPOLESTR>(L"Nope")};
  DISPID ids[3] = {};
  EXPECT_EQ(code->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[1], 1);
  EXPECT_EQ(ids[2], DISPID_UNKNOWN);
  EXPECT_EQ(code->Invoke(IdOf(code.get(), L"CountOfLines"), IID_NULL, 0, kGet, nullptr, nullptr,
                         nullptr, nullptr),
            S_OK);
  DISPPARAMS broken{nullptr, nullptr, 2, 0};
  EXPECT_EQ(code->Invoke(1, IID_NULL, 0, kGet, &broken, nullptr, nullptr, nullptr), E_INVALIDARG);
}

TEST_F(FakeEditorTest, EnumeratesAsForEachExpects) {
  ComPtr<IDispatch> controls = GetObject(Form().get(), L"Controls");
  Outcome result = InvokeId(controls.get(), DISPID_NEWENUM, kGet, {});
  ComPtr<IEnumVARIANT> items;
  ASSERT_EQ(result.value.get().punkVal->QueryInterface(IID_IEnumVARIANT,
                                                       reinterpret_cast<void**>(items.put())),
            S_OK);
  VARIANT batch[3];
  ULONG fetched = 0;
  ASSERT_EQ(items->Next(3, batch, &fetched), S_OK);
  EXPECT_EQ(fetched, 3u);
  EXPECT_EQ(Get(batch[0].pdispVal, L"Name").text(), L"fraBox");
  for (VARIANT& item : batch) VariantClear(&item);

  ComPtr<IEnumVARIANT> copy;
  ASSERT_EQ(items->Clone(copy.put()), S_OK);
  EXPECT_EQ(items->Next(3, batch, &fetched), S_FALSE);  // one left of four
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(Get(batch[0].pdispVal, L"Name").text(), L"lblLost");
  VariantClear(&batch[0]);
  EXPECT_EQ(items->Next(1, batch, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  // The copy goes on where the original was; Skip and Reset move it.
  EXPECT_EQ(copy->Skip(5), S_FALSE);
  ASSERT_EQ(copy->Reset(), S_OK);
  EXPECT_EQ(copy->Skip(1), S_OK);
  ASSERT_EQ(copy->Next(1, batch, nullptr), S_OK);
  EXPECT_EQ(Get(batch[0].pdispVal, L"Name").text(), L"cmdOk");
  VariantClear(&batch[0]);
}

TEST_F(FakeEditorTest, CarriesTextExactly) {
  LoadedDescription loaded = LoadProjectDescription(
      R"({"activeProject": {"components": [{"name": "modA", "type": 1,
          "code": "a\u0000b \u00e9\ud83d\ude00"}]}})",
      "text.json");
  auto editor =
      ComPtr<IDispatch>::Adopt(NewFakeEditor(std::dynamic_pointer_cast<MemoryVbe>(loaded.vbe)));
  ComPtr<IDispatch> project = GetObject(editor.get(), L"ActiveVBProject");
  ComPtr<IDispatch> module =
      GetObject(GetObject(project.get(), L"VBComponents").get(), L"Item", {Long(1)});
  Outcome line = Get(GetObject(module.get(), L"CodeModule").get(), L"Lines", {Long(1), Long(1)});
  // The NUL is kept, and the character beyond the BMP is one surrogate pair.
  EXPECT_EQ(line.text(), std::wstring(L"a\0b \u00e9\xD83D\xDE00", 7));

  ComPtr<IDispatch> button = GetObject(
      GetObject(
          GetObject(GetObject(editor_.get(), L"CommandBars").get(), L"Item", {Text(L"Add-Ins")})
              .get(),
          L"Controls")
          .get(),
      L"Add", {Long(1)});
  const wchar_t caption[] = L"\U0001F600\u65e5";
  EXPECT_EQ(Invoke(button.get(), L"Caption", DISPATCH_PROPERTYPUT, {Text(caption)}).result, S_OK);
  EXPECT_EQ(vbe_->command_bars()->Find("Add-Ins")->controls().back()->caption(),
            "\xF0\x9F\x98\x80\xE6\x97\xA5");
}

TEST_F(FakeEditorTest, RefusesMalformedCalls) {
  ComPtr<IDispatch> project = GetObject(editor_.get(), L"ActiveVBProject");
  const DISPID name = IdOf(project.get(), L"Name");
  EXPECT_EQ(project->Invoke(name, IID_IDispatch, 0, kGet, nullptr, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(
      project->Invoke(name, IID_NULL, 0, DISPATCH_PROPERTYPUT, nullptr, nullptr, nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(project->Invoke(name, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  DISPID id = 0;
  EXPECT_EQ(project->GetIDsOfNames(IID_NULL, nullptr, 1, 0, &id), E_POINTER);
  LPOLESTR missing[] = {nullptr};
  EXPECT_EQ(project->GetIDsOfNames(IID_NULL, missing, 1, 0, &id), DISP_E_UNKNOWNNAME);
  const std::wstring overlong(5000, L'a');
  LPOLESTR long_name[] = {const_cast<LPOLESTR>(overlong.c_str())};
  ComPtr<IDispatch> button = ControlNamed(L"cmdOk");
  EXPECT_EQ(button->GetIDsOfNames(IID_NULL, long_name, 1, 0, &id), DISP_E_UNKNOWNNAME);

  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(project->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
  EXPECT_EQ(info, nullptr);
  EXPECT_EQ(project->QueryInterface(IID_IDispatch, nullptr), E_POINTER);
  ComPtr<IConnectionPointContainer> container;
  EXPECT_EQ(project->QueryInterface(IID_IConnectionPointContainer,
                                    reinterpret_cast<void**>(container.put())),
            E_NOINTERFACE);
}

// A client's click sink: records each Click and sets `handled`.
class RecordingSink : public ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    ++clicks;
    if (id != win32::kDispidCommandBarClick || params->cArgs != 3) return DISP_E_MEMBERNOTFOUND;
    const VARIANT* args = params->rgvarg;
    if (args[2].vt != VT_DISPATCH || args[1].vt != (VT_BYREF | VT_BOOL) ||
        args[0].vt != (VT_BYREF | VT_BOOL)) {
      return DISP_E_TYPEMISMATCH;
    }
    control = args[2].pdispVal;
    *args[1].pboolVal = VARIANT_TRUE;
    return S_OK;
  }
  int clicks = 0;
  IDispatch* control = nullptr;

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IDispatch)) return static_cast<IDispatch*>(this);
    return ComObject::FindInterface(iid);
  }
};

TEST_F(FakeEditorTest, AddsACommandAndDeliversItsClicks) {
  ComPtr<IDispatch> bars = GetObject(editor_.get(), L"CommandBars");
  ComPtr<IDispatch> bar = InvokeId(bars.get(), DISPID_VALUE, kGet, {Text(L"add-ins")}).object();
  ASSERT_TRUE(bar);
  ComPtr<IDispatch> controls = GetObject(bar.get(), L"Controls");
  // Add(1, , , , True), the way a late-bound call with omitted arguments passes them.
  ComPtr<IDispatch> button =
      GetObject(controls.get(), L"Add", {Long(1), Missing(), Missing(), Missing(), Bool(true)});
  EXPECT_EQ(TypeNameOf(button.get()), L"CommandBarButton");
  // Add(Type:=1, Temporary:=True)
  ComPtr<IDispatch> second =
      InvokeId(controls.get(), IdOf(controls.get(), L"Add"), kGet, {Long(1), Bool(true)}, {0, 4})
          .object();
  ASSERT_TRUE(second);
  EXPECT_EQ(Get(controls.get(), L"Add", {Long(1), Missing(), Missing(), Long(1)}).scode,
            ScodeOfErrorNumber(5));

  EXPECT_EQ(
      Invoke(button.get(), L"Caption", DISPATCH_PROPERTYPUT, {Text(L"Export \u00e9...")}).result,
      S_OK);
  EXPECT_EQ(Get(button.get(), L"Caption").text(), L"Export \u00e9...");
  const std::shared_ptr<MemoryCommandBar> memory_bar = vbe_->command_bars()->Find("Add-Ins");
  ASSERT_EQ(memory_bar->controls().size(), 3u);
  const std::shared_ptr<MemoryCommandBarControl> added = memory_bar->controls()[1];
  EXPECT_TRUE(added->temporary());
  EXPECT_EQ(added->caption(), "Export \xC3\xA9...");

  ComPtr<IDispatch> events = GetObject(editor_.get(), L"Events");
  ComPtr<IDispatch> source = GetObject(events.get(), L"CommandBarEvents", {Object(button.get())});
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(source->QueryInterface(IID_IConnectionPointContainer,
                                   reinterpret_cast<void**>(container.put())),
            S_OK);
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.put()), CONNECT_E_NOCONNECTION);
  ASSERT_EQ(container->FindConnectionPoint(win32::kDiidCommandBarEvents, point.put()), S_OK);
  auto sink = ComPtr<RecordingSink>::Adopt(new RecordingSink);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(sink.get(), &cookie), S_OK);
  EXPECT_EQ(added->ConnectedSinks(), 1);

  bool handled = false;
  bool cancel = false;
  added->Click(handled, cancel);
  EXPECT_EQ(sink->clicks, 1);
  EXPECT_EQ(sink->control, button.get());
  EXPECT_TRUE(handled);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(LastClickResult(), S_OK);

  EXPECT_EQ(point->Unadvise(cookie + 1), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(added->ConnectedSinks(), 0);
  added->Click(handled, cancel);
  EXPECT_EQ(sink->clicks, 1);

  EXPECT_EQ(Invoke(button.get(), L"Delete", kGet).result, S_OK);
  EXPECT_EQ(memory_bar->controls().size(), 2u);
  EXPECT_EQ(Invoke(button.get(), L"Delete", kGet).scode, ScodeOfErrorNumber(5));
  // An object that is no control of this editor has no events.
  EXPECT_EQ(Get(events.get(), L"CommandBarEvents", {Object(bar.get())}).scode,
            ScodeOfErrorNumber(5));
}

TEST_F(FakeEditorTest, ReleasesTheSinksOfASourceThatGoes) {
  ComPtr<IDispatch> bars = GetObject(editor_.get(), L"CommandBars");
  ComPtr<IDispatch> controls =
      GetObject(GetObject(bars.get(), L"Item", {Text(L"Add-Ins")}).get(), L"Controls");
  ComPtr<IDispatch> button = GetObject(controls.get(), L"Add", {Long(1)});
  ComPtr<IDispatch> source = GetObject(GetObject(editor_.get(), L"Events").get(),
                                       L"CommandBarEvents", {Object(button.get())});
  ComPtr<IConnectionPointContainer> container;
  source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()));
  ComPtr<IConnectionPoint> point;
  container->FindConnectionPoint(win32::kDiidCommandBarEvents, point.put());
  auto sink = ComPtr<RecordingSink>::Adopt(new RecordingSink);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(sink.get(), &cookie), S_OK);
  const std::shared_ptr<MemoryCommandBarControl> added =
      vbe_->command_bars()->Find("Add-Ins")->controls().back();

  point.reset();
  container.reset();
  source.reset();
  EXPECT_EQ(added->ConnectedSinks(), 0);
  // The sink's only reference left is the test's own.
  EXPECT_EQ(sink->AddRef(), 2u);
  sink->Release();
}

}  // namespace
}  // namespace tovalin::fake
