#include "editor/ui/TVlastnostiForm.h"

#include "dialogs/CodePageGuard.h"
#include "editor/core/LanguageDocument.h"
#include "platform/CodePage.h"
#include "ui_TVlastnostiForm.h"
#include "widgets/OwnChildren.h"

namespace verbaria {

TVlastnostiForm::TVlastnostiForm(QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TVlastnostiForm>())
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(ui_->buttonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->buttonZrusit, &QPushButton::clicked, this, &QDialog::reject);
    auto codePage = [this]() -> const CodePage & { return languageCodePage_; };
    for (QLineEdit *edit : {ui_->editJazyk, ui_->editVerzeJazyka, ui_->editSablona}) {
        CodePageGuard::Watch(
            edit, codePage, [this](const QString &text) { emit UnrepresentableCharacter(text); },
            [this] { emit LineBreaksReplaced(); });
        connect(edit, &QLineEdit::textChanged, this, [this] { StoreFields(); });
    }
    CodePageGuard::Watch(ui_->memoAutorJazyka, this, codePage,
                         [this](const QString &text) { emit UnrepresentableCharacter(text); });
    ui_->comboKodovaStranka->addItems(CodePage::OfferedNames());
    connect(ui_->comboKodovaStranka, &QComboBox::activated, this, &TVlastnostiForm::CodePageChosen);
    connect(ui_->memoAutorJazyka, &QPlainTextEdit::textChanged, this, [this] { StoreFields(); });
    connect(ui_->comboPravopis, &QComboBox::activated, this, [this](int index) {
        if (header_)
            header_->Pravopis = ui_->comboPravopis->itemData(index).toString().toStdString();
    });
    connect(ui_->checkSledovatOriginaly, &QCheckBox::clicked, this, [this](bool on) {
        if (header_)
            header_->SledovatOriginaly = on;
    });
    // A tag is ASCII letters, digits and dashes; what the field holds is the translator's choice.
    connect(ui_->editZnackaJazyka, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (header_)
            header_->JazykovyTag = text.trimmed().toStdString();
    });
    ui_->pageControl->setCurrentWidget(ui_->tabJazyk);
    ui_->editJazyk->setFocus();
}

TVlastnostiForm::~TVlastnostiForm()
{
    DisconnectOwnChildren(*this);
}

void TVlastnostiForm::Bind(DocumentHeader &header)
{
    header_ = &header;
    Refresh();
}

void TVlastnostiForm::Refresh()
{
    if (!header_)
        return;
    const CodePage &codePage = languageCodePage_;
    refreshing_ = true;
    ui_->editJazyk->setText(codePage.Decode(header_->editJazyk));
    ui_->editVerzeJazyka->setText(codePage.Decode(header_->editVerzeJazyka));
    ui_->editSablona->setText(codePage.Decode(header_->editSablona));
    ui_->memoAutorJazyka->setPlainText(codePage.Decode(header_->memoAutorJazyka));
    ui_->editProgram->setText(templateCodePage_.Decode(header_->editProgram));
    ui_->editVerzeProgramu->setText(templateCodePage_.Decode(header_->editVerzeProgramu));
    ui_->memoAutorProgramu->setPlainText(templateCodePage_.Decode(header_->memoAutorProgramu));
    ShowCodePage();
    ShowSpelling();
    ui_->checkSledovatOriginaly->setChecked(header_->SledovatOriginaly);
    ui_->editZnackaJazyka->setText(QString::fromStdString(header_->JazykovyTag));
    refreshing_ = false;
}

void TVlastnostiForm::SetDerivedTag(const QString &tag)
{
    // What an empty field means: the tag the language's name gives.
    ui_->editZnackaJazyka->setPlaceholderText(tag);
}

void TVlastnostiForm::SetSpellingChoices(const QList<std::pair<QString, QString>> &choices)
{
    QComboBox *combo = ui_->comboPravopis;
    combo->clear();
    for (const auto &[text, value] : choices)
        combo->addItem(text, value);
    ShowSpelling();
}

void TVlastnostiForm::ShowSpelling()
{
    QComboBox *combo = ui_->comboPravopis;
    if (!header_ || combo->count() == 0)
        return;
    const QString chosen = QString::fromStdString(header_->Pravopis);
    int index = combo->findData(chosen);
    // A dictionary this computer lacks is still the document's choice.
    if (index < 0) {
        combo->addItem(chosen, chosen);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

void TVlastnostiForm::SetCodePages(const CodePage &language, const CodePage &templateCodePage)
{
    languageCodePage_ = language;
    templateCodePage_ = templateCodePage;
    Refresh();
}

void TVlastnostiForm::ShowCodePage()
{
    QComboBox *combo = ui_->comboKodovaStranka;
    int index = -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (languageCodePage_.Is(combo->itemText(i)))
            index = i;
    }
    // A declared code page that is not on the list is still the file's.
    if (index < 0) {
        combo->addItem(languageCodePage_.Name());
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

void TVlastnostiForm::CodePageChosen(int index)
{
    const QString name = ui_->comboKodovaStranka->itemText(index);
    if (languageCodePage_.Is(name))
        return;
    if (!codePageHandler_ || !codePageHandler_(name)) {
        ShowCodePage();
        return;
    }
    // The handler has given the document (and through SetCodePages this dialog) the new one.
    ShowCodePage();
}

void TVlastnostiForm::SetCount(int count)
{
    ui_->labelKPrekladuN->setText(QString::number(count));
}

void TVlastnostiForm::StoreFields()
{
    if (refreshing_ || !header_)
        return;
    const CodePage &codePage = languageCodePage_;
    header_->editJazyk = codePage.EncodeLossy(ui_->editJazyk->text());
    header_->editVerzeJazyka = codePage.EncodeLossy(ui_->editVerzeJazyka->text());
    header_->editSablona = codePage.EncodeLossy(ui_->editSablona->text());
    // The memo separates lines with LF; the header keeps CR LF, which saving turns into "|".
    QString author = ui_->memoAutorJazyka->toPlainText();
    author.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    header_->memoAutorJazyka = codePage.EncodeLossy(author);
}

void TVlastnostiForm::showEvent(QShowEvent *event)
{
    Refresh();
    QDialog::showEvent(event);
}

} // namespace verbaria
