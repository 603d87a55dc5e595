#include "host/win32/variant_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fake_dispatch.h"
#include "host/host_error.h"
#include "host/object_model.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32::testing {
namespace {

VARIANT Of(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  return v;
}

int32_t ErrorOf(const VARIANT& value) {
  auto objects = EditorObjects::Create();
  return ThrownBy([&] { FromVariant(value, *objects); }).number();
}

TEST(VariantConvertTest, ReadsEveryScalarType) {
  auto objects = EditorObjects::Create();
  const auto from = [&](const VARIANT& v) { return FromVariant(v, *objects); };

  EXPECT_EQ(from(Of(VT_EMPTY)).type(), VarType::kEmpty);
  EXPECT_EQ(from(Of(VT_NULL)).type(), VarType::kNull);
  VARIANT b = Of(VT_BOOL);
  b.boolVal = 1;  // any non-zero value is True
  EXPECT_TRUE(from(b).boolean());
  VARIANT i2 = Of(VT_I2);
  i2.iVal = -5;
  EXPECT_EQ(from(i2).integer(), -5);
  VARIANT i4 = Of(VT_I4);
  i4.lVal = -2147483633;
  EXPECT_EQ(from(i4).long_value(), -2147483633);
  VARIANT r4 = Of(VT_R4);
  r4.fltVal = 8.25f;
  EXPECT_EQ(from(r4).single(), 8.25f);
  VARIANT cy = Of(VT_CY);
  cy.cyVal.int64 = 82500;
  EXPECT_EQ(from(cy).currency().scaled, 82500);

  // Types the program's Variant lacks take the narrowest type that holds all their values.
  VARIANT byte = Of(VT_UI1);
  byte.bVal = 200;
  EXPECT_EQ(from(byte).type(), VarType::kInteger);
  EXPECT_EQ(from(byte).integer(), 200);
  VARIANT big = Of(VT_UI4);
  big.ulVal = 0xFFFFFFFFu;
  EXPECT_EQ(from(big).type(), VarType::kDouble);
  EXPECT_EQ(from(big).double_value(), 4294967295.0);
  VARIANT decimal = Of(VT_DECIMAL);
  VarDecFromR8(2.5, &decimal.decVal);
  decimal.vt = VT_DECIMAL;
  EXPECT_EQ(from(decimal).double_value(), 2.5);

  // Text keeps every character its length counts, embedded NULs and all; a null BSTR is "".
  VARIANT text = Of(VT_BSTR);
  text.bstrVal = SysAllocStringLen(L"a\0\u00e9\U0001F600", 5);
  EXPECT_EQ(from(text).string(), std::string("a\0\u00e9\U0001F600", 8));
  VariantClear(&text);
  EXPECT_EQ(from(Of(VT_BSTR)).string(), "");
}

TEST(VariantConvertTest, FollowsReferences) {
  auto objects = EditorObjects::Create();
  VARIANT_BOOL flag = VARIANT_TRUE;
  VARIANT by_ref = Of(VT_BYREF | VT_BOOL);
  by_ref.pboolVal = &flag;
  EXPECT_TRUE(FromVariant(by_ref, *objects).boolean());

  VARIANT inner = Of(VT_I4);
  inner.lVal = 42;
  VARIANT by_variant = Of(VT_BYREF | VT_VARIANT);
  by_variant.pvarVal = &inner;
  EXPECT_EQ(FromVariant(by_variant, *objects).long_value(), 42);

  // A null reference and a reference to a reference are refused, not followed.
  VARIANT null_ref = Of(VT_BYREF | VT_I4);
  EXPECT_EQ(ErrorOf(null_ref), 13);
  VARIANT nested = Of(VT_BYREF | VT_VARIANT);
  nested.pvarVal = &by_variant;
  EXPECT_EQ(ErrorOf(nested), 13);
}

TEST(VariantConvertTest, RefusesTypesWithoutAMeaning) {
  VARIANT error = Of(VT_ERROR);
  error.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(ErrorOf(error), 13);
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 2);
  VARIANT arr = Of(VT_ARRAY | VT_I4);
  arr.parray = array;
  EXPECT_EQ(ErrorOf(arr), 13);
  SafeArrayDestroy(array);
}

TEST(VariantConvertTest, WrapsObjectsAndGivesThemBack) {
  auto objects = EditorObjects::Create();
  auto fake = FakeDispatch::New("Frame");
  const UniqueVariant in = ObjectVariant(fake.get());
  const Variant value = FromVariant(in.get(), *objects);
  ASSERT_EQ(value.type(), VarType::kObject);
  EXPECT_EQ(TypeName(value.object()), "Frame");
  EXPECT_EQ(FromVariant(ObjectVariant(nullptr).get(), *objects).object(), nullptr);

  // Back to COM: the same IDispatch, with a reference of its own.
  const ULONG before = fake->references();
  {
    const UniqueVariant out = ToVariant(value);
    ASSERT_EQ(out.type(), VT_DISPATCH);
    EXPECT_EQ(out.get().pdispVal, static_cast<IDispatch*>(fake.get()));
    EXPECT_EQ(fake->references(), before + 1);
  }
  EXPECT_EQ(fake->references(), before);

  // An object that does not come from COM cannot be handed to it.
  class Local : public HostObject {
   public:
    std::string TypeName() const override { return "Local"; }
  };
  EXPECT_EQ(ThrownBy([] { ToVariant(Variant::Object(std::make_shared<Local>())); }).number(), 13);
  // A value where an object is required.
  EXPECT_EQ(ThrownBy([] { DispatchFromVariant(TextVariant("x").get()); }).number(), 424);
}

TEST(VariantConvertTest, RoundTripsTheProgramsTypes) {
  auto objects = EditorObjects::Create();
  const Variant values[] = {Variant(),
                            Variant::Null(),
                            Variant::Boolean(true),
                            Variant::Integer(-32768),
                            Variant::Long(std::numeric_limits<int32_t>::min()),
                            Variant::Single(0.1f),
                            Variant::Double(1e300),
                            Variant::FromCurrency(Currency{-922337203685477580}),
                            Variant::String("Gr\u00f6\u00dfe \U0001F600")};
  for (const Variant& value : values) {
    const Variant back = FromVariant(ToVariant(value).get(), *objects);
    ASSERT_EQ(back.type(), value.type());
    if (value.type() == VarType::kNull) continue;
    EXPECT_EQ(CStr(back), CStr(value)) << static_cast<int>(value.type());
  }
}

TEST(Utf16Test, ReplacesWhatIsNotText) {
  // Bytes that are not UTF-8 and surrogates that are not paired each become U+FFFD.
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b\xE2\x82"),
            L"a\uFFFDb\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
  EXPECT_EQ(Utf16ToUtf8(std::wstring(L"x\xD800y\xDC00")), "x\uFFFDy\uFFFD");
  EXPECT_EQ(Utf16ToUtf8(std::wstring(L"\xD83D\xDE00")), "\U0001F600");
}

}  // namespace
}  // namespace tovalin::win32::testing
