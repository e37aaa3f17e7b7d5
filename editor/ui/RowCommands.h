#pragma once

#include <QObject>

class QLabel;

namespace verbaria {

class EditorContext;
class TextPane;
class TokenHighlighter;

// The translator's keys on the current row, and the words still to do: the original copied into
// the translation, the row's review mark set or cleared, and the originals' word counts in the
// status bar (all, translated, untranslated, waiting for review). The original's placeholders,
// markup and accelerators are marked in the text pane, and a key puts the next one the translation
// lacks where the translator types.
class RowCommands final : public QObject
{
    Q_OBJECT

public:
    RowCommands(EditorContext &context, TextPane &pane);
    ~RowCommands() override;

    // The original as the left column shows it becomes the row's translation.
    void CopyOriginal();
    // A translated row waits for review, or no longer does: one undo step.
    void ToggleReview();
    // Inserts the next placeholder or markup of the original that the translation lacks: into the
    // text pane or the cell editor where the translator types, else into the current cell's
    // editor, opened for it.
    void InsertNextToken();
    // The translator's comment on the current row, written or changed in a dialog: one undo step.
    void EditComment();
    // The row's comment as the text pane's notes show it (rich text), or empty.
    QString CommentNote(int row) const;
    // After the user-interface language changed.
    void Retranslate();

    QLabel *labelSlova() const { return labelSlova_; }

protected:
    // A click on a token of the original puts it into the translation.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowWords();
    void InsertToken(const QString &token);

    EditorContext &context_;
    TextPane &pane_;
    QLabel *labelSlova_;
    TokenHighlighter *originalTokens_;
};

} // namespace verbaria
