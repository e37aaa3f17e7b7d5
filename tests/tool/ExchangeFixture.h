#pragma once

#include <string>

// A template and an editor-saved language file (windows-1250, CR LF) that exercise what XLIFF and
// PO must carry: sections and comments, a duplicated number, an entry without a number, equal
// originals, TAB, backslash, quotes, markup characters, trailing blanks and a six-digit number.
namespace exchange_fixture {

inline const std::string Template = "[LANGUAGE]\r\nProgram=Demo\r\nVersion=2\r\nAuthor=A|B\r\n[ITEMS]\r\n"
                                    "1: SECTION \"Okno\"\r\n"
                                    "2: COMPONENT \"F.Caption\"\r\n"
                                    "3: COMMENT \"Pozn\xE1mka\"\r\n"
                                    "4: MESSAGE \"Tab\there\\back\"\r\n"
                                    "5: MESSAGE \"OK\"\r\n"
                                    "6: MESSAGE \"OK\"\r\n"
                                    "7: MESSAGE \"\xE8\x9A <&> 'q'\"\r\n"
                                    "6: MESSAGE \"second six\"\r\n"
                                    "MESSAGE \"no number\"\r\n"
                                    "123456: MESSAGE \"big\"\r\n";

inline const std::string Language =
    "Language=Deutsch\r\nVersion=1\r\nAuthor=Hans|Grete\r\nDefinition=demo.lnd\r\n"
    "00002:Titel\r\n"
    "00004:\\mit\t\tTab\\\r\n"
    "00006:Gut  \r\n"
    "00007:\xE8 <&> \"x\"\r\n"
    "123456:gro\xDF\r\n";

// Units: 2, 4, 5, 6, 7, 123456; translated: all but 5.
inline constexpr int Units = 6;
inline constexpr int Translated = 5;

} // namespace exchange_fixture
