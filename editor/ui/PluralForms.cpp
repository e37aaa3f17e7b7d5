#include "editor/ui/PluralForms.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "translator/qt/QtOwnTexts.h"

namespace verbaria {

PluralRule DocumentPluralRule(const LanguageDocument &document)
{
    const DocumentHeader &header = document.Header();
    const CodePage codePage =
        CodePage::Named(QString::fromStdString(document.LanguageCodePage())).value_or(CodePage());
    return qt::QtOwnTexts::PluralRuleFor(TrimBlanks(header.PluralForms), codePage.Decode(header.editJazyk),
                                         QString::fromStdString(document.souborJazyka()));
}

QStringList PluralFormLabels(const PluralRule &rule, int count, const TextService &texts)
{
    constexpr int Shown = 3;
    std::vector<QStringList> counts(static_cast<std::size_t>(rule.Count()));
    std::vector<bool> more(counts.size(), false);
    for (std::int64_t n = 0; n <= 1000; ++n) {
        const auto form = static_cast<std::size_t>(rule.FormFor(n));
        if (counts[form].size() < Shown)
            counts[form] << QString::number(n);
        else
            more[form] = true;
    }
    const QString withCounts = UiText(texts.TranslateText("%1: n = %2"));
    const QString alone = UiText(texts.TranslateText("Tvar %1"));
    QStringList labels;
    for (int form = 0; form < count; ++form) {
        const auto at = static_cast<std::size_t>(form);
        if (at < counts.size() && !counts[at].isEmpty())
            labels << withCounts.arg(form + 1).arg(counts[at].join(QStringLiteral(", ")) +
                                                   (more[at] ? QStringLiteral("…") : QString()));
        else
            labels << alone.arg(form + 1);
    }
    return labels;
}

} // namespace verbaria
