#pragma once

#include <QDialog>

#include <memory>

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

    Ui::TVlastnostiForm &ui() { return *ui_; }

signals:
    // The user typed a character the files' code page cannot hold; it was refused.
    void unrepresentableCharacter(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void StoreFields();

    std::unique_ptr<Ui::TVlastnostiForm> ui_;
    DocumentHeader *header_ = nullptr;
    bool refreshing_ = false;
};

} // namespace verbaria
