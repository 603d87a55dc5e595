#include "host/variant.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "host/host_error.h"

namespace tovalin {
namespace {

constexpr double kCurrencyScale = 10000.0;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// "True" and "False" convert to Booleans wherever a number is expected.
std::optional<bool> ParseBooleanText(std::string_view text) {
  text = Trim(text);
  if (EqualsIgnoringCase(text, "True")) return true;
  if (EqualsIgnoringCase(text, "False")) return false;
  return std::nullopt;
}

double StringToDouble(const std::string& s) {
  if (auto b = ParseBooleanText(s)) return *b ? -1.0 : 0.0;
  if (auto n = ParseNumber(s)) return *n;
  throw HostError(kErrTypeMismatch);
}

// Every type but Null and Object as a double; the common path of the numeric conversions.
double ToNumber(const Variant& v) {
  switch (v.type()) {
    case VarType::kEmpty:
      return 0.0;
    case VarType::kNull:
      throw HostError(kErrInvalidUseOfNull);
    case VarType::kBoolean:
      return v.boolean() ? -1.0 : 0.0;
    case VarType::kInteger:
      return v.integer();
    case VarType::kLong:
      return v.long_value();
    case VarType::kSingle:
      return v.single();
    case VarType::kDouble:
      return v.double_value();
    case VarType::kCurrency:
      return static_cast<double>(v.currency().scaled) / kCurrencyScale;
    case VarType::kString:
      return StringToDouble(v.string());
    case VarType::kObject:
      break;
  }
  throw HostError(kErrTypeMismatch);
}

template <typename Int>
Int RoundToWhole(double d) {
  if (std::isnan(d)) throw HostError(kErrOverflow);
  const double r = RoundHalfEven(d);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    throw HostError(kErrOverflow);
  return static_cast<Int>(r);
}

// The general number format with `digits` significant digits.
std::string FormatGeneral(double value, int digits) {
  if (value == 0.0) return "0";  // also for -0
  // to_chars ignores the locale: the decimal separator is always a full stop.
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, result.ptr);
  size_t exponent_at = text.find('e');
  std::string mantissa = text.substr(0, exponent_at);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  if (exponent_at == std::string::npos) return mantissa;
  // C writes e+07 / e-05; the runtime writes E+07 / E-05, at least two exponent digits too.
  return mantissa + "E" + text.substr(exponent_at + 1);
}

// Counts UTF-16 code units of UTF-8 text: four-byte sequences are surrogate pairs.
int32_t Utf16Length(std::string_view s) {
  int32_t units = 0;
  for (unsigned char c : s) {
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    units += (c >= 0xF0) ? 2 : 1;
  }
  return units;
}

}  // namespace

Variant Variant::Null() { return Variant(NullTag{}); }
Variant Variant::Boolean(bool value) { return Variant(value); }
Variant Variant::Integer(int16_t value) { return Variant(value); }
Variant Variant::Long(int32_t value) { return Variant(value); }
Variant Variant::Single(float value) { return Variant(value); }
Variant Variant::Double(double value) { return Variant(value); }
Variant Variant::FromCurrency(Currency value) { return Variant(value); }
Variant Variant::String(std::string value) { return Variant(std::move(value)); }
Variant Variant::Object(ObjectRef value) { return Variant(std::move(value)); }

double RoundHalfEven(double value) {
  // nearbyint rounds in the current rounding mode, which is to nearest, ties to even.
  return std::nearbyint(value);
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = Trim(text);
  if (s.empty()) return std::nullopt;
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    s.remove_prefix(2);
    if (s.size() > (base == 16 ? 8u : 11u)) return std::nullopt;
    uint64_t value = 0;
    for (char c : s) {
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else if (base == 16 && c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else
        return std::nullopt;
      if (digit >= base) return std::nullopt;
      value = value * base + digit;
    }
    if (value > 0xFFFFFFFFu) return std::nullopt;
    // Hexadecimal and octal literals are 32-bit two's-complement values: &HFFFFFFFF is -1.
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
  }
  // Decimal: [sign] digits [. digits] [(E|D) [sign] digits], at least one digit in the mantissa.
  size_t i = 0;
  std::string normalized;
  if (s[i] == '-')
    normalized += s[i++];
  else if (s[i] == '+')
    ++i;
  size_t mantissa_digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    normalized += s[i++];
    ++mantissa_digits;
  }
  if (i < s.size() && s[i] == '.') {
    normalized += s[i++];
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
      normalized += s[i++];
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    normalized += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) normalized += s[i++];
    size_t exponent_digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
      normalized += s[i++];
      ++exponent_digits;
    }
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double value = 0;
  auto [end, error] =
      std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
  if (error != std::errc() || end != normalized.data() + normalized.size()) return std::nullopt;
  return value;
}

bool CBool(const Variant& v) {
  switch (v.type()) {
    case VarType::kNull:
      throw HostError(kErrInvalidUseOfNull);
    case VarType::kBoolean:
      return v.boolean();
    case VarType::kString:
      if (auto b = ParseBooleanText(v.string())) return *b;
      if (auto n = ParseNumber(v.string())) return *n != 0.0;
      throw HostError(kErrTypeMismatch);
    default:
      return ToNumber(v) != 0.0;
  }
}

int16_t CInt(const Variant& v) {
  if (v.type() == VarType::kInteger) return v.integer();
  return RoundToWhole<int16_t>(ToNumber(v));
}

int32_t CLng(const Variant& v) {
  if (v.type() == VarType::kLong) return v.long_value();
  if (v.type() == VarType::kCurrency) {
    // Exact for every Currency value: round the scaled integer half to even.
    const int64_t scaled = v.currency().scaled;
    int64_t whole = scaled / 10000;
    const int64_t rest = scaled % 10000;
    if (rest > 5000 || (rest == 5000 && (whole & 1))) ++whole;
    if (rest < -5000 || (rest == -5000 && (whole & 1))) --whole;
    if (whole < std::numeric_limits<int32_t>::min() || whole > std::numeric_limits<int32_t>::max())
      throw HostError(kErrOverflow);
    return static_cast<int32_t>(whole);
  }
  return RoundToWhole<int32_t>(ToNumber(v));
}

float CSng(const Variant& v) {
  if (v.type() == VarType::kSingle) return v.single();
  const double d = ToNumber(v);
  if (std::isnan(d)) return std::numeric_limits<float>::quiet_NaN();
  constexpr double kMax = std::numeric_limits<float>::max();
  // Values up to half a unit above the largest Single still round to it.
  constexpr double kRoundsToMax = kMax + 0x1p103;
  if (std::fabs(d) >= kRoundsToMax) throw HostError(kErrOverflow);
  if (std::fabs(d) > kMax) return static_cast<float>(std::copysign(kMax, d));
  return static_cast<float>(d);
}

double CDbl(const Variant& v) { return ToNumber(v); }

Currency CCur(const Variant& v) {
  if (v.type() == VarType::kCurrency) return v.currency();
  const double scaled = RoundHalfEven(ToNumber(v) * kCurrencyScale);
  // The scaled value must fit 64 bits; NaN fails the test too.
  if (!(scaled >= -0x1p63 && scaled < 0x1p63)) throw HostError(kErrOverflow);
  return Currency{static_cast<int64_t>(scaled)};
}

std::string CStr(const Variant& v) {
  switch (v.type()) {
    case VarType::kEmpty:
      return "";
    case VarType::kNull:
      throw HostError(kErrInvalidUseOfNull);
    case VarType::kBoolean:
      return v.boolean() ? "True" : "False";
    case VarType::kInteger:
      return std::to_string(v.integer());
    case VarType::kLong:
      return std::to_string(v.long_value());
    case VarType::kSingle:
      return FormatSingle(v.single());
    case VarType::kDouble:
      return FormatDouble(v.double_value());
    case VarType::kCurrency:
      return FormatCurrency(v.currency());
    case VarType::kString:
      return v.string();
    case VarType::kObject:
      break;
  }
  throw HostError(kErrTypeMismatch);
}

ObjectRef CObj(const Variant& v) {
  if (v.type() != VarType::kObject) throw HostError(kErrObjectRequired);
  return v.object();
}

Variant Not(const Variant& v) {
  switch (v.type()) {
    case VarType::kNull:
      return Variant::Null();
    case VarType::kEmpty:
      return Variant::Integer(-1);
    case VarType::kBoolean:
      return Variant::Boolean(!v.boolean());
    case VarType::kInteger:
      return Variant::Integer(static_cast<int16_t>(~v.integer()));
    case VarType::kString:
      if (auto b = ParseBooleanText(v.string())) return Variant::Boolean(!*b);
      return Variant::Long(~CLng(v));
    default:
      return Variant::Long(~CLng(v));
  }
}

std::optional<bool> Truth(const Variant& v) {
  if (v.IsNull()) return std::nullopt;
  return CBool(v);
}

std::optional<int> Compare(const Variant& v, double n) {
  if (v.IsNull()) return std::nullopt;
  if (v.type() == VarType::kString) {
    // A text compared with a number must itself be a number.
    auto parsed = ParseNumber(v.string());
    if (!parsed) throw HostError(kErrTypeMismatch);
    return (*parsed < n) ? -1 : (*parsed > n) ? 1 : 0;
  }
  const double d = ToNumber(v);
  return (d < n) ? -1 : (d > n) ? 1 : 0;
}

std::optional<int32_t> Len(const Variant& v) {
  if (v.IsNull()) return std::nullopt;
  return Utf16Length(CStr(v));
}

std::string FormatSingle(float value) { return FormatGeneral(value, 7); }
std::string FormatDouble(double value) { return FormatGeneral(value, 15); }

std::string FormatCurrency(Currency value) {
  const bool negative = value.scaled < 0;
  // Work in unsigned so that the most negative value has a magnitude too.
  const uint64_t magnitude =
      negative ? ~static_cast<uint64_t>(value.scaled) + 1 : static_cast<uint64_t>(value.scaled);
  std::string text = std::to_string(magnitude / 10000);
  uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(fraction));
    std::string decimals(digits);
    while (decimals.back() == '0') decimals.pop_back();
    text += "." + decimals;
  }
  return negative ? "-" + text : text;
}

}  // namespace tovalin
