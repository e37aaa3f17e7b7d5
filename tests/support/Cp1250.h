#pragma once

#include "formats/TextRules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Test data is written as bytes of code page 1250, the code page of the program's own Czech
// texts; the tests spell it in UTF-8 and turn it into those bytes here, without Qt, so that the
// standard C++ tests need no converter of the program's.
namespace verbaria {

namespace cp1250_detail {

// Unicode of the bytes 0x80 to 0xFF; 0 marks a byte without a character.
constexpr std::array<char16_t, 128> HighHalf = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

inline std::optional<char> ByteFor(char32_t code)
{
    if (code < 0x80)
        return static_cast<char>(code);
    for (std::size_t i = 0; i < HighHalf.size(); ++i) {
        if (HighHalf[i] != 0 && HighHalf[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at bytes[i]; advances i. nullopt for a malformed sequence.
inline std::optional<char32_t> NextCodePoint(std::string_view bytes, std::size_t &i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) {
        ++i;
        return std::nullopt;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return code;
}

} // namespace cp1250_detail

using namespace cp1250_detail;

inline std::optional<std::string> Utf8ToCp1250(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto code = NextCodePoint(utf8, i);
        if (!code)
            return std::nullopt;
        const auto byte = ByteFor(*code);
        if (!byte)
            return std::nullopt;
        out += *byte;
    }
    return out;
}

inline std::string Utf8ToCp1250Lossy(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto code = NextCodePoint(utf8, i);
        const auto byte = code ? ByteFor(*code) : std::nullopt;
        out += byte ? *byte : '?';
    }
    return out;
}

inline std::string Cp1250ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
            continue;
        }
        const char16_t code = HighHalf[byte - 0x80];
        AppendUtf8(out, code ? char32_t{code} : char32_t{0xFFFD});
    }
    return out;
}

} // namespace verbaria
