#include "host/win32/dispatch_call.h"

#include <gtest/gtest.h>

#include "fake_dispatch.h"
#include "host/host_error.h"
#include "host/win32/dispatch_enum.h"
#include "host/win32/dispatch_error.h"

namespace tovalin::win32::testing {
namespace {

TEST(DispatchErrorTest, MapsHresultsAsTheRuntimeDoes) {
  struct Case {
    HRESULT hr;
    int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {DISP_E_UNKNOWNNAME, 438, "Object doesn't support this property or method"},
      {DISP_E_MEMBERNOTFOUND, 438, "Object doesn't support this property or method"},
      {DISP_E_TYPEMISMATCH, 13, "Type mismatch"},
      {DISP_E_OVERFLOW, 6, "Overflow"},
      {E_OUTOFMEMORY, 7, "Out of memory"},
      {DISP_E_BADINDEX, 9, "Subscript out of range"},
      {E_INVALIDARG, 5, "Invalid procedure call or argument"},
      {DISP_E_BADPARAMCOUNT, 450, "Wrong number of arguments or invalid property assignment"},
      {static_cast<HRESULT>(0x800A0035), 53, "File not found"},
      {E_FAIL, -2147467259, "Automation error"},
      {E_NOINTERFACE, -2147467262, "Automation error"},
  };
  for (const Case& c : cases) {
    const HostError error = HostErrorFromHresult(c.hr);
    EXPECT_EQ(error.number(), c.number) << std::hex << c.hr;
    EXPECT_EQ(error.description(), c.description) << std::hex << c.hr;
  }

  // Raising an error to a late-bound caller gives back the same number, whatever its range.
  for (const int32_t number : {5, 438, 1004, 65535, -2147467259, -2147220990}) {
    EXPECT_EQ(ErrorNumberFromHresult(HresultFromHostError(HostError(number, ""))), number)
        << number;
  }
  EXPECT_TRUE(FAILED(HresultFromHostError(HostError(0, ""))));
  EXPECT_TRUE(FAILED(HresultFromHostError(HostError(70000, ""))));
}

HRESULT STDMETHODCALLTYPE FillLater(EXCEPINFO* info) {
  info->scode = static_cast<HRESULT>(0x800A01A8);  // 424
  info->bstrDescription = SysAllocString(L"filled in later");
  return S_OK;
}

TEST(DispatchErrorTest, ReadsTheObjectsException) {
  struct Case {
    WORD code;
    HRESULT scode;
    const wchar_t* description;
    int32_t number;
    std::string text;
  };
  const Case cases[] = {
      {1004, 0, L"Custom failure", 1004, "Custom failure"},
      {0, static_cast<HRESULT>(0x800A01B6), nullptr, 438,
       "Object doesn't support this property or method"},
      {0, static_cast<HRESULT>(0x800A01B6), L"", 438,
       "Object doesn't support this property or method"},
      {0, E_FAIL, L"The server said no", -2147467259, "The server said no"},
      {0, DISP_E_TYPEMISMATCH, nullptr, 13, "Type mismatch"},
      {0, 0, nullptr, 440, "Automation error"},
  };
  for (const Case& c : cases) {
    EXCEPINFO info{};
    info.wCode = c.code;
    info.scode = c.scode;
    info.bstrDescription = c.description == nullptr ? nullptr : SysAllocString(c.description);
    const HostError error = HostErrorFromInvoke(DISP_E_EXCEPTION, info);
    EXPECT_EQ(error.number(), c.number);
    EXPECT_EQ(error.description(), c.text);
    SysFreeString(info.bstrDescription);
  }

  EXCEPINFO deferred{};
  deferred.pfnDeferredFillIn = FillLater;
  const HostError error = HostErrorFromInvoke(DISP_E_EXCEPTION, deferred);
  EXPECT_EQ(error.number(), 424);
  EXPECT_EQ(error.description(), "filled in later");
  SysFreeString(deferred.bstrDescription);
}

TEST(DispatchCallTest, FailuresOfRealCallsBecomeRuntimeErrors) {
  auto object = FakeDispatch::New();
  object->On("Raises", [](const DISPPARAMS&, VARIANT*, EXCEPINFO* info) {
    info->scode = static_cast<HRESULT>(0x800A0046);  // 70
    info->bstrDescription = SysAllocString(L"Locked");
    return DISP_E_EXCEPTION;
  });
  object->On("Refuses", [](const DISPPARAMS&, VARIANT*, EXCEPINFO*) { return E_ACCESSDENIED; });
  object->On("Gone", [](const DISPPARAMS&, VARIANT*, EXCEPINFO*) { return DISP_E_MEMBERNOTFOUND; });

  HostError raised = ThrownBy([&] { GetProperty(object.get(), "raises"); });
  EXPECT_EQ(raised.number(), 70);
  EXPECT_EQ(raised.description(), "Locked");
  EXPECT_EQ(ThrownBy([&] { GetProperty(object.get(), "Refuses"); }).number(),
            static_cast<int32_t>(E_ACCESSDENIED));
  EXPECT_EQ(ThrownBy([&] { GetProperty(object.get(), "Gone"); }).number(), 438);
  EXPECT_EQ(ThrownBy([&] { GetProperty(object.get(), "NoSuchName"); }).number(), 438);
  EXPECT_EQ(ThrownBy([&] { GetProperty(nullptr, "Name"); }).number(), 91);
}

TEST(DispatchCallTest, PassesArgumentsAsLateBindingDoes) {
  auto object = FakeDispatch::New();
  const DISPID lines = object->Returns("Lines", TextVariant("a\r\nb").get());
  const DISPID caption =
      object->On("Caption", [](const DISPPARAMS&, VARIANT*, EXCEPINFO*) { return S_OK; });
  const DISPID add = object->Returns("Add", VARIANT{});

  const VARIANT range[] = {LongArgument(3), LongArgument(4)};
  const UniqueVariant text = GetProperty(object.get(), "lines", range);
  ASSERT_EQ(text.type(), VT_BSTR);
  const UniqueVariant value = TextVariant("Export...");
  PutProperty(object.get(), "Caption", value.get());
  const VARIANT add_args[] = {LongArgument(1), MissingArgument(), MissingArgument(),
                              MissingArgument(), BooleanArgument(true)};
  CallMethod(object.get(), "Add", add_args);

  const auto& calls = object->calls();
  ASSERT_EQ(calls.size(), 3u);
  // Reads may be properties or methods; DISPPARAMS holds the last argument first.
  EXPECT_EQ(calls[0].dispid, lines);
  EXPECT_EQ(calls[0].flags, DISPATCH_PROPERTYGET | DISPATCH_METHOD);
  ASSERT_EQ(calls[0].args.size(), 2u);
  EXPECT_EQ(calls[0].args[0].get().lVal, 4);
  EXPECT_EQ(calls[0].args[1].get().lVal, 3);
  // A property put names its value DISPID_PROPERTYPUT.
  EXPECT_EQ(calls[1].dispid, caption);
  EXPECT_EQ(calls[1].flags, DISPATCH_PROPERTYPUT);
  ASSERT_EQ(calls[1].named.size(), 1u);
  EXPECT_EQ(calls[1].named[0], DISPID_PROPERTYPUT);
  EXPECT_EQ(BstrToUtf8(calls[1].args[0].get().bstrVal), "Export...");
  // Omitted optional arguments are VT_ERROR DISP_E_PARAMNOTFOUND.
  EXPECT_EQ(calls[2].dispid, add);
  ASSERT_EQ(calls[2].args.size(), 5u);
  EXPECT_EQ(calls[2].args[0].get().vt, VT_BOOL);
  EXPECT_EQ(calls[2].args[0].get().boolVal, VARIANT_TRUE);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(calls[2].args[i].get().vt, VT_ERROR);
    EXPECT_EQ(calls[2].args[i].get().scode, DISP_E_PARAMNOTFOUND);
  }
  EXPECT_EQ(calls[2].args[4].get().lVal, 1);
}

TEST(DispatchEnumTest, VisitsItemsInOrderAndReportsFailures) {
  auto collection = FakeDispatch::New();
  std::vector<UniqueVariant> items;
  items.push_back(TextVariant("first"));
  items.push_back(TextVariant("second"));
  collection->SetItems(std::move(items));
  std::vector<std::string> seen;
  ForEach(collection.get(), [&](const VARIANT& item) { seen.push_back(BstrToUtf8(item.bstrVal)); });
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));

  auto not_a_collection = FakeDispatch::New();
  EXPECT_EQ(ThrownBy([&] { ForEach(not_a_collection.get(), [](const VARIANT&) {}); }).number(),
            438);
  // _NewEnum that hands out something other than an enumerator.
  auto broken = FakeDispatch::New();
  broken->OnDispId(DISPID_NEWENUM, [](const DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    result->vt = VT_I4;
    result->lVal = 5;
    return S_OK;
  });
  EXPECT_EQ(ThrownBy([&] { ForEach(broken.get(), [](const VARIANT&) {}); }).number(), 438);
}

}  // namespace
}  // namespace tovalin::win32::testing
