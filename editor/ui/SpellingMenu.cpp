#include "editor/ui/SpellingMenu.h"

#include "dialogs/UiText.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentSpelling.h"
#include "spelling/Replacement.h"

#include <QAction>
#include <QMenu>

namespace verbaria::SpellingMenu {

namespace {

constexpr int MostSuggestions = 8;

} // namespace

std::optional<spelling::MisspelledWord> WordAt(const std::vector<spelling::MisspelledWord> &words,
                                               int position)
{
    for (const spelling::MisspelledWord &word : words) {
        if (position >= word.Start && position <= word.Start + word.Length)
            return word;
    }
    return std::nullopt;
}

void AddEntries(QMenu &menu, DocumentSpelling &spelling, const TextService &texts,
                const spelling::MisspelledWord &word, const QString &written,
                const std::function<bool(const QString &)> &fits,
                const std::function<void(const QString &)> &replace)
{
    QAction *first = menu.actions().isEmpty() ? nullptr : menu.actions().constFirst();
    QList<QAction *> entries;
    if (replace) {
        int offered = 0;
        for (const QString &suggestion : spelling.Suggestions(word.Word)) {
            if (offered == MostSuggestions)
                break;
            const QString replacement = spelling::ReplacementFor(written, suggestion);
            if (fits && !fits(replacement))
                continue;
            auto *action = new QAction(suggestion, &menu);
            QFont font = action->font();
            font.setBold(true);
            action->setFont(font);
            QObject::connect(action, &QAction::triggered, &menu,
                             [replace, replacement] { replace(replacement); });
            entries.append(action);
            ++offered;
        }
        if (offered == 0) {
            auto *none = new QAction(UiText(texts.TranslateText("(žádné návrhy)")), &menu);
            none->setEnabled(false);
            entries.append(none);
        }
    }
    auto *add = new QAction(UiText(texts.TranslateText("Přidat do slovníku")), &menu);
    add->setData(QStringLiteral("menuPridatDoSlovniku"));
    const QString looked = word.Word;
    QObject::connect(add, &QAction::triggered, &menu,
                     [&spelling, looked] { spelling.AddToUserWords(looked); });
    entries.append(add);
    menu.insertActions(first, entries);
    if (first)
        menu.insertSeparator(first);
}

} // namespace verbaria::SpellingMenu
