#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <QList>

#include <functional>
#include <memory>
#include <utility>

namespace Ui {
class TVlastnostiForm;
}

namespace verbaria {

struct DocumentHeader;

// The language's header values and the template's. Its fields are where the running editor keeps
// the header: loading writes them, saving reads them, and what the user types takes effect at
// once, whichever button closes the dialog.
class TVlastnostiForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TVlastnostiForm(QWidget *parent = nullptr);
    ~TVlastnostiForm() override;

    // The header the fields show and change; must outlive the dialog's use.
    void Bind(DocumentHeader &header);
    // Shows the header as it now is.
    void Refresh();
    // The number of texts to translate, shown on the first page.
    void SetCount(int count);
    // The code pages of the language's values (and of the translations) and of the template's.
    void SetCodePages(const CodePage &language, const CodePage &templateCodePage);
    const CodePage &LanguageCodePage() const { return languageCodePage_; }
    // Asked when the user picks another code page for the language file: true when the document
    // took it; false leaves the choice as it was (the handler has told the user why).
    void SetCodePageHandler(std::function<bool(const QString &name)> handler)
    {
        codePageHandler_ = std::move(handler);
    }

    // The spelling dictionaries offered, each as (text shown, value the header keeps).
    void SetSpellingChoices(const QList<std::pair<QString, QString>> &choices);
    // The tag the language's name gives, shown in the empty tag field.
    void SetDerivedTag(const QString &tag);

    Ui::TVlastnostiForm &ui() { return *ui_; }

signals:
    // The user typed a character the files' code page cannot hold; it was refused.
    void UnrepresentableCharacter(const QString &text);
    // A line break pasted into a one-line field became a blank.
    void LineBreaksReplaced();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void StoreFields();

    std::unique_ptr<Ui::TVlastnostiForm> ui_;
    void CodePageChosen(int index);
    void ShowCodePage();
    void ShowSpelling();

    DocumentHeader *header_ = nullptr;
    CodePage languageCodePage_;
    CodePage templateCodePage_;
    std::function<bool(const QString &)> codePageHandler_;
    bool refreshing_ = false;
};

} // namespace verbaria
