#include "settings/ui/TPridatProgramForm.h"

#include "dialogs/CodePageGuard.h"
#include "dialogs/FileDialogComponent.h"
#include "platform/CodePage.h"
#include "ui_TPridatProgramForm.h"
#include "widgets/OwnChildren.h"

#include <QFile>
#include <QStyle>

namespace verbaria {

namespace {

std::string PathBytes(const QString &text)
{
    return QFile::encodeName(text).toStdString();
}

QString PathText(const std::string &bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace

TPridatProgramForm::TPridatProgramForm(const TextService &texts, QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TPridatProgramForm>())
    , texts_(texts)
    , realDialogs_(this)
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialogs_ = &realDialogs_;
    openDialog_.Title = "Vybrat soubor";
    new FileDialogComponent(QStringLiteral("OpenDialog"), openDialog_, this);

    const QIcon folder = style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this);
    ui_->buttonOtevritProgram->setIcon(folder);
    ui_->buttonOtevritSablonu->setIcon(folder);
    connect(ui_->buttonOtevritProgram, &QToolButton::clicked, this, &TPridatProgramForm::Otevrit);
    connect(ui_->buttonOtevritSablonu, &QToolButton::clicked, this, &TPridatProgramForm::Otevrit);
    connect(ui_->buttonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->buttonCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The name goes into the catalogue in the code page: a character it cannot hold is refused.
    CodePageGuard::Watch(
        ui_->editNazev, []() -> const CodePage & { return CodePage::Default(); },
        [this](const QString &refused) {
            QString message = QString::fromStdString(
                texts_.TranslateText("Znak „%s“ nelze v kódové stránce jazykových souborů uložit."));
            message.replace(QStringLiteral("%s"), NameCharacters(refused));
            dialogs_->Inform(message.toStdString());
        },
        [this] {
            dialogs_->Inform(texts_.TranslateText("Konce řádků ve vloženém textu byly nahrazeny mezerami."));
        });
    for (QLineEdit *path : {ui_->editSablona, ui_->editProgram}) {
        // Paths are file names, not texts of a code page; only line breaks cannot go into the file.
        CodePageGuard::Watch(
            path,
            []() -> const CodePage & {
                static const CodePage utf8 = *CodePage::Named(QStringLiteral("UTF-8"));
                return utf8;
            },
            {},
            [this] {
                dialogs_->Inform(
                    texts_.TranslateText("Konce řádků ve vloženém textu byly nahrazeny mezerami."));
            });
    }
    ui_->editNazev->setFocus();
}

TPridatProgramForm::~TPridatProgramForm()
{
    DisconnectOwnChildren(*this);
}

void TPridatProgramForm::SetDialogs(UserDialogs *dialogs)
{
    dialogs_ = dialogs ? dialogs : &realDialogs_;
}

std::string TPridatProgramForm::editNazev() const
{
    return CodePage::Default().EncodeLossy(ui_->editNazev->text());
}

std::string TPridatProgramForm::editSablona() const
{
    return PathBytes(ui_->editSablona->text());
}

std::string TPridatProgramForm::editProgram() const
{
    return PathBytes(ui_->editProgram->text());
}

void TPridatProgramForm::Fill(const std::string &nazev, const std::string &sablona,
                              const std::string &program)
{
    ui_->editNazev->setText(CodePage::Default().Decode(nazev));
    ui_->editSablona->setText(PathText(sablona));
    ui_->editProgram->setText(PathText(program));
}

void TPridatProgramForm::accept()
{
    // The catalogue's line is "name = template;program": an "=" in the name or a ";" in a path
    // would split the entry when the file is read back.
    if (ui_->editNazev->text().contains(QLatin1Char('='))) {
        dialogs_->Inform(texts_.TranslateText("Název programu nesmí obsahovat znak „=“."));
        ui_->editNazev->setFocus();
        return;
    }
    for (QLineEdit *path : {ui_->editSablona, ui_->editProgram}) {
        if (path->text().contains(QLatin1Char(';'))) {
            dialogs_->Inform(
                texts_.TranslateText("Cesta k šabloně ani k programu nesmí obsahovat znak „;“."));
            path->setFocus();
            return;
        }
    }
    QDialog::accept();
}

void TPridatProgramForm::Otevrit()
{
    const bool program = sender() == ui_->buttonOtevritProgram;
    QLineEdit *field = program ? ui_->editProgram : ui_->editSablona;
    openDialog_.FileName = PathBytes(field->text());
    openDialog_.Filter = program ? texts_.TranslateText("Programy (*.exe)|*.exe|Všechny soubory (*.*)|*.*")
                                 : texts_.TranslateText("Šablony jazyka (*.lnd)|*.lnd|Všechny soubory|*.*");
    if (const auto chosen = dialogs_->ChooseFileToOpen(openDialog_))
        field->setText(PathText(*chosen));
}

} // namespace verbaria
