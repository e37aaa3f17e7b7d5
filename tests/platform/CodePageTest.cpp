#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using verbaria::CodePage;

namespace {

const QString czechLetters = u"áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"_s;

TEST(CodePage, CzechLettersMakeTheRoundTripThroughTheirOwnBytes)
{
    const CodePage codePage;
    EXPECT_EQ(codePage.Name(), u"windows-1250"_s);
    const std::optional<std::string> bytes = codePage.Encode(czechLetters);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, "\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E"
                      "\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA\xD9\xDD\x8E");
    EXPECT_EQ(codePage.Decode(*bytes), czechLetters);
    EXPECT_TRUE(codePage.CanEncode(czechLetters));
}

TEST(CodePage, EveryByteDecodesAndComesBack)
{
    for (const QString &name : {u"windows-1250"_s, u"windows-1251"_s}) {
        const std::optional<CodePage> codePage = CodePage::Named(name);
        ASSERT_TRUE(codePage.has_value()) << name.toStdString();
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        EXPECT_EQ(codePage->Encode(codePage->Decode(all)), all) << name.toStdString();
    }
}

TEST(CodePage, CharacterOutsideTheCodePageIsRefusedNotReplaced)
{
    const CodePage codePage;
    const QString cyrillic = u"Žluť ж"_s;
    EXPECT_FALSE(codePage.CanEncode(cyrillic));
    EXPECT_FALSE(codePage.Encode(cyrillic).has_value());
    EXPECT_EQ(codePage.EncodeLossy(cyrillic), "\x8Elu\x9D ?");
    // A letter that a converter might map to its look-alike without diacritics.
    EXPECT_FALSE(codePage.CanEncode(u"ã"_s));
    // Outside the basic plane, and a broken surrogate pair.
    EXPECT_EQ(codePage.EncodeLossy(u"a😀b"_s), "a?b");
    EXPECT_FALSE(codePage.CanEncode(QString(QChar(0xD800))));

    const std::optional<CodePage> russian = CodePage::Named(u"windows-1251"_s);
    ASSERT_TRUE(russian.has_value());
    EXPECT_EQ(russian->Encode(u"ж"_s), std::optional<std::string>("\xE6"));
    EXPECT_FALSE(russian->CanEncode(u"ř"_s));
}

TEST(CodePage, EmptyTextAndQuestionMarkAreNoError)
{
    const CodePage codePage;
    EXPECT_EQ(codePage.Encode(QString()), std::optional<std::string>(""));
    EXPECT_EQ(codePage.Encode(u"?"_s), std::optional<std::string>("?"));
    EXPECT_EQ(codePage.Decode({}), QString());
}

TEST(CodePage, DefaultCanBeSwitchedOnlyToAKnownCodePage)
{
    EXPECT_FALSE(CodePage::Named(u"no-such-code-page"_s).has_value());
    EXPECT_FALSE(CodePage::Named(QString()).has_value());

    EXPECT_EQ(CodePage::Default().Name(), u"windows-1250"_s);
    EXPECT_FALSE(CodePage::SetDefault(u"no-such-code-page"_s));
    EXPECT_EQ(CodePage::Default().Name(), u"windows-1250"_s);
    ASSERT_TRUE(CodePage::SetDefault(u"windows-1251"_s));
    EXPECT_EQ(CodePage::Default().Decode("\xE6"), u"ж"_s);
    ASSERT_TRUE(CodePage::SetDefault(u"windows-1250"_s));
    EXPECT_EQ(CodePage::Default().Decode("\x9E"), u"ž"_s);
}

} // namespace
