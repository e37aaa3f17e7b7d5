#include "checks/DocumentChecks.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace verbaria;
using namespace verbaria::checks;

namespace {

bool SaysSame(const DocumentChecks &checks, std::size_t index)
{
    const std::vector<Finding> findings = checks.FindingsFor(index);
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding &finding) { return finding.Check == CheckId::SameAsOriginal; });
}

// The program's own language file holds the template's own texts: nothing to warn about, until
// one text differs and the file is a translation after all.
TEST(OwnLanguage, TextsEqualToTheirOriginalsAreNoFaultUntilOneDiffers)
{
    DocumentChecks checks;
    checks.Reset({
        {ikMessage, 1, 0, "Soubor", "Soubor", "Soubor"},
        {ikMessage, 2, 0, "Otevřít", "Otevřít", "Otevřít"},
        {ikMessage, 3, 0, "Uložit", "Uložit", ""},
    });
    EXPECT_TRUE(checks.IsOwnLanguage());
    EXPECT_FALSE(SaysSame(checks, 0));
    EXPECT_FALSE(SaysSame(checks, 1));

    // One translated text: every row may change its marks.
    EXPECT_EQ(checks.SetTranslation(2, "Save").size(), 3u);
    EXPECT_FALSE(checks.IsOwnLanguage());
    EXPECT_TRUE(SaysSame(checks, 0));
    EXPECT_TRUE(SaysSame(checks, 1));

    EXPECT_EQ(checks.SetTranslation(2, "").size(), 3u);
    EXPECT_FALSE(SaysSame(checks, 0));

    // Nothing translated is no language of its own.
    checks.Reset({{ikMessage, 1, 0, "Soubor", "Soubor", ""}});
    EXPECT_FALSE(checks.IsOwnLanguage());
}

} // namespace
