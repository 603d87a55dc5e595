// Variant: the dynamically typed value of the editor's runtime, with the conversion rules that the
// exported text depends on. Conversions throw HostError with the runtime's numbers: 13 Type
// mismatch, 6 Overflow, 94 Invalid use of Null.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace tovalin {

class HostObject;
using ObjectRef = std::shared_ptr<HostObject>;

// A fixed-point number with four decimals, stored as value * 10000.
struct Currency {
  int64_t scaled = 0;
  friend bool operator==(Currency a, Currency b) { return a.scaled == b.scaled; }
};

enum class VarType {
  kEmpty,
  kNull,
  kBoolean,
  kInteger,
  kLong,
  kSingle,
  kDouble,
  kCurrency,
  kString,
  kObject
};

class Variant {
 public:
  Variant() = default;  // Empty
  static Variant Null();
  static Variant Boolean(bool value);
  static Variant Integer(int16_t value);
  static Variant Long(int32_t value);
  static Variant Single(float value);
  static Variant Double(double value);
  static Variant FromCurrency(Currency value);
  static Variant String(std::string value);
  static Variant Object(ObjectRef value);

  VarType type() const { return static_cast<VarType>(value_.index()); }
  bool IsNull() const { return type() == VarType::kNull; }

  // Direct access; each requires the matching type().
  bool boolean() const { return std::get<bool>(value_); }
  int16_t integer() const { return std::get<int16_t>(value_); }
  int32_t long_value() const { return std::get<int32_t>(value_); }
  float single() const { return std::get<float>(value_); }
  double double_value() const { return std::get<double>(value_); }
  Currency currency() const { return std::get<Currency>(value_); }
  const std::string& string() const { return std::get<std::string>(value_); }
  const ObjectRef& object() const { return std::get<ObjectRef>(value_); }

 private:
  struct EmptyTag {};
  struct NullTag {};
  // Only the named factories choose the type, so that no overload picks one by accident.
  template <typename T>
  explicit Variant(T value) : value_(std::move(value)) {}

  std::variant<EmptyTag, NullTag, bool, int16_t, int32_t, float, double, Currency, std::string,
               ObjectRef>
      value_;
};

// The runtime's conversion functions.
bool CBool(const Variant& v);
int16_t CInt(const Variant& v);
int32_t CLng(const Variant& v);
float CSng(const Variant& v);
double CDbl(const Variant& v);
Currency CCur(const Variant& v);
std::string CStr(const Variant& v);
ObjectRef CObj(const Variant& v);  // 424 Object required for a non-object

// Bitwise Not: Null stays Null; Booleans and whole numbers are complemented; other numbers are
// rounded to a Long first.
Variant Not(const Variant& v);

// The truth of `If v Then`: Null satisfies nothing (nullopt); otherwise CBool.
std::optional<bool> Truth(const Variant& v);

// v compared with a number, as `v < n`, `v = n`, `v > n` do: -1, 0 or 1; nullopt for Null. A text
// that is not a number is a type mismatch.
std::optional<int> Compare(const Variant& v, double n);

// Len(v): the length of v's text in UTF-16 code units; nullopt for Null.
std::optional<int32_t> Len(const Variant& v);

// The general number format of the runtime: at most 7 (Single) or 15 (Double) significant digits,
// trailing zeros dropped, a full stop as decimal separator, "E+NN" for very large or small values.
std::string FormatSingle(float value);
std::string FormatDouble(double value);
// Currency with as many decimals as needed: 8, 8.25, -0.5.
std::string FormatCurrency(Currency value);

// Parses the texts that the runtime converts to numbers: optional blanks and sign, decimal digits
// with a full stop and exponent, or &H / &O literals. nullopt when the text is not a number.
std::optional<double> ParseNumber(std::string_view text);

// Round half to even, as the runtime's conversions to whole numbers do.
double RoundHalfEven(double value);

}  // namespace tovalin
