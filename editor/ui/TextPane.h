#pragma once

#include "platform/CodePage.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTabBar;

namespace verbaria {

class DocumentSpelling;
class TextService;

// Under the grid: the selected row's original and translation whole and wrapped. The translation
// is edited here as in its cell: the cell follows every keystroke, Enter or leaving the pane ends
// the edit, Escape puts back the text from before it, a line break becomes a blank and a
// character the code page cannot hold is refused. Misspelled words of the translation are
// underlined, with the suggestions on their context menu.
class TextPane final : public QWidget
{
    Q_OBJECT

public:
    TextPane(const TextService &texts, QWidget *parent = nullptr);
    ~TextPane() override;

    // row < 1: nothing selected.
    void ShowRow(int row, const QString &original, const QString &translation, bool editable);
    // A row of a text with plural forms: one tab a form (labels), the first form is the cell's
    // translation, the others the entry's further forms. The same row shown again keeps its tab.
    void ShowRow(int row, const QString &original, const QStringList &forms, const QStringList &labels,
                 bool editable);
    int Row() const { return row_; }
    // The plural form being shown and edited (0: the cell's translation).
    int Form() const { return form_; }
    void SelectForm(int form);
    bool IsEditing() const { return editing_; }
    // Ends an edit in progress as Enter does.
    void EndEdit();
    void SetCodePage(const QString &name) { codePage_ = name; }
    void Retranslate();
    // Under both texts: what the checks found in the row and what the memory offers (rich text;
    // empty hides it).
    void SetNotes(const QString &richText);
    // Underlines the translation's misspelled words and offers suggestions; must outlive the pane.
    void SetSpelling(DocumentSpelling &spelling);

    QLabel *labelPoznamky() const { return labelPoznamky_; }
    QTabBar *tabTvary() const { return tabTvary_; }

    QPlainTextEdit *memoPuvodniText() const { return memoPuvodniText_; }
    QPlainTextEdit *memoNovyText() const { return memoNovyText_; }

signals:
    // At every change the user makes: the cell's new text.
    void TranslationEdited(int row, const QString &text);
    // The same for a further plural form (form >= 1).
    void FormEdited(int row, int form, const QString &text);
    // The edit ended (Enter, or the focus left the pane).
    void EditEnded(int row);
    // Characters the code page cannot hold were typed or pasted and refused.
    void UnrepresentableCharacter(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UserChanged();
    void ShowTranslationMenu(const QPoint &position);
    void SetTranslationQuietly(const QString &text);
    void EmitEdit(const QString &text);

    const TextService &texts_;
    QLabel *labelPuvodni_;
    QLabel *labelNovy_;
    QPlainTextEdit *memoPuvodniText_;
    QPlainTextEdit *memoNovyText_;
    QTabBar *tabTvary_;
    QLabel *labelPoznamky_;
    DocumentSpelling *spelling_ = nullptr;
    QString codePage_ = QString::fromLatin1(CodePage::FallbackName);
    int row_ = -1;
    int form_ = 0;
    // Each form's text as last shown or typed; one for a row without plural forms.
    QStringList formTexts_;
    bool editing_ = false;
    bool quiet_ = false;
    QString textBeforeEdit_;
    QString lastAccepted_;
};

} // namespace verbaria
