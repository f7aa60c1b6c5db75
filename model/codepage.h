#pragma once

// Texts live in memory as UTF-8; map files hold them in Windows-1252 (or, for
// what that code page cannot hold, in UTF-16). These are the only conversions.

#include <optional>
#include <string>
#include <string_view>

// Every byte has a meaning: the five bytes Windows-1252 leaves undefined map to
// the C1 control characters of the same value, so any byte string survives a
// round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// True when every byte is below 0x80: the text is the same in every code page.
bool IsAscii(std::string_view text);

// Nothing when some character has no Windows-1252 byte (or the UTF-8 is broken).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
// The same into `out` (emptied first), for callers that convert many texts
// through one buffer; false as above.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);

// For ordering names as the file does: Windows-1252 bytes, with '?' standing for
// a character the code page cannot hold.
std::string Cp1252SortKey(std::string_view utf8);

// UTF-16 code units (little-endian pairs already combined) to UTF-8; a lone
// surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view utf8);

// Upper case over Windows-1252 letters, accented ones included (á -> Á, ñ -> Ñ);
// other characters are kept.
std::string ToUpperCp1252(std::string_view utf8);

// Upper case with accents folded away (Á, á -> A), for searches that should
// find "Monterrey" when "MONTERRÉY" was typed, or the other way round.
std::string FoldForSearch(std::string_view utf8);
