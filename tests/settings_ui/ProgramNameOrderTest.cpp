#include "settings/ui/ProgramNameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

using verbaria::ProgramNameOrder;

namespace {

QStringList Sorted(QStringList names, const QLocale &locale)
{
    const ProgramNameOrder order(locale);
    std::stable_sort(names.begin(), names.end(),
                     [&order](const QString &a, const QString &b) { return order.Less(a, b); });
    return names;
}

QStringList Names(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *name : names)
        list << QString::fromUtf8(name);
    return list;
}

} // namespace

// The rules hold in the untailored order ("C" falls back to it) and in the Czech one alike.
class ProgramNameOrderTest : public ::testing::TestWithParam<QLocale::Language>
{
protected:
    QStringList Sort(std::initializer_list<const char *> names)
    {
        return Sorted(Names(names), QLocale(GetParam()));
    }
};

TEST_P(ProgramNameOrderTest, LettersBeforeCaseAndLowercaseBeforeItsCapital)
{
    EXPECT_EQ(Sort({"B", "b", "A", "a"}), Names({"a", "A", "b", "B"}));
    EXPECT_EQ(Sort({"AB", "aa"}), Names({"aa", "AB"}));
    EXPECT_EQ(Sort({"Ab", "aB", "ab", "AB"}), Names({"ab", "aB", "Ab", "AB"}));
}

TEST_P(ProgramNameOrderTest, HyphenAndApostropheOnlyBreakTies)
{
    EXPECT_EQ(Sort({"coopz", "co-op", "cooo", "coop"}), Names({"cooo", "coop", "co-op", "coopz"}));
    EXPECT_EQ(Sort({"itsy", "it's", "its", "itr"}), Names({"itr", "its", "it's", "itsy"}));
    EXPECT_EQ(Sort({"-b", "a"}), Names({"a", "-b"}));
}

TEST_P(ProgramNameOrderTest, PunctuationBeforeDigitsBeforeLetters)
{
    EXPECT_EQ(Sort({"a", "1", "!x", "_z", "(b"}), Names({"_z", "!x", "(b", "1", "a"}));
}

TEST_P(ProgramNameOrderTest, DigitsCompareOneAtATime)
{
    EXPECT_EQ(Sort({"321", "1230", "99"}), Names({"1230", "321", "99"}));
}

TEST_P(ProgramNameOrderTest, DifferentNamesNeverCompareEqual)
{
    const ProgramNameOrder order{QLocale(GetParam())};
    EXPECT_NE(order.Compare(QStringLiteral("co-op"), QStringLiteral("coop")), 0);
    EXPECT_NE(order.Compare(QStringLiteral("co-op"), QStringLiteral("coo'p")), 0);
    EXPECT_EQ(order.Compare(QStringLiteral("Alfa"), QStringLiteral("Alfa")), 0);
}

INSTANTIATE_TEST_SUITE_P(Locales, ProgramNameOrderTest, ::testing::Values(QLocale::C, QLocale::Czech));
