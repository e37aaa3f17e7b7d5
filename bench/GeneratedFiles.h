#pragma once
// The benchmarks' generated files: a template of a given number of entries (sections, comments,
// components and messages of deterministic Czech text in windows-1250), its language file and the
// same texts in the old format.
#include "formats/FileIO.h"
#include "tests/support/Cp1250.h"

#include <string>
#include <vector>

namespace verbaria::bench {

// Words of a Czech user interface, in the files' code page.
inline std::vector<std::string> CzechWords()
{
    const char *const utf8[] = {"Uložit",   "změny",    "soubor",   "jazyk",      "překlad",   "okno",
                                "nástroje", "nápověda", "Otevřít",  "šablona",    "položka",   "čeština",
                                "tisk",     "úpravy",   "zobrazit", "vlastnosti", "Zavřít",    "nový",
                                "řádek",    "příkaz",   "hledat",   "další",      "předchozí", "nastavení",
                                "program",  "verze",    "autor",    "chyba",      "dokončena", "konverze"};
    std::vector<std::string> words;
    for (const char *word : utf8)
        words.push_back(Utf8ToCp1250Lossy(word));
    return words;
}

class Text final
{
public:
    std::string Sentence(int minWords, int maxWords)
    {
        const int count =
            minWords + static_cast<int>(Next() % static_cast<unsigned>(maxWords - minWords + 1));
        std::string s;
        for (int i = 0; i < count; ++i) {
            if (i)
                s += ' ';
            s += words_[Next() % words_.size()];
        }
        return s;
    }
    unsigned Next()
    {
        seed_ = seed_ * 1103515245u + 12345u;
        return seed_ >> 8;
    }

private:
    std::vector<std::string> words_ = CzechWords();
    unsigned seed_ = 20240607;
};

// A template of entries entries, its language file and the same texts in the old format.
inline void Generate(int entries, const std::string &folder)
{
    Text text;
    const std::string base = folder + "/t" + std::to_string(entries);
    std::string lnd = "[LANGUAGE]\r\nProgram=Velk\xFD program\r\nVersion=2.5\r\nAuthor=Jan Nov\xE1k|Petr "
                      "Svoboda\r\n\r\n[ITEMS]\r\n";
    std::string lng = "Language=English\r\nVersion=1.0\r\nAuthor=Jane Doe\r\nDefinition=t" +
                      std::to_string(entries) + ".lnd\r\n";
    std::string oldTranslations =
        "[LANGUAGE]\r\nLANGUAGE NAME = English\r\nAUTHOR = Jane Doe\r\nPROGRAM VERSION = 2.5\r\n"
        "\r\n[TRANSLATIONS]\r\n";
    std::string oldMessages = "[MESSAGES]\r\n";
    for (int i = 1; i <= entries; ++i) {
        const std::string number = std::to_string(i);
        if (i % 50 == 1) {
            lnd += number + ": SECTION \"" + text.Sentence(1, 3) + "\"\r\n";
            continue;
        }
        if (i % 97 == 0) {
            lnd += number + ": COMMENT \"" + text.Sentence(3, 8) + "\"\r\n";
            continue;
        }
        const std::string translation = text.Sentence(1, 6);
        if (i % 3 == 0) {
            const std::string message = text.Sentence(2, 8) + " " + number;
            lnd += number + ": MESSAGE \"" + message + "\"\r\n";
            oldMessages += message + " = " + translation + "\r\n";
        } else {
            const std::string path =
                "Form" + std::to_string(i % 211) + ".control" + number + (i % 5 == 0 ? ".Hint" : ".Caption");
            lnd += number + ": COMPONENT \"" + path + "\"\r\n";
            oldTranslations += path + " = " + translation + "\r\n";
        }
        lng += number + ":" + translation + "\r\n";
    }
    WriteFileAtomically(base + ".lnd", lnd);
    WriteFileAtomically(base + ".lng", lng);
    WriteFileAtomically(base + ".old", oldTranslations + oldMessages);
}

} // namespace verbaria::bench
