#include "TranslatorTestFiles.h"

#include "translator/qt/FitReport.h"
#include "translator/qt/TKVTranslator.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>

using verbaria::qt::FitProblem;

namespace {

const FitProblem *Find(const std::vector<FitProblem> &problems, const QString &object)
{
    const auto found = std::find_if(problems.begin(), problems.end(),
                                    [&](const FitProblem &problem) { return problem.Object == object; });
    return found == problems.end() ? nullptr : &*found;
}

// A window of a fixed size: what its widgets cannot show is measured where a layout gives them
// too little (a word-wrapping label by its height), where a header section is too narrow, where
// the menu bar sends entries to its extension; each with the entry that sets it, by path or as
// a message's translation.
TEST(FitReport, MeasuresWhatTheWidgetsCannotShowAndNamesTheEntries)
{
    QMainWindow window;
    window.setObjectName(QStringLiteral("MainForm"));
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    auto *labelInfo = new QLabel(central);
    labelInfo->setObjectName(QStringLiteral("labelInfo"));
    labelInfo->setWordWrap(true);
    layout->addWidget(labelInfo);
    auto *tree = new QTreeWidget(central);
    tree->setObjectName(QStringLiteral("treeSoubory"));
    tree->setHeaderLabels({QStringLiteral("Jméno"), QStringLiteral("Velikost")});
    tree->header()->setStretchLastSection(false);
    tree->header()->resizeSection(0, 40);
    layout->addWidget(tree);
    auto *buttonOK = new QPushButton(QStringLiteral("OK"), central);
    buttonOK->setObjectName(QStringLiteral("buttonOK"));
    layout->addWidget(buttonOK);
    window.setCentralWidget(central);
    for (const char *name : {"menuA", "menuB", "menuC", "menuNapoveda"}) {
        auto *menu = window.menuBar()->addMenu(QString::fromLatin1(name + 4));
        menu->setObjectName(QString::fromLatin1(name));
        menu->addAction(QStringLiteral("Položka"));
    }
    window.setFixedSize(320, 200);

    TranslatorTestFiles files;
    const std::string templatePath = files.Write(
        "form.lnd", "[ITEMS]\r\n1:component \"MainForm.labelInfo.Caption\"\r\n2:component "
                    "\"MainForm.treeSoubory.Columns\"\r\n3:component \"MainForm.menuNapoveda.title\"\r\n"
                    "4:message \"Hotovo\"\r\n");
    std::string words;
    for (int i = 0; i < 80; ++i)
        words += "Word ";
    const std::string languagePath = files.Write(
        "lang.lng", "1:" + words +
                        "\r\n2:A name much too long for its column,Size\r\n3:Help with everything in "
                        "the program and far beyond\r\n4:Finished and done with a very long text "
                        "that no button of this window can show\r\n");
    verbaria::qt::TKVTranslator translator;
    ASSERT_TRUE(translator.LoadTemplate(QString::fromStdString(templatePath)));
    ASSERT_TRUE(translator.SetLanguageFile(QString::fromStdString(languagePath)));
    ASSERT_TRUE(translator.Translate()) << translator.ErrorString().toStdString();
    buttonOK->setText(translator.TranslateText(QStringLiteral("Hotovo")));
    window.show();
    QCoreApplication::sendPostedEvents();

    const std::vector<FitProblem> problems = verbaria::qt::MeasureFit(&window, &translator);
    const FitProblem *label = Find(problems, QStringLiteral("MainForm.labelInfo"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Number, 1);
    EXPECT_TRUE(label->Height);
    EXPECT_GT(label->Missing, 0);
    const FitProblem *column = Find(problems, QStringLiteral("MainForm.treeSoubory.Columns[0]"));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->Number, 2);
    EXPECT_EQ(column->Path, QStringLiteral("MainForm.treeSoubory.Columns"));
    EXPECT_FALSE(Find(problems, QStringLiteral("MainForm.treeSoubory.Columns[1]")));
    const FitProblem *menu = Find(problems, QStringLiteral("MainForm.menuNapoveda"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Number, 3);
    EXPECT_FALSE(Find(problems, QStringLiteral("MainForm.menuC")));
    const FitProblem *button = Find(problems, QStringLiteral("MainForm.buttonOK"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Number, 4); // set in code: the message whose translation it shows
    EXPECT_EQ(problems.size(), 4u);

    // Given the room, nothing is reported.
    window.setFixedSize(2400, 900);
    labelInfo->setText(QStringLiteral("Short"));
    tree->header()->resizeSection(0, 400);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(verbaria::qt::MeasureFit(&window, &translator).empty());
}

} // namespace
