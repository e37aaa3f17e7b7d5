#include "checks/PseudoText.h"

#include <gtest/gtest.h>

using namespace verbaria::checks;

namespace {

// What the program reads stays byte for byte; only the prose around it is accented.
TEST(PseudoText, KeepsWhatTheProgramReadsAndAccentsTheRest)
{
    const PseudoLanguage pseudo;
    EXPECT_EQ(pseudo.Text("Open"), "[Ŏƥēň ~]");
    EXPECT_EQ(pseudo.Text(""), "");
    EXPECT_EQ(pseudo.Text("%1 of %L2"), "[%1 ŏƒ %L2 ~~~]");
    EXPECT_EQ(pseudo.Text("%s: %n files, 50%%"), "[%s: %n ƒíĺēš, 50%% ~~~~~~~]");
    EXPECT_EQ(pseudo.Text("{name} is {0}"), "[{name} íš {0} ~~~~~]");
    // The accelerator's letter stays the letter the user presses; && is an ampersand.
    EXPECT_EQ(pseudo.Text("&Open"), "[&Oƥēň ~]");
    EXPECT_EQ(pseudo.Text("A && B"), "[Ȧ && Ɓ ~~]");
    EXPECT_EQ(pseudo.Text("Tom & Jerry"), "[Ťŏṁ & Ĵēřřý ~~~~]");
    EXPECT_EQ(pseudo.Text("<b>Bold</b> &amp; &#38;"), "[<b>Ɓŏĺď</b> &amp; &#38; ~~~~~~]");
    // The one-line form: "|" and the escapes of a message's /Source line.
    EXPECT_EQ(pseudo.Text("Line|next\\nend\\\\"), "[Ĺíňē|ňēẋť\\nēňď\\\\ ~~~~~~]");
    // Letters beyond ASCII stay as they are.
    EXPECT_EQ(pseudo.Text("Už"), "[Ůž ~]");
}

TEST(PseudoText, LengthensShortTextsMoreThanLongOnesUnlessTold)
{
    const auto padding = [](const std::string &text) {
        const std::size_t blank = text.rfind(' ');
        return text.size() - blank - 2; // the tildes between the last blank and "]"
    };
    const PseudoLanguage byLength;
    const std::string shortText(10, 'x');
    const std::string longText(200, 'x');
    EXPECT_EQ(padding(byLength.Text(shortText)), 3u); // 40 %: a blank and three tildes
    EXPECT_EQ(padding(byLength.Text(longText)), 19u); // 10 %
    const PseudoLanguage doubled({.ExpandPercent = 100, .CanHold = {}});
    EXPECT_EQ(padding(doubled.Text(shortText)), 9u);
    const PseudoLanguage bare({.ExpandPercent = 0, .CanHold = {}});
    EXPECT_EQ(bare.Text("Open"), "[Ŏƥēň]");
}

// windows-1250 holds č, ř, ů, á..., not ŏ or ƥ: each letter takes the first accented form the
// code page holds, else stays plain.
TEST(PseudoText, TakesTheAccentsTheCodePageHolds)
{
    const std::u32string central =
        U"ÁÄÉËÍÓÔÖÚÜÝáäéëíóôöúüýČčĎďĚěĹĺĽľŇňŔŕŘřŠšŤťŮůŽžŁłŃńŚśŹźŻżĆćĘęŐőŰűÇçŞşŢţĂăÂâÎî";
    const PseudoLanguage pseudo({.ExpandPercent = 0, .CanHold = [&](char32_t c) {
                                     return c < 0x80 || central.find(c) != std::u32string::npos;
                                 }});
    EXPECT_EQ(pseudo.Text("Open file"), "[Ópéň fíĺé]");
    EXPECT_EQ(pseudo.Text("QUIT"), "[QŮÍŤ]");
}

TEST(PseudoText, EntriesKeepTheirListsShortcutsAndNumbers)
{
    const PseudoLanguage pseudo({.ExpandPercent = 0, .CanHold = {}});
    EXPECT_EQ(pseudo.Entry("Form.combo.Items", "one, two,three"), "[ŏňē],[ťŵŏ],[ťĥřēē]");
    EXPECT_EQ(pseudo.Entry("Form.list.items", "a;b", ";"), "[ȧ];[ƀ]");
    EXPECT_EQ(pseudo.Entry("Form.button.Caption", "one, two"), "[ŏňē, ťŵŏ]");
    EXPECT_FALSE(pseudo.Entry("Form.action.shortcut", "Ctrl+O"));
    EXPECT_FALSE(pseudo.Entry("Form.edit.Tag", "12"));
    EXPECT_FALSE(pseudo.Entry("Form.spin.maximum", "100"));
    EXPECT_FALSE(pseudo.Entry({}, "  "));
    EXPECT_EQ(pseudo.Entry({}, "Save"), "[Šȧṽē]");
}

} // namespace
