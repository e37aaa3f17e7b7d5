#include "checks/WordDiff.h"

#include <gtest/gtest.h>

using namespace verbaria::checks;

namespace {

std::string Marked(std::string_view oldText, std::string_view newText)
{
    std::string out;
    for (const DiffPiece &piece : WordDiff(oldText, newText))
        out += piece.Change == DiffPiece::Same      ? piece.Text
               : piece.Change == DiffPiece::Removed ? "[-" + piece.Text + "]"
                                                    : "{+" + piece.Text + "}";
    return out;
}

} // namespace

TEST(WordDiff, ShowsWhichWordsWentAndCameAndKeepsBothTextsWhole)
{
    EXPECT_EQ(Marked("Uložit soubor", "Uložit soubor jako"), "Uložit soubor{+ jako}");
    EXPECT_EQ(Marked("Open the file", "Open a file"), "Open [-the]{+a} file");
    // A fixed typo is one word; a changed comma or full stop is shown on its own.
    EXPECT_EQ(Marked("Recieve mail.", "Receive mail!"), "[-Recieve]{+Receive} mail[-.]{+!}");
    EXPECT_EQ(Marked("", "Nový"), "{+Nový}");
    EXPECT_EQ(Marked("Starý", ""), "[-Starý]");
    EXPECT_EQ(Marked("same", "same"), "same");
    for (const auto &[a, b] : {std::pair<std::string, std::string>{"a b c d", "x b y d z"},
                               {"Zavřít  okno", "Zavřít okno nyní"}}) {
        std::string oldText;
        std::string newText;
        for (const DiffPiece &piece : WordDiff(a, b)) {
            if (piece.Change != DiffPiece::Added)
                oldText += piece.Text;
            if (piece.Change != DiffPiece::Removed)
                newText += piece.Text;
        }
        EXPECT_EQ(oldText, a);
        EXPECT_EQ(newText, b);
    }
}
