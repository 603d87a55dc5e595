// The module as an in-process COM server, loaded directly (no registration): its class object,
// the unload test, the add-in object's interfaces and its three properties through IDispatch.
#include <windows.h>

#include <gtest/gtest.h>
#include <ocidl.h>
#include <oleauto.h>

#include <memory>

#include "add_in_identity.h"
#include "fake_editor/fake_editor.h"
#include "harness_support.h"
#include "host/fake_dispatch.h"
#include "host/memory/memory_model.h"
#include "host/win32/bstr.h"
#include "host/win32/com_ptr.h"
#include "host/win32/editor_interfaces.h"

namespace tovalin::win32::testing {
namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

// The error the runtime raises when an object sources no events, as an HRESULT.
constexpr HRESULT kNoEventsResult = static_cast<HRESULT>(0x800A01CB);

class ComServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(AddInModulePath().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load " << Narrow(AddInModulePath());
    get_class_object_ = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    can_unload_now_ = reinterpret_cast<CanUnloadNowFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(get_class_object_, nullptr);
    ASSERT_NE(can_unload_now_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  ComPtr<IClassFactory> Factory() {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(
        get_class_object_(kAddInClsid, IID_IClassFactory, reinterpret_cast<void**>(factory.put())),
        S_OK);
    return factory;
  }
  ComPtr<IDispatch> NewAddIn() {
    ComPtr<IDispatch> add_in;
    ComPtr<IClassFactory> factory = Factory();
    if (factory) {
      EXPECT_EQ(factory->CreateInstance(nullptr, kAddInIid, reinterpret_cast<void**>(add_in.put())),
                S_OK);
    }
    return add_in;
  }

  HMODULE module_ = nullptr;
  GetClassObjectFunction get_class_object_ = nullptr;
  CanUnloadNowFunction can_unload_now_ = nullptr;
};

ComPtr<IUnknown> Identity(IUnknown* object) {
  return ComPtr<IUnknown>(object).Query<IUnknown>(IID_IUnknown);
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK)
      << Narrow(name);
  return id;
}

// Set object.name = value, as a late-bound caller assigns an object. The result is the failure
// the caller sees: the method's own HRESULT, which dispatch may report as an exception.
HRESULT PutRef(IDispatch* object, const wchar_t* name, IDispatch* value,
               WORD flags = DISPATCH_PROPERTYPUTREF) {
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_DISPATCH;
  argument.pdispVal = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&argument, &named, 1, 1};
  EXCEPINFO exception{};
  const HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags,
                                    &params, nullptr, &exception, nullptr);
  const HRESULT raised = hr == DISP_E_EXCEPTION ? exception.scode : hr;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return raised;
}

// The object property `name` holds, null for Nothing; a failed read fails the test.
ComPtr<IDispatch> Get(IDispatch* object, const wchar_t* name) {
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{};
  EXPECT_EQ(object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                           &none, &result, nullptr, nullptr),
            S_OK)
      << Narrow(name);
  EXPECT_EQ(result.vt, VT_DISPATCH) << Narrow(name);
  ComPtr<IDispatch> value = result.vt == VT_DISPATCH ? ComPtr<IDispatch>(result.pdispVal) : nullptr;
  VariantClear(&result);
  return value;
}

TEST_F(ComServerTest, ServesOneClassWithoutAggregation) {
  ComPtr<IClassFactory> none;
  EXPECT_EQ(
      get_class_object_(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(none.put())),
      CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(none);
  EXPECT_EQ(get_class_object_(kAddInClsid, IID_IClassFactory, nullptr), E_POINTER);

  ComPtr<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  ComPtr<IUnknown> outer = Identity(factory.get());
  ComPtr<IUnknown> refused;
  EXPECT_EQ(
      factory->CreateInstance(outer.get(), IID_IUnknown, reinterpret_cast<void**>(refused.put())),
      CLASS_E_NOAGGREGATION);
  EXPECT_FALSE(refused);
  ComPtr<IUnknown> unsupported;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IConnectionPointContainer,
                                    reinterpret_cast<void**>(unsupported.put())),
            E_NOINTERFACE);
}

TEST_F(ComServerTest, OneObjectAnswersForItsDualAndConnectionInterfaces) {
  ComPtr<IDispatch> add_in = NewAddIn();
  ASSERT_TRUE(add_in);
  const ComPtr<IUnknown> identity = Identity(add_in.get());
  auto plain_dispatch = add_in.Query<IDispatch>(IID_IDispatch);
  auto connection = add_in.Query<IExtensibility2>(kIidExtensibility2);
  ASSERT_TRUE(plain_dispatch);
  ASSERT_TRUE(connection);
  EXPECT_EQ(Identity(plain_dispatch.get()).get(), identity.get());
  EXPECT_EQ(Identity(connection.get()).get(), identity.get());
  EXPECT_FALSE(add_in.Query<IUnknown>(IID_IConnectionPointContainer));

  UINT count = 0;
  EXPECT_EQ(add_in->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ComPtr<ITypeInfo> type_info;
  EXPECT_EQ(add_in->GetTypeInfo(1, 0, type_info.put()), DISP_E_BADINDEX);
  ASSERT_EQ(add_in->GetTypeInfo(0, 0, type_info.put()), S_OK);
  BSTR name = nullptr;
  ASSERT_EQ(type_info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(Narrow(name), "_AddIn");
  SysFreeString(name);

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
  DISPID id = 0;
  EXPECT_EQ(add_in->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
  names[0] = const_cast<LPOLESTR>(L"IDE");
  EXPECT_EQ(add_in->GetIDsOfNames(IID_IDispatch, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ComServerTest, PropertiesGiveBackTheObjectsTheyWereSet) {
  ComPtr<IDispatch> add_in = NewAddIn();
  ASSERT_TRUE(add_in);
  for (const wchar_t* member : {L"IDE", L"MenuItem", L"MenuItemHandler"}) {
    EXPECT_FALSE(Get(add_in.get(), member)) << Narrow(member) << " before anything is set";
  }
  ComPtr<IDispatch> editor =
      ComPtr<IDispatch>::Attach(fake::NewFakeEditor(std::make_shared<MemoryVbe>()));
  ASSERT_TRUE(editor);

  EXPECT_EQ(PutRef(add_in.get(), L"IDE", editor.get()), S_OK);
  EXPECT_EQ(Identity(Get(add_in.get(), L"IDE").get()).get(), Identity(editor.get()).get());
  // Any object serves as the button: the member is a plain Object to a late-bound caller.
  EXPECT_EQ(PutRef(add_in.get(), L"MenuItem", editor.get()), S_OK);
  EXPECT_EQ(Identity(Get(add_in.get(), L"MenuItem").get()).get(), Identity(editor.get()).get());
  // The event source must source the click events; the editor root does not.
  EXPECT_EQ(PutRef(add_in.get(), L"MenuItemHandler", editor.get()), kNoEventsResult);
  // An object member is set by reference only.
  EXPECT_NE(PutRef(add_in.get(), L"IDE", editor.get(), DISPATCH_PROPERTYPUT), S_OK);

  EXPECT_EQ(PutRef(add_in.get(), L"MenuItem", nullptr), S_OK);
  EXPECT_EQ(PutRef(add_in.get(), L"IDE", nullptr), S_OK);
  EXPECT_FALSE(Get(add_in.get(), L"MenuItem"));
  EXPECT_FALSE(Get(add_in.get(), L"IDE"));
}

TEST_F(ComServerTest, ConnectionWithoutAnEditorSucceedsAndAddsNothing) {
  ComPtr<IDispatch> add_in = NewAddIn();
  ASSERT_TRUE(add_in);
  auto connection = add_in.Query<IExtensibility2>(kIidExtensibility2);
  ASSERT_TRUE(connection);
  EXPECT_EQ(connection->OnConnection(nullptr, 0, nullptr, nullptr), S_OK);
  EXPECT_FALSE(Get(add_in.get(), L"IDE"));
  EXPECT_FALSE(Get(add_in.get(), L"MenuItem"));
  EXPECT_EQ(connection->OnStartupComplete(nullptr), S_OK);
  EXPECT_EQ(connection->OnAddInsUpdate(nullptr), S_OK);
  EXPECT_EQ(connection->OnBeginShutdown(nullptr), S_OK);
  EXPECT_EQ(connection->OnDisconnection(0, nullptr), S_OK);
}

TEST_F(ComServerTest, UnloadsOnlyWhenNoObjectLockOrEventSinkIsLeft) {
  ASSERT_EQ(can_unload_now_(), S_OK) << "an object of an earlier test is still alive";
  {
    ComPtr<IClassFactory> factory = Factory();
    EXPECT_EQ(can_unload_now_(), S_FALSE) << "while the class object lives";
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  }
  EXPECT_EQ(can_unload_now_(), S_FALSE) << "while the server is locked";
  EXPECT_EQ(Factory()->LockServer(FALSE), S_OK);
  EXPECT_EQ(can_unload_now_(), S_OK);

  ComPtr<IDispatch> add_in = NewAddIn();
  ASSERT_TRUE(add_in);
  EXPECT_EQ(can_unload_now_(), S_FALSE) << "while the add-in object lives";
  // An unlock nobody locked must not cancel the object's count.
  EXPECT_EQ(Factory()->LockServer(FALSE), S_OK);
  EXPECT_EQ(can_unload_now_(), S_FALSE) << "after an unmatched unlock";
  add_in.reset();
  EXPECT_EQ(can_unload_now_(), S_OK);

  // An event source may keep the add-in's click sink after Unadvise; the sink's code must stay
  // loaded until the source lets it go.
  auto* source = new FakeEventSource();
  source->keep_unadvised = true;
  add_in = NewAddIn();
  ASSERT_TRUE(add_in);
  EXPECT_EQ(PutRef(add_in.get(), L"MenuItemHandler", source), S_OK);
  EXPECT_EQ(source->advised(), 1u);
  add_in.reset();
  EXPECT_EQ(source->advised(), 0u);
  EXPECT_EQ(can_unload_now_(), S_FALSE) << "while the source holds the sink";
  source->Release();
  EXPECT_EQ(can_unload_now_(), S_OK);
}

}  // namespace
}  // namespace tovalin::win32::testing
