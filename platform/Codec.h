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

// Code page 932 to UTF-8 / UTF-16, as the system converts it: bytes that form no character
// become what the system shows for them (UndefinedCharacter), so a damaged data file displays
// as it would on Windows.
std::string SjisToUtf8(std::string_view sjis);
std::u16string SjisToUtf16(std::string_view sjis);

// The characters the system reads the pairs of one lead byte as, second bytes 0x01-0xFF in
// order (255 characters): a table row, converted at once.
std::u16string PairCharacters(unsigned char lead);

// UTF-16 text (from the view: a typed folder, a chosen path) to code page 932.
std::optional<std::string> TryUtf16ToSjis(std::u16string_view utf16);

// True when the byte is the lead byte of a double-byte code page 932 character.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The length in bytes (1 or 2) of the character starting at byte i, as the system's code page
// 932 functions read a text: a lead byte takes the byte after it, whatever that is (a pair that
// names no character reads as "・"), except a NUL or the end of the text. Every reader of a text
// steps by it (the name matcher, the path rules, the full-width mapping, the collation, the
// codec), so they agree with each other and with the system on where characters start.
constexpr std::size_t CharacterLength(std::string_view sjis, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() &&
                   sjis[i + 1] != '\0'
               ? 2
               : 1;
}

// What the system reads a byte or pair as when its code page names no character there: a lead
// byte alone or with a second byte outside the table is "・" (U+30FB); 0x80 is U+0080; 0xA0
// and 0xFD-0xFF are the private characters U+F8F0-U+F8F3.
constexpr char16_t UndefinedCharacter(unsigned char first) {
    if (first == 0x80) {
        return u'\u0080';
    }
    if (first == 0xA0) {
        return u'\uF8F0';
    }
    if (first >= 0xFD) {
        return static_cast<char16_t>(u'\uF8F1' + (first - 0xFD));
    }
    return u'\u30FB';
}

// The text with ASCII letters in upper case; both bytes of a double-byte character stay as
// they are, since a second byte may look like a letter. Names match in any letter case by it.
std::string FoldAsciiCase(std::string_view sjis);

// Where the last character of a code page 932 text starts (0 for an empty text): a final byte
// that is the second byte of a double-byte character belongs to that character.
std::size_t LastCharacterStart(std::string_view sjis);

} // namespace mv
