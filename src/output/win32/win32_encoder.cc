// The Windows platform encoder: MultiByteToWideChar from UTF-8, then WideCharToMultiByte to the
// code page without best-fit mappings, so that a character the code page lacks becomes "?"
// instead of a look-alike.
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "output/platform_encoder.h"

namespace tovalin {
namespace {

// Code pages that WideCharToMultiByte converts only with no flags and no default-character
// report (ISO-2022, HZ, ISCII, UTF-7, Symbol): without that report a replaced character cannot
// be counted, so they are not offered. GB18030 is among them but holds every character.
bool NeedsPlainConversion(UINT code_page) {
  return code_page == 42 || (code_page >= 50220 && code_page <= 50229) || code_page == 52936 ||
         (code_page >= 57002 && code_page <= 57011) || code_page == 65000;
}

constexpr UINT kGb18030 = 54936;
constexpr char kDefaultChar[] = "?";
// UTF-8 bytes converted per call: keeps every length far inside an int.
constexpr size_t kChunkBytes = 1 << 16;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// How the code page is reached: UTF-8 is written as it stands (the input is well-formed),
// GB18030 holds every character, every other code page may lack some.
enum class Mode { kUtf8, kComplete, kMapped };

class Win32Encoder : public CodePageEncoder {
 public:
  Win32Encoder(UINT code_page, Mode mode) : code_page_(code_page), mode_(mode) {}

  // `utf8` is well-formed (platform_encoder.h).
  size_t Encode(std::string_view utf8, std::string& out) override {
    if (mode_ == Mode::kUtf8) {
      out.append(utf8);
      return 0;
    }
    size_t substituted = 0;
    while (!utf8.empty()) {
      size_t length = std::min(utf8.size(), kChunkBytes);
      // End the chunk on a character boundary.
      while (length < utf8.size() && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) {
        --length;
      }
      substituted += EncodeWide(ToWide(utf8.substr(0, length)), out);
      utf8.remove_prefix(length);
    }
    return substituted;
  }

 private:
  static std::wstring ToWide(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (needed <= 0) throw std::logic_error("well-formed UTF-8 did not convert");
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), needed);
    return wide;
  }

  size_t EncodeWide(const std::wstring& wide, std::string& out) {
    if (mode_ == Mode::kComplete) {
      Convert(wide.data(), wide.size(), out, nullptr);
      return 0;
    }
    // The code page tables hold only characters of the Basic Multilingual Plane: a character
    // past it is replaced directly, one "?" for its surrogate pair.
    size_t substituted = 0;
    size_t start = 0;
    for (size_t i = 0; i < wide.size(); ++i) {
      if (!IsHighSurrogate(wide[i]) || i + 1 == wide.size()) continue;
      substituted += EncodeMapped(wide.data() + start, i - start, out);
      out += '?';
      ++substituted;
      ++i;
      start = i + 1;
    }
    return substituted + EncodeMapped(wide.data() + start, wide.size() - start, out);
  }

  // Characters of the Basic Multilingual Plane. WideCharToMultiByte only says whether it used
  // the default character at all; when it did, each character is converted again on its own to
  // count them.
  size_t EncodeMapped(const wchar_t* wide, size_t count, std::string& out) {
    if (count == 0) return 0;
    const size_t mark = out.size();
    BOOL used_default = FALSE;
    Convert(wide, count, out, &used_default);
    if (!used_default) return 0;
    out.resize(mark);
    size_t substituted = 0;
    for (size_t i = 0; i < count; ++i) {
      used_default = FALSE;
      Convert(wide + i, 1, out, &used_default);
      if (used_default) ++substituted;
    }
    return substituted;
  }

  void Convert(const wchar_t* wide, size_t count, std::string& out, BOOL* used_default) {
    if (count == 0) return;
    const DWORD flags = mode_ == Mode::kMapped ? WC_NO_BEST_FIT_CHARS : 0;
    const char* default_char = mode_ == Mode::kMapped ? kDefaultChar : nullptr;
    const int size = static_cast<int>(count);
    const int needed =
        WideCharToMultiByte(code_page_, flags, wide, size, nullptr, 0, default_char, used_default);
    if (needed <= 0) throw std::logic_error("code page conversion failed");
    const size_t mark = out.size();
    out.resize(mark + static_cast<size_t>(needed));
    const int written = WideCharToMultiByte(code_page_, flags, wide, size, out.data() + mark,
                                            needed, default_char, used_default);
    if (written <= 0) throw std::logic_error("code page conversion failed");
    out.resize(mark + static_cast<size_t>(written));
  }

  UINT code_page_;
  Mode mode_;
};

}  // namespace

std::unique_ptr<CodePageEncoder> CreatePlatformEncoder(uint32_t code_page) {
  const UINT cp = code_page;
  if (cp == CP_UTF8) return std::make_unique<Win32Encoder>(cp, Mode::kUtf8);
  // CP_ACP and the other pseudo code pages name different tables on different systems: the
  // caller says which code page it means.
  if (cp == CP_ACP || cp == CP_OEMCP || cp == CP_MACCP || cp == CP_THREAD_ACP) return nullptr;
  if (IsValidCodePage(cp) == FALSE) return nullptr;
  if (cp == kGb18030) return std::make_unique<Win32Encoder>(cp, Mode::kComplete);
  if (NeedsPlainConversion(cp)) return nullptr;
  return std::make_unique<Win32Encoder>(cp, Mode::kMapped);
}

}  // namespace tovalin
