// Windows-1252 <-> UTF-8. The wire, the settings, backup and logbook files
// are single-byte Windows-1252; the program works in UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrano {

// Every byte maps to a character; the five bytes Windows-1252 leaves
// undefined map to the C1 control of the same number, so nothing is lost.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'. Invalid UTF-8 bytes are
// taken as Windows-1252 bytes already.
std::string Utf8ToCp1252(std::string_view text);

// Whether a character (code point) has a Windows-1252 byte.
bool Cp1252Holds(char32_t codePoint);

// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// The character at 1-based position pos as UTF-8, or "" beyond the end.
std::string Utf8CharAt(std::string_view text, std::size_t pos);

// The first n characters of a UTF-8 text.
std::string Utf8Left(std::string_view text, std::size_t n);

}  // namespace veltrano
