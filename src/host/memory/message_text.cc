#include "host/memory/message_text.h"

#include <cstdio>

namespace tovalin {
namespace {

constexpr size_t kMaxMessageBytes = 4096;
constexpr int kMaxQuotedCharacters = 40;

bool Disturbs(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x2028 ||
         c == 0x2029 || c == 0xFEFF;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& at) {
  const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  size_t length;
  char32_t c;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1Fu;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0Fu;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07u;
    minimum = 0x10000;
  } else {
    ++at;
    return kInvalidUtf8;
  }
  if (at + length > text.size()) {
    ++at;
    return kInvalidUtf8;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return kInvalidUtf8;
    }
    c = (c << 6) | (byte(at + i) & 0x3Fu);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++at;
    return kInvalidUtf8;
  }
  at += length;
  return c;
}

std::string SanitizedForMessage(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (out.size() >= kMaxMessageBytes) {
      out += "...";
      break;
    }
    const size_t start = i;
    const char32_t c = DecodeUtf8(text, i);
    char escape[16];
    if (c == kInvalidUtf8) {
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(text[start]));
      out += escape;
    } else if (Disturbs(c)) {
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      out += escape;
    } else {
      out.append(text.substr(start, i - start));
    }
  }
  return out;
}

std::string QuotedForMessage(std::string_view text) {
  std::string out = "\"";
  int characters = 0;
  for (size_t i = 0; i < text.size();) {
    if (characters++ == kMaxQuotedCharacters) {
      out += "...";
      break;
    }
    const size_t start = i;
    DecodeUtf8(text, i);
    if (text[start] == '"' || text[start] == '\\') out += '\\';
    out.append(text.substr(start, i - start));
  }
  return out + "\"";
}

std::string MessageFor(std::string_view source, std::string_view path, std::string_view what) {
  std::string message(source);
  message += ": ";
  message += path.empty() ? std::string_view("(top level)") : path;
  message += ": ";
  message += what;
  return SanitizedForMessage(message);
}

}  // namespace tovalin
