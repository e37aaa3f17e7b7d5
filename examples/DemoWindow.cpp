#include "DemoWindow.h"

#include <translator/qt/TKVTranslator.h>

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
QString LanguagesFolder()
{
    return QStringLiteral(EXAMPLE_LANGUAGES_DIR);
}
} // namespace

DemoWindow::DemoWindow(QWidget *parent)
    : QMainWindow(parent)
    , translator_(new verbaria::qt::TKVTranslator(this))
{
    // The program's own language is Czech; the language files name every text by its path.
    setObjectName(QStringLiteral("DemoForm"));
    setWindowTitle(QStringLiteral("Ukázka překladače"));
    resize(520, 300);

    auto *actionZprava = new QAction(QStringLiteral("Zpráva"), this);
    actionZprava->setObjectName(QStringLiteral("actionZprava"));
    actionZprava->setToolTip(QStringLiteral("Ukáže přeloženou zprávu"));
    actionZprava->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    auto *actionKonec = new QAction(QStringLiteral("Konec"), this);
    actionKonec->setObjectName(QStringLiteral("actionKonec"));

    QMenu *menuSoubor = menuBar()->addMenu(QStringLiteral("Soubor"));
    menuSoubor->setObjectName(QStringLiteral("menuSoubor"));
    menuSoubor->addAction(actionZprava);
    menuSoubor->addSeparator();
    menuSoubor->addAction(actionKonec);

    // Language names are written in their own language, so they are not translated.
    QMenu *menuJazyk = menuBar()->addMenu(QStringLiteral("Jazyk"));
    menuJazyk->setObjectName(QStringLiteral("menuJazyk"));
    auto *languages = new QActionGroup(this);
    for (const auto &[name, file] : {std::pair{QStringLiteral("Čeština"), QStringLiteral("czech.lng")},
                                     std::pair{QStringLiteral("English"), QStringLiteral("english.lng")}}) {
        QAction *action = menuJazyk->addAction(name);
        action->setCheckable(true);
        action->setChecked(file == QStringLiteral("czech.lng"));
        languages->addAction(action);
        connect(action, &QAction::triggered, this, [this, file] { UseLanguage(file); });
    }

    QToolBar *toolHlavni = addToolBar(QStringLiteral("Nástroje"));
    toolHlavni->setObjectName(QStringLiteral("toolHlavni"));
    toolHlavni->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolHlavni->addAction(actionZprava);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panelHlavni"));
    auto *layout = new QVBoxLayout(panel);
    auto *labelNadpis = new QLabel(QStringLiteral("Vítejte v ukázce"), panel);
    labelNadpis->setObjectName(QStringLiteral("labelNadpis"));
    labelNadpis->setStyleSheet(QStringLiteral("font-size: 18pt; font-weight: bold"));
    auto *labelPopis = new QLabel(QStringLiteral("Jazyk zvolte v nabídce Jazyk."), panel);
    labelPopis->setObjectName(QStringLiteral("labelPopis"));
    auto *form = new QFormLayout;
    auto *labelBarva = new QLabel(QStringLiteral("Oblíbená barva:"), panel);
    labelBarva->setObjectName(QStringLiteral("labelBarva"));
    auto *comboBarva = new QComboBox(panel);
    comboBarva->setObjectName(QStringLiteral("comboBarva"));
    comboBarva->addItems({QStringLiteral("červená"), QStringLiteral("zelená"), QStringLiteral("modrá")});
    form->addRow(labelBarva, comboBarva);
    auto *buttonZprava = new QPushButton(QStringLiteral("Ukázat zprávu"), panel);
    buttonZprava->setObjectName(QStringLiteral("buttonZprava"));
    layout->addWidget(labelNadpis);
    layout->addWidget(labelPopis);
    layout->addLayout(form);
    layout->addWidget(buttonZprava);
    layout->addStretch();
    setCentralWidget(panel);

    connect(actionZprava, &QAction::triggered, this, &DemoWindow::ShowMessage);
    connect(buttonZprava, &QPushButton::clicked, this, &DemoWindow::ShowMessage);
    connect(actionKonec, &QAction::triggered, this, &QWidget::close);
    connect(translator_, &verbaria::qt::TKVTranslator::ErrorOccurred, this,
            [this](const QString &message) { QMessageBox::critical(this, windowTitle(), message); });

    translator_->SetSeparator(QStringLiteral(","));
    translator_->LoadTemplate(QDir(LanguagesFolder()).filePath(QStringLiteral("demo.lnd")));
}

bool DemoWindow::UseLanguage(const QString &fileName)
{
    // A bare name is taken from the languages folder.
    const QString path = QFileInfo::exists(fileName) ? fileName : QDir(LanguagesFolder()).filePath(fileName);
    return translator_->SetLanguageFile(path) && translator_->Translate();
}

void DemoWindow::ShowMessage()
{
    QMessageBox::information(
        this, translator_->TranslateText(QStringLiteral("Zpráva")),
        translator_->TranslateText(QStringLiteral("Dobrý den! Tuto zprávu přeložil překladač.")));
}
