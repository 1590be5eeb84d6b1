#pragma once

// Conversions between code page 932 (Shift_JIS) byte strings, in which the viewer keeps every
// text, and the encodings of the edges: UTF-8 (source literals, file names, logs) and UTF-16
// (the Qt view). The converter is the system's: iconv's "CP932" on POSIX, whose handles stay
// open, and the code page 932 of the Windows API.

#include <optional>
#include <string>
#include <string_view>

namespace mv {

// A UTF-8 literal of the source as its code page 932 bytes. The literal must be representable;
// a literal that is not is a programming error and aborts.
std::string Sjis(std::string_view utf8);

// UTF-8 text to code page 932; nothing when a character has no code page 932 form.
std::optional<std::string> TryUtf8ToSjis(std::string_view utf8);

// Code page 932 to UTF-8 / UTF-16. Bytes that form no character become U+FFFD, so a damaged
// data file still displays.
std::string SjisToUtf8(std::string_view sjis);
std::u16string SjisToUtf16(std::string_view sjis);

// UTF-16 text (from the view: a typed folder, a chosen path) to code page 932.
std::optional<std::string> TryUtf16ToSjis(std::u16string_view utf16);

// True when the byte is the lead byte of a double-byte code page 932 character.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True when the byte can be the second byte of a double-byte character.
constexpr bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The length in bytes (1 or 2) of the character starting at byte i. Every reader of a text
// steps by it (the name matcher, the path rules, the full-width mapping, the collation, the
// codec): a lead byte takes its next byte only when that can be a second byte; a lead byte
// without one, at the very end too, stands alone.
constexpr std::size_t CharacterLength(std::string_view sjis, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() &&
                   IsTrailByte(static_cast<unsigned char>(sjis[i + 1]))
               ? 2
               : 1;
}

// The text with ASCII letters in upper case; both bytes of a double-byte character stay as
// they are, since a second byte may look like a letter. Names match in any letter case by it.
std::string FoldAsciiCase(std::string_view sjis);

// Where the last character of a code page 932 text starts (0 for an empty text): a final byte
// that is the second byte of a double-byte character belongs to that character.
std::size_t LastCharacterStart(std::string_view sjis);

} // namespace mv
