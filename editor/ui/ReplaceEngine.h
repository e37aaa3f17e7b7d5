#pragma once

#include "platform/CodePage.h"

#include <QRegularExpression>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace verbaria {

class LanguageDocument;

struct ReplaceOptions
{
    QString Find;
    QString Replacement;
    bool RegularExpression = false;
    bool MatchCase = false;
    bool WholeWord = false;
    // Matches as if the accelerator marks (a single "&"; "&&" is a plain "&") were not there.
    bool IgnoreAccelerators = false;
};

// One translation a replace changes, in the files' code page.
struct RowReplacement
{
    int Row = 0;
    std::string OldText;
    std::string NewText;
    int Matches = 0;
    QString OldShown;
    QString NewShown;
};

struct ReplacePlan
{
    std::vector<RowReplacement> Rows;
    int Matches = 0;
    // Rows whose new text the code page cannot hold; they stay as they are.
    int Refused = 0;
    // Set when the expression is not valid: nothing is planned.
    QString Error;
};

// The expression the options stand for; invalid for an invalid regular expression.
QRegularExpression ReplaceExpression(const ReplaceOptions &options);
// text with every match replaced; count gets the number of matches.
QString ReplaceInText(const QString &text, const QRegularExpression &expression,
                      const ReplaceOptions &options, int &count);
// What replacing in the translations of the rows to translate would change; shown(row) says which
// rows take part (the filter's).
ReplacePlan PlanReplace(const LanguageDocument &document, const CodePage &codePage,
                        const ReplaceOptions &options, const std::function<bool(int row)> &shown);

} // namespace verbaria
