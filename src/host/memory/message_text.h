// Text helpers for the loader's error messages. Messages quote parts of the input (names, keys,
// the parser's last bytes), so everything that could disturb a terminal or hide text is escaped.
#pragma once

#include <string>
#include <string_view>

namespace tovalin {

// What DecodeUtf8 returns for a byte that does not start a well-formed UTF-8 sequence.
inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// Decodes the character at `at` and advances `at` past it; an ill-formed byte gives kInvalidUtf8
// and advances by one.
char32_t DecodeUtf8(std::string_view text, size_t& at);

// `text` with control characters, direction overrides and line separators written as \uXXXX,
// bytes that are not UTF-8 as \xNN, and the whole cut to a readable length.
std::string SanitizedForMessage(std::string_view text);

// `text` between double quotes, with quotes and backslashes escaped, cut after 40 characters.
std::string QuotedForMessage(std::string_view text);

// "<source>: <path>: <what>", the path being a JSON pointer ("(top level)" when empty).
std::string MessageFor(std::string_view source, std::string_view path, std::string_view what);

}  // namespace tovalin
