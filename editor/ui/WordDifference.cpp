#include "editor/ui/WordDifference.h"

#include "checks/WordDiff.h"
#include "dialogs/UiText.h"

namespace verbaria {

QString MarkedDifference(const QString &oldText, const QString &newText, DifferenceShown shown)
{
    QString html;
    const std::string before = oldText.toStdString();
    const std::string after = newText.toStdString();
    for (const checks::DiffPiece &piece : checks::WordDiff(before, after)) {
        const QString text = RichTextLines(QString::fromStdString(piece.Text));
        if (piece.Change == checks::DiffPiece::Same)
            html += text;
        else if (piece.Change == checks::DiffPiece::Removed && shown != DifferenceShown::New)
            html += QStringLiteral(
                        "<span style=\"background-color:#f4b6b6; text-decoration:line-through\">%1</span>")
                        .arg(text);
        else if (piece.Change == checks::DiffPiece::Added && shown != DifferenceShown::Old)
            html += QStringLiteral("<span style=\"background-color:#b9e8b0\">%1</span>").arg(text);
    }
    return html;
}

} // namespace verbaria
