#include "host/win32/utf16.h"

#include <cstdint>

namespace tovalin::win32 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the sequence at `s[*i]` and advances past it; a malformed sequence yields U+FFFD and
// advances by one byte, so the bytes after it still decode.
char32_t DecodeUtf8(std::string_view s, size_t* i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const auto continuation = [&](size_t k) { return k < s.size() && (byte(k) & 0xC0) == 0x80; };
  const size_t at = *i;
  const unsigned char lead = byte(at);
  size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    *i = at + 1;
    return lead;
  }
  // The lead byte gives the length, its payload bits, and the smallest value that needs this
  // length (anything smaller is an overlong form).
  if (lead >= 0xC2 && lead < 0xE0) {
    length = 2;
    code = lead & 0x1Fu;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3;
    code = lead & 0x0Fu;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    length = 4;
    code = lead & 0x07u;
    minimum = 0x10000;
  }
  for (size_t k = 1; k < length; ++k) {
    if (!continuation(at + k)) {
      length = 0;
      break;
    }
    code = (code << 6) | (byte(at + k) & 0x3Fu);
  }
  if (length == 0 || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    *i = at + 1;
    return kReplacement;
  }
  *i = at + length;
  return code;
}

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::wstring Utf8ToUtf16(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const char32_t code = DecodeUtf8(utf8, &i);
    if (code < 0x10000) {
      out += static_cast<wchar_t>(code);
    } else {
      out += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::wstring_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char32_t unit = static_cast<uint16_t>(utf16[i]);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size()) {
      const char32_t next = static_cast<uint16_t>(utf16[i + 1]);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), out);
        ++i;
        continue;
      }
    }
    AppendUtf8(unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit, out);
  }
  return out;
}

}  // namespace tovalin::win32
