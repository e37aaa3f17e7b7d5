// Spelling against small dictionaries of our own (tests/data/spelling): cs_CZ in ISO 8859-2, so
// every word crosses an encoding, and ru_RU in UTF-8.
#include "formats/LanguageFile.h"
#include "spelling/DictionaryCatalogue.h"
#include "spelling/LanguageNames.h"
#include "spelling/Replacement.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellingChoice.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace verbaria;
using namespace verbaria::spelling;

namespace {

const QString TestDictionaries = QStringLiteral(VERBARIA_TEST_DATA "/spelling");

std::unique_ptr<SpellChecker> Open(const QString &code, const QString &userWords = {})
{
    const DictionaryCatalogue catalogue({TestDictionaries});
    const Dictionary *dictionary = catalogue.Find(code);
    EXPECT_NE(dictionary, nullptr) << code.toStdString();
    return dictionary ? SpellChecker::Open(*dictionary, userWords) : nullptr;
}

// "word@start+length" for each misspelled word.
std::vector<std::string> Misspelled(const SpellChecker &checker, const QString &text)
{
    std::vector<std::string> found;
    for (const MisspelledWord &word : checker.Misspelled(text))
        found.push_back(word.Word.toStdString() + "@" + std::to_string(word.Start) + "+" +
                        std::to_string(word.Length));
    return found;
}

using Found = std::vector<std::string>;

} // namespace

TEST(Spelling, LooksUpWordsWithoutAcceleratorsAndPlaceholders)
{
    const auto czech = Open(QStringLiteral("cs_CZ"));
    ASSERT_TRUE(czech);
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("&Uložit soubor")), Found{});
    // The accelerator inside a word: one word, underlined with its "&".
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("Ulo&žit soubr")), Found{"soubr@8+5"});
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("Ulo&žitt")), Found{"Uložitt@0+8"});
    // "&&" is an ampersand, which parts two words.
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("Tom&&Jerry")), Found{});
    // No placeholder letter is taken for a word, nor does it glue words together.
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("Otevřít %s a %5.2f v %d, %1 %L2 %% %ldsouborů %2$s")),
              Found{});
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("Otevřít %1$s")), Found{});
    // Neither are names of files, paths, addresses, markup or words with digits.
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("glotra.ini C:\\Temp info@example.org MP3 x64 my_value "
                                                "<b>soubor</b> <a href=\"x\">okno</a>")),
              Found{});
}

TEST(Spelling, ASuggestionTakenKeepsTheAccelerator)
{
    EXPECT_EQ(ReplacementFor(QStringLiteral("Ulo&žitt"), QStringLiteral("Uložit")),
              QStringLiteral("Ulo&žit"));
    EXPECT_EQ(ReplacementFor(QStringLiteral("sou&br"), QStringLiteral("soubor")), QStringLiteral("sou&bor"));
    EXPECT_EQ(ReplacementFor(QStringLiteral("Otev&rit"), QStringLiteral("Otevřít")),
              QStringLiteral("Otev&řít"));
    EXPECT_EQ(ReplacementFor(QStringLiteral("soubr"), QStringLiteral("soubor")), QStringLiteral("soubor"));
}

TEST(Spelling, GivesPositionsInTheTextTheWidgetsShow)
{
    const auto russian = Open(QStringLiteral("ru_RU"));
    ASSERT_TRUE(russian);
    EXPECT_EQ(Misspelled(*russian, QStringLiteral("Сохранить &файл")), Found{});
    EXPECT_EQ(Misspelled(*russian, QStringLiteral("Сохранить &файлл")), Found{"файлл@11+5"});
    // A character beyond the BMP takes two UTF-16 units before the word.
    EXPECT_EQ(Misspelled(*russian, QString::fromUtf8("\xF0\x9F\x93\x81 Открыт окно")), Found{"Открыт@3+6"});
    // A word the dictionary's encoding cannot hold is no word of its language: left alone.
    const auto czech = Open(QStringLiteral("cs_CZ"));
    ASSERT_TRUE(czech);
    EXPECT_EQ(Misspelled(*czech, QStringLiteral("Otevřít файл")), Found{});
}

TEST(Spelling, SuggestsWordsThroughTheDictionarysEncoding)
{
    const auto czech = Open(QStringLiteral("cs_CZ"));
    ASSERT_TRUE(czech);
    EXPECT_TRUE(czech->Suggestions(QStringLiteral("soubr")).contains(QStringLiteral("soubor")));
    EXPECT_TRUE(czech->Suggestions(QStringLiteral("otevrit")).contains(QStringLiteral("otevřít")));
    const auto russian = Open(QStringLiteral("ru_RU"));
    ASSERT_TRUE(russian);
    EXPECT_TRUE(russian->Suggestions(QStringLiteral("фаил")).contains(QStringLiteral("файл")));
}

TEST(Spelling, TheUsersWordsAreAcceptedAtOnceAndInLaterRuns)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString words = folder.filePath(QStringLiteral("slovniky/cs_CZ.txt"));
    {
        const auto czech = Open(QStringLiteral("cs_CZ"), words);
        ASSERT_TRUE(czech);
        EXPECT_FALSE(czech->IsCorrect(QStringLiteral("Verbaria")));
        EXPECT_EQ(czech->AddToUserWords(QStringLiteral("Verbaria")), std::nullopt);
        EXPECT_EQ(czech->AddToUserWords(QStringLiteral("šprým")), std::nullopt);
        EXPECT_TRUE(czech->IsCorrect(QStringLiteral("Verbaria")));
        EXPECT_TRUE(czech->IsCorrect(QStringLiteral("šprým")));
    }
    QFile file(words);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Verbaria\n\xC5\xA1pr\xC3\xBDm\n"));
    const auto later = Open(QStringLiteral("cs_CZ"), words);
    ASSERT_TRUE(later);
    EXPECT_TRUE(later->IsCorrect(QStringLiteral("Verbaria")));
    EXPECT_TRUE(later->IsCorrect(QStringLiteral("šprým")));

    // A list that cannot be written is told; the word still counts in this run.
    const auto unwritable =
        Open(QStringLiteral("cs_CZ"), folder.filePath(QStringLiteral("slovniky/cs_CZ.txt/x")));
    ASSERT_TRUE(unwritable);
    EXPECT_NE(unwritable->AddToUserWords(QStringLiteral("Glotra")), std::nullopt);
    EXPECT_TRUE(unwritable->IsCorrect(QStringLiteral("Glotra")));
}

TEST(Spelling, TheLanguagesNameFindsItsDictionary)
{
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("Čeština")), QStringLiteral("cs"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("CESKY")), QStringLiteral("cs"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("cs-CZ")), QStringLiteral("cs_CZ"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("Русский")), QStringLiteral("ru"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("English (United Kingdom)")), QStringLiteral("en_GB"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("Deutsch (Österreich)")), QStringLiteral("de_AT"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("Português do Brasil")), QStringLiteral("pt_BR"));
    EXPECT_EQ(LanguageCodeOfName(QStringLiteral("Klingon")), QString());

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char *code : {"en_GB", "en_US", "de_AT", "de_DE", "fr", "pt_BR", "hyph_cs_CZ"}) {
        QFile(folder.filePath(QLatin1String(code) + QStringLiteral(".aff"))).open(QIODevice::WriteOnly);
        if (QLatin1String(code) != QLatin1String("hyph_cs_CZ"))
            QFile(folder.filePath(QLatin1String(code) + QStringLiteral(".dic"))).open(QIODevice::WriteOnly);
    }
    // An earlier folder wins over a later one with the same dictionary.
    const DictionaryCatalogue catalogue({folder.path(), TestDictionaries});
    std::vector<std::string> codes;
    for (const Dictionary &dictionary : catalogue.Dictionaries())
        codes.push_back(dictionary.Code.toStdString());
    EXPECT_EQ(codes, (std::vector<std::string>{"cs_CZ", "de_AT", "de_DE", "en_GB", "en_US", "fr", "pt_BR",
                                               "ru_RU"}));
    const auto dictionaryFor = [&](const char *name) {
        const Dictionary *found = catalogue.ForLanguage(LanguageCodeOfName(QString::fromUtf8(name)));
        return found ? found->Code.toStdString() : std::string("-");
    };
    EXPECT_EQ(dictionaryFor("Čeština"), "cs_CZ");
    EXPECT_EQ(dictionaryFor("English"), "en_US");
    EXPECT_EQ(dictionaryFor("English UK"), "en_GB");
    EXPECT_EQ(dictionaryFor("English (Australia)"), "en_US");
    EXPECT_EQ(dictionaryFor("Deutsch"), "de_DE");
    EXPECT_EQ(dictionaryFor("Deutsch (Schweiz)"), "de_DE");
    EXPECT_EQ(dictionaryFor("Français"), "fr");
    EXPECT_EQ(dictionaryFor("Português"), "pt_BR");
    EXPECT_EQ(dictionaryFor("Polski"), "-");
}

TEST(Spelling, TheChoiceTravelsInALineTheReadersSkip)
{
    const std::string saved = "Language=Čeština\r\nDefinition=demo.lnd\r\n00001:Soubor\r\n00002:Okno\r\n";
    const std::string withChoice = WithSpellingChoice(saved, "cs_CZ");
    EXPECT_EQ(withChoice, "Language=Čeština\r\nDefinition=demo.lnd\r\n/Spelling: cs_CZ\r\n00001:Soubor\r\n"
                          "00002:Okno\r\n");
    EXPECT_EQ(SplitLanguageLine("/Spelling: cs_CZ"), std::nullopt);
    EXPECT_EQ(ReadSpellingChoice(withChoice), "cs_CZ");
    EXPECT_EQ(ReadSpellingChoice(saved), std::nullopt);
    // Saved again: one line, the new choice; no choice, no line.
    EXPECT_EQ(WithSpellingChoice(withChoice, NoSpelling),
              "Language=Čeština\r\nDefinition=demo.lnd\r\n/Spelling: none\r\n00001:Soubor\r\n00002:Okno\r\n");
    EXPECT_EQ(WithSpellingChoice(withChoice, ""), saved);
    EXPECT_EQ(WithSpellingChoice("Language=Čeština\r\n", "cs_CZ"),
              "Language=Čeština\r\n/Spelling: cs_CZ\r\n");
    // Nothing that could break the line or the file is written.
    EXPECT_EQ(WithSpellingChoice(saved, "cs\r\n00003:x"), saved);
}
