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
    // After the user-interface language changed.
    void Retranslate();

    QLabel *labelSlova() const { return labelSlova_; }

private:
    void ShowWords();

    EditorContext &context_;
    TextPane &pane_;
    QLabel *labelSlova_;
    TokenHighlighter *originalTokens_;
};

} // namespace verbaria
