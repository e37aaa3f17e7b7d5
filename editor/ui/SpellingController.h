#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <string>
#include <string_view>
#include <utility>

namespace verbaria {

class DocumentSpelling;
class EditorContext;
class TextPane;

// Spelling in the window: the dictionary of the document's language (or the one its file chose),
// the underlines in the grid's cell editor and in the text pane, and the choices the properties
// dialog offers.
class SpellingController final : public QObject
{
    Q_OBJECT

public:
    SpellingController(EditorContext &context, TextPane &pane);
    ~SpellingController() override;

    DocumentSpelling &Spelling() { return *spelling_; }

    // The user's own words are kept in this folder.
    void SetUserWordsFolder(const QString &folder);
    // Checks the translations in the dictionary the document's choice or language names.
    void Follow();
    // What the properties dialog offers: (text, value of the header's choice).
    QList<std::pair<QString, QString>> Choices();

private:
    QString FileBaseName() const;

    EditorContext &context_;
    DocumentSpelling *spelling_ = nullptr;
};

} // namespace verbaria
