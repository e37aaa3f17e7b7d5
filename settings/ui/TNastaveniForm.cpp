#include "settings/ui/TNastaveniForm.h"

#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "settings/ui/SettingsDialogHost.h"
#include "settings/ui/TProgramyForm.h"
#include "ui_TNastaveniForm.h"
#include "widgets/OwnChildren.h"

#include <QFile>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>

namespace verbaria {

namespace {

// The file name as the folder lists it, kept beside the shown text so the stored name is exact.
constexpr int FileNameRole = Qt::UserRole + 1;

} // namespace

TNastaveniForm::TNastaveniForm(SettingsDialogHost &host, TProgramyForm &programy, QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TNastaveniForm>())
    , host_(host)
    , programy_(programy)
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QIcon picture = QIcon::fromTheme(QStringLiteral("applications-other"));
    if (picture.isNull())
        picture = style()->standardIcon(QStyle::SP_DesktopIcon, nullptr, this);
    ui_->buttoinNastavProgramy->setIcon(picture);

    connect(ui_->checkAutoDoplnovani, &QCheckBox::clicked, this, &TNastaveniForm::Zmena);
    connect(ui_->listJazyky, &QListWidget::itemSelectionChanged, this, &TNastaveniForm::Zmena);
    connect(ui_->checkSledovatOriginaly, &QCheckBox::clicked, this,
            [this](bool on) { host_.Settings().SledovatOriginaly = on; });
    ui_->comboKodovaStranka->addItems(CodePage::OfferedNames());
    connect(ui_->comboKodovaStranka, &QComboBox::activated, this, &TNastaveniForm::ZmenaKodoveStranky);
    connect(ui_->buttonOK, &QPushButton::clicked, this, &TNastaveniForm::buttonOKClick);
    connect(ui_->buttonZrusit, &QPushButton::clicked, this, &TNastaveniForm::buttonZrusitClick);
    connect(ui_->buttoinNastavProgramy, &QPushButton::clicked, this, &TNastaveniForm::NastavitProgramy);
    setFixedSize(size().expandedTo(minimumSizeHint()));
}

TNastaveniForm::~TNastaveniForm()
{
    DisconnectOwnChildren(*this);
}

void TNastaveniForm::SetAutoDoplnovani(bool on)
{
    ui_->checkAutoDoplnovani->setChecked(on);
}

void TNastaveniForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        Ukaz();
    QDialog::showEvent(event);
}

void TNastaveniForm::Ukaz()
{
    SettingsValues &settings = host_.Settings();
    settings.AutomatickeDoplnovani = ui_->checkAutoDoplnovani->isChecked();
    ui_->checkSledovatOriginaly->setChecked(settings.SledovatOriginaly);
    // Filling the list is not the user's choice: it must not reach Zmena.
    const QSignalBlocker blocker(ui_->listJazyky);
    ui_->listJazyky->clear();
    for (const std::string &name : host_.LanguageFiles()) {
        auto *line = new QListWidgetItem(QFile::decodeName(QByteArray::fromStdString(name)), ui_->listJazyky);
        line->setData(FileNameRole, QByteArray::fromStdString(name));
        if (EqualsIgnoringAsciiCase(name, settings.JazykRozhrani) &&
            ui_->listJazyky->selectedItems().isEmpty()) {
            ui_->listJazyky->setCurrentItem(line);
            line->setSelected(true);
        }
    }
    if (ui_->listJazyky->selectedItems().isEmpty())
        ui_->listJazyky->setCurrentRow(-1);
    const QString codePage = settings.KodovaStranka.empty() ? QString::fromLatin1(CodePage::FallbackName)
                                                            : QString::fromStdString(settings.KodovaStranka);
    int index = ui_->comboKodovaStranka->findText(codePage, Qt::MatchFixedString);
    if (index < 0) {
        ui_->comboKodovaStranka->addItem(codePage);
        index = ui_->comboKodovaStranka->count() - 1;
    }
    ui_->comboKodovaStranka->setCurrentIndex(index);
}

void TNastaveniForm::ZmenaKodoveStranky(int index)
{
    const QString name = ui_->comboKodovaStranka->itemText(index);
    // Stored from the first choice on; until then the settings file stays as it always was.
    if (!CodePage::SetDefault(name))
        return;
    host_.Settings().KodovaStranka = name.toStdString();
    host_.ApplyCodePages();
}

std::string TNastaveniForm::SelectedLanguage() const
{
    const QList<QListWidgetItem *> selected = ui_->listJazyky->selectedItems();
    return selected.isEmpty() ? std::string()
                              : selected.constFirst()->data(FileNameRole).toByteArray().toStdString();
}

void TNastaveniForm::Zmena()
{
    SettingsValues &settings = host_.Settings();
    settings.AutomatickeDoplnovani = ui_->checkAutoDoplnovani->isChecked();
    const std::string language = SelectedLanguage();
    if (!language.empty())
        settings.JazykRozhrani = language;
}

void TNastaveniForm::buttonOKClick()
{
    const std::string language = SelectedLanguage();
    if (!language.empty())
        host_.ApplyInterfaceLanguage(language);
    accept();
}

void TNastaveniForm::buttonZrusitClick()
{
    reject();
}

void TNastaveniForm::NastavitProgramy()
{
    programy_.exec();
}

} // namespace verbaria
