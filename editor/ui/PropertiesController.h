#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <utility>

namespace verbaria {

class EditorContext;
class TVlastnostiForm;

// The language's properties dialog: what it shows of the document, and its choice of the language
// file's code page, which converts the translations and the language's values.
class PropertiesController final : public QObject
{
    Q_OBJECT

public:
    using SpellingChoices = std::function<QList<std::pair<QString, QString>>()>;
    PropertiesController(EditorContext &context, SpellingChoices spellingChoices);

    void SetDialog(TVlastnostiForm *dialog);
    // Shows the dialog on the document's header; its changes are one undo step.
    void Show();
    // Gives the grid and the dialog the document's code pages.
    void ApplyCodePages();

private:
    // When the new code page cannot hold some texts nothing changes and the rows are listed.
    // True when the document took it.
    bool ChangeCodePage(const QString &name);

    EditorContext &context_;
    SpellingChoices spellingChoices_;
    QPointer<TVlastnostiForm> dialog_;
};

} // namespace verbaria
