#include "checks/Utf8.h"

namespace verbaria::checks {

namespace {

void Decode(std::string_view text, std::u32string &out, std::vector<std::size_t> *starts)
{
    out.clear();
    out.reserve(text.size());
    if (starts) {
        starts->clear();
        starts->reserve(text.size());
    }
    std::size_t i = 0;
    while (i < text.size()) {
        if (starts)
            starts->push_back(i);
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            out += lead;
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                      (length == 4 && (code < 0x10000 || code > 0x10FFFF))))
            valid = false;
        if (!valid) {
            out += ReplacementCharacter;
            ++i;
            continue;
        }
        out += code;
        i += static_cast<std::size_t>(length);
    }
}

} // namespace

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    DecodeUtf8Into(text, out);
    return out;
}

void DecodeUtf8Into(std::string_view text, std::u32string &out)
{
    Decode(text, out, nullptr);
}

void DecodeUtf8Into(std::string_view text, std::u32string &out, std::vector<std::size_t> &starts)
{
    Decode(text, out, &starts);
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

bool IsLetter(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c < 0xC0)
        return c == 0xAA || c == 0xB5 || c == 0xBA;
    if (c <= 0x24F) // Latin-1 letters and Latin Extended A and B
        return c != 0xD7 && c != 0xF7;
    if (c >= 0x250 && c <= 0x2AF) // IPA
        return true;
    if (c >= 0x370 && c <= 0x3FF) { // Greek, without its punctuation and signs
        switch (c) {
        case 0x374:
        case 0x375:
        case 0x37E:
        case 0x384:
        case 0x385:
        case 0x387:
        case 0x3F6:
            return false;
        default:
            return true;
        }
    }
    if (c >= 0x400 && c <= 0x52F) // Cyrillic
        return !(c >= 0x482 && c <= 0x489);
    if (c >= 0x531 && c <= 0x587) // Armenian
        return true;
    if (c >= 0x5D0 && c <= 0x5EA) // Hebrew
        return true;
    if (c >= 0x620 && c <= 0x64A) // Arabic
        return true;
    if (c >= 0x900 && c <= 0xDFF) // Indic scripts (their marks count with the letters)
        return c != 0x964 && c != 0x965;
    if (c >= 0xE01 && c <= 0xE30) // Thai
        return true;
    if (c >= 0x10A0 && c <= 0x10FF) // Georgian
        return true;
    if (c >= 0x1E00 && c <= 0x1FFF) // Latin Extended Additional, Greek Extended
        return true;
    if (c >= 0x3041 && c <= 0x30FF) // kana
        return c != 0x30FB;
    if (c >= 0x3400 && c <= 0x4DBF) // CJK extension A
        return true;
    if (c >= 0x4E00 && c <= 0x9FFF) // CJK ideographs
        return true;
    if (c >= 0xAC00 && c <= 0xD7A3) // Hangul
        return true;
    if (c >= 0xFF21 && c <= 0xFF3A) // full-width Latin
        return true;
    if (c >= 0xFF41 && c <= 0xFF5A)
        return true;
    if (c >= 0xFF66 && c <= 0xFF9D) // half-width kana
        return true;
    return false;
}

bool HasLetter(std::u32string_view text)
{
    for (char32_t c : text) {
        if (IsLetter(c))
            return true;
    }
    return false;
}

char32_t FoldCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c == 0xD7 ? c : c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended A pairs capital and small letter, mostly capital first.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 1) ? c + 1 : c;
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (c == 0x178)
            return 0xFF;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 32;
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 37;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c >= 0x460 && c <= 0x4FF && c % 2 == 0 && !(c >= 0x482 && c <= 0x489) && c != 0x4C0)
        return c + 1;
    if (c >= 0xFF21 && c <= 0xFF3A)
        return c + 32;
    return c;
}

std::size_t CountReplacementCharacters(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t at = utf8.find("\xEF\xBF\xBD"); at != std::string_view::npos;
         at = utf8.find("\xEF\xBF\xBD", at + 3))
        ++count;
    return count;
}

} // namespace verbaria::checks
