#pragma once

#include <QObject>

#include <functional>

class QLineEdit;
class QPoint;

namespace verbaria {

class DocumentSpelling;
class TextService;

// Spelling in a one-line editor (the grid's cell editor): misspelled words underlined, and on the
// context menu over one its suggestions and "Přidat do slovníku" before the standard entries. A
// suggestion taken is typed into the editor as the user would (undo, validator, the cell follows).
// Owned by the editor it serves.
class LineEditSpelling final : public QObject
{
    Q_OBJECT

public:
    // fits tells whether a replacement can be written in the translations' code page.
    LineEditSpelling(QLineEdit *edit, DocumentSpelling &spelling, const TextService &texts,
                     std::function<bool(const QString &)> fits);

    // Underlines the misspelled words of the editor's text as it now is.
    void Underline();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowMenu(const QPoint &position);

    QLineEdit *edit_;
    DocumentSpelling &spelling_;
    const TextService &texts_;
    std::function<bool(const QString &)> fits_;
    bool composing_ = false; // an input method is composing text in the editor
    bool underlining_ = false;
};

} // namespace verbaria
