#include "MainWindow.h"

#include "ui_MainWindow.h"

#include <translator/qt/QtOwnTexts.h>
#include <translator/qt/TKVQtTranslator.h>
#include <translator/qt/TKVTranslator.h>

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QStatusBar>

namespace Files {

MainWindow::MainWindow(const QString &languagesFolder, QWidget *parent)
    : QMainWindow(parent)
    , ui_(std::make_unique<Ui::MainWindow>())
    , languagesFolder_(languagesFolder)
    , translator_(new verbaria::qt::TKVTranslator(this))
    , qtTexts_(std::make_unique<verbaria::qt::QtOwnTexts>())
{
    ui_->setupUi(this);
    // The whole of what a tr() program adds: one template, and one translator installed.
    translator_->LoadTemplate(QDir(languagesFolder).filePath(QStringLiteral("files.lnd")));
    route_ = std::make_unique<verbaria::qt::TKVQtTranslator>(translator_);
    QCoreApplication::installTranslator(route_.get());

    for (int i = 1; i <= 7; ++i)
        ui_->listFiles->addItem(QStringLiteral("report-%1.pdf").arg(i));
    connect(ui_->listFiles, &QListWidget::itemSelectionChanged, this, &MainWindow::UpdateSelection);
    connect(ui_->buttonSelectAll, &QPushButton::clicked, ui_->listFiles, &QListWidget::selectAll);
    connect(ui_->actionQuit, &QAction::triggered, this, &QWidget::close);

    auto *group = new QActionGroup(this);
    const struct
    {
        const char *Name;
        const char *File;
    } languages[] = {{"English", ""}, {"Čeština", "czech"}, {"العربية", "arabic"}};
    for (const auto &language : languages) {
        QAction *action = ui_->menuLanguage->addAction(QString::fromUtf8(language.Name));
        action->setCheckable(true);
        action->setChecked(!*language.File);
        group->addAction(action);
        const QString file = QString::fromLatin1(language.File);
        connect(action, &QAction::triggered, this, [this, file] { UseLanguage(file); });
    }
    Retranslate();
}

MainWindow::~MainWindow()
{
    QCoreApplication::removeTranslator(route_.get());
}

bool MainWindow::UseLanguage(const QString &name)
{
    const QString file =
        name.isEmpty() ? QString() : QDir(languagesFolder_).filePath(name + QStringLiteral(".lng"));
    if (!translator_->SetLanguageFile(file))
        return false;
    qtTexts_->Follow(translator_->Decode(translator_->Core().LanguageInfo().Language), file);
    // Translate announces the new language: retranslateUi runs through changeEvent below.
    return translator_->Translate();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui_->retranslateUi(this);
        Retranslate();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::Retranslate()
{
    ui_->listFiles->setToolTip(tr("Open", "state") + QStringLiteral(": ") + tr("%n file(s)", nullptr, 7));
    UpdateSelection();
}

void MainWindow::UpdateSelection()
{
    const int selected = static_cast<int>(ui_->listFiles->selectedItems().size());
    statusBar()->showMessage(selected == 0 ? QCoreApplication::translate("Status", "Ready")
                                           : tr("%n file(s) selected", nullptr, selected));
}

} // namespace Files
