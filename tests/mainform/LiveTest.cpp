// The live link from the window: a program linked to the editor shows each keystroke of a
// translation at once, and a widget picked in it makes its row current.
#include "editor/ui/FilterBar.h"
#include "editor/ui/LiveController.h"
#include "editor/ui/TMainForm.h"
#include "mainform/WindowFixture.h"
#include "support/ScriptedDialogs.h"
#include "translator/LiveLinkProtocol.h"
#include "translator/qt/TKVTranslator.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace verbaria;

namespace {

class Live : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        Write("ukazka.lnd", "[LANGUAGE]\r\nProgram=Ukazka\r\n[ITEMS]\r\n"
                            "1: SECTION \"Okno\"\r\n"
                            "2: COMPONENT \"ProgramForm.labelNadpis.Caption\"\r\n"
                            "3: COMPONENT \"ProgramForm.buttonOK.Caption\"\r\n"
                            "4: MESSAGE \"Ahoj\"\r\n"
                            "5: MESSAGE \"Nazdar\"\r\n");
        Write("english.lng", "Language=English\r\nDefinition=ukazka.lnd\r\n00002:Heading\r\n"
                             "00004:Hello\r\n00005:Hello\r\n");
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = Path("ukazka.lnd");
            settings.PosledniJazyk = Path("english.lng");
            settings.JazykProPopisy.clear();
        };
        Attach(form_, hooks);
        Show(form_, {700, 500});
    }

    // Starts "the program" in this process on the next start: the form, and a translator of the
    // same template made with the environment the editor gives it.
    void StartProgramHere(QWidget &program, std::unique_ptr<qt::TKVTranslator> &translator)
    {
        form_.Live().SetStarter(
            [&](const QString &path, const QStringList &, const QProcessEnvironment &environment, QString &) {
                started_ = path;
                qputenv(live::kLiveEnvironmentVariable,
                        environment.value(QString::fromLatin1(live::kLiveEnvironmentVariable)).toUtf8());
                program.show();
                translator = std::make_unique<qt::TKVTranslator>();
                translator->LoadTemplate(QString::fromStdString(Path("ukazka.lnd")));
                return true;
            });
    }

    // Types text into the translation cell of row, each key reaching the document at once.
    void TypeIntoRow(int row, const QString &text)
    {
        ASSERT_TRUE(form_.gridJazyk()->SetCurrentCell(1, row));
        QApplication::setActiveWindow(&form_);
        form_.gridJazyk()->setFocus();
        QTest::keyClick(form_.gridJazyk(), Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        ASSERT_TRUE(editor && editor != form_.gridJazyk());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // The row's warning of a text its widget clips, from the grid's tooltip; empty for none.
    QString RowWarning(int row) const
    {
        StringGridModel *model = form_.gridJazyk()->GridModel();
        const QStringList lines =
            model->data(model->IndexOfCell(1, row), Qt::ToolTipRole).toString().split(u'\n');
        for (const QString &line : lines) {
            if (line.startsWith(QStringLiteral("Text se nevejde")))
                return line;
        }
        return {};
    }

    TMainForm form_;
    QString started_; // the program the last start asked for
};

} // namespace

TEST_F(Live, ATranslationTypedReachesTheProgramAndAPickThereSelectsTheRow)
{
    // The program, in this process: a form and a translator of the same template, started with
    // the environment the editor gives it.
    QWidget program;
    program.setObjectName(QStringLiteral("ProgramForm"));
    auto *layout = new QVBoxLayout(&program);
    auto *label = new QLabel(QStringLiteral("Nadpis"), &program);
    label->setObjectName(QStringLiteral("labelNadpis"));
    auto *button = new QPushButton(QStringLiteral("OK"), &program);
    button->setObjectName(QStringLiteral("buttonOK"));
    layout->addWidget(label);
    layout->addWidget(button);
    std::unique_ptr<qt::TKVTranslator> translator;
    StartProgramHere(program, translator);
    dialogs_.OpenChoices.push_back(std::string("/opt/ukazka/bin/ukazka"));
    Trigger("menuSpustitZive");
    EXPECT_EQ(started_, QStringLiteral("/opt/ukazka/bin/ukazka"));
    ASSERT_TRUE(translator && translator->Live());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.Live().IsLinked(); }, 10000));
    // Linked, the program shows the document as it stands, and the status bar names it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("Heading"); }, 5000));
    EXPECT_TRUE(Child<QLabel>("labelZivyProgram")->text().endsWith(QStringLiteral(": ukazka")));

    // Each keystroke in the cell reaches the button before the edit ends.
    ASSERT_TRUE(form_.gridJazyk()->SetCurrentCell(1, 3));
    QApplication::setActiveWindow(&form_);
    form_.gridJazyk()->setFocus();
    QTest::keyClick(form_.gridJazyk(), Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor != form_.gridJazyk());
    QTest::keyClicks(editor, QStringLiteral("Fine"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return button->text() == QStringLiteral("Fine"); }, 5000))
        << button->text().toStdString();
    QTest::keyClick(editor, Qt::Key_Return);
    // Undo takes it back in the program as well: the button has its own text again.
    Trigger("menuZpet");
    EXPECT_TRUE(QTest::qWaitFor([&] { return button->text() == QStringLiteral("OK"); }, 5000))
        << button->text().toStdString();

    // Ctrl+Alt+click on the label in the program: its row becomes current in the editor, and the
    // click does not reach the label.
    ASSERT_TRUE(form_.gridJazyk()->SetCurrentCell(1, 4));
    QTest::mouseClick(label, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form_.gridJazyk()->CurrentRow() == 2; }, 5000));

    // The program ends: the editor's indicator goes.
    translator.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form_.Live().IsLinked(); }, 5000));
    EXPECT_FALSE(Child<QLabel>("labelZivyProgram")->isVisible());
}

TEST_F(Live, AClippedTextWarnsAtItsRowWhileItDoesNotFitAndTheProgramsRowsFilterAndPick)
{
    QWidget program;
    program.setObjectName(QStringLiteral("ProgramForm"));
    auto *layout = new QVBoxLayout(&program);
    auto *label = new QLabel(QStringLiteral("Nadpis"), &program);
    label->setObjectName(QStringLiteral("labelNadpis"));
    // A button of a fixed width, as in a dialog laid out for short texts.
    auto *button = new QPushButton(QStringLiteral("OK"), &program);
    button->setObjectName(QStringLiteral("buttonOK"));
    button->setFixedWidth(80);
    // A text the program's code sets from a message: two entries translate to it.
    auto *greeting = new QLabel(QStringLiteral("Hello"), &program);
    layout->addWidget(label);
    layout->addWidget(button);
    layout->addWidget(greeting);
    int pressed = 0;
    QObject::connect(button, &QPushButton::clicked, [&pressed] { ++pressed; });
    std::unique_ptr<qt::TKVTranslator> translator;
    StartProgramHere(program, translator);
    ASSERT_TRUE(form_.Live().Start(QStringLiteral("/opt/ukazka/bin/ukazka")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.Live().IsLinked(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("Heading"); }, 5000));

    // The rows the program shows: its two components; a message once the program looks it up.
    QComboBox *filter = form_.filterBar()->comboFiltr();
    filter->setCurrentIndex(FilterBar::Seen);
    EXPECT_EQ(filter->currentText(), QStringLiteral("Řádky viděné v programu"));
    auto shown = [&] {
        std::vector<int> rows;
        for (int row = 1; row <= 5; ++row) {
            if (!form_.gridJazyk()->isRowHidden(row - 1))
                rows.push_back(row);
        }
        return rows;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == std::vector<int>{2, 3}; }, 5000));
    EXPECT_EQ(translator->TranslateText(QStringLiteral("Ahoj")), QStringLiteral("Hello"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == (std::vector<int>{2, 3, 4}); }, 5000));
    filter->setCurrentIndex(FilterBar::All);

    // A translation too long for the button: while it is typed, its row warns in the grid and in
    // the text pane with the pixels the program measured, and stops once the text fits again.
    ASSERT_TRUE(form_.gridJazyk()->SetCurrentCell(1, 3));
    QApplication::setActiveWindow(&form_);
    form_.gridJazyk()->setFocus();
    QTest::keyClick(form_.gridJazyk(), Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor != form_.gridJazyk());
    QTest::keyClicks(editor, QStringLiteral(" and a caption far too long for its button"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !RowWarning(3).isEmpty(); }, 5000));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Text se nevejde, chybí [1-9][0-9]* px$"))
                    .match(RowWarning(3))
                    .hasMatch())
        << RowWarning(3).toStdString();
    EXPECT_TRUE(RowWarning(2).isEmpty());
    QLabel *notes = Child<QLabel>("labelPoznamky");
    EXPECT_TRUE(notes->text().contains(RowWarning(3))) << notes->text().toStdString();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("Fine"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return RowWarning(3).isEmpty(); }, 5000))
        << RowWarning(3).toStdString();
    EXPECT_FALSE(notes->text().contains(QStringLiteral("Text se nevejde"))) << notes->text().toStdString();
    QTest::keyClick(editor, Qt::Key_Return);

    // A pick on the text of two messages selects both rows, the first current.
    ASSERT_TRUE(form_.gridJazyk()->SetCurrentCell(1, 2));
    QTest::mouseClick(greeting, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.gridJazyk()->CurrentRow() == 4; }, 5000));
    StringGridModel *model = form_.gridJazyk()->GridModel();
    QItemSelectionModel *selection = form_.gridJazyk()->selectionModel();
    EXPECT_TRUE(selection->isSelected(model->IndexOfCell(1, 4)));
    EXPECT_TRUE(selection->isSelected(model->IndexOfCell(1, 5)));
    EXPECT_FALSE(selection->isSelected(model->IndexOfCell(1, 2)));

    // The pick mode from the Tools menu: a plain click picks instead of pressing, until it is off.
    Trigger("menuVybiratVProgramu");
    EXPECT_TRUE(form_.Live().PickMode());
    QTest::qWait(300); // the mode reaches the program
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form_.gridJazyk()->CurrentRow() == 3; }, 5000));
    EXPECT_EQ(pressed, 0);
    Trigger("menuVybiratVProgramu");
    QTest::qWait(300);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(pressed, 1);

    // Too long again, then the program ends: the warning goes with the link.
    TypeIntoRow(3, QStringLiteral("A caption far too long for its button"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !RowWarning(3).isEmpty(); }, 5000));
    translator.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form_.Live().IsLinked(); }, 5000));
    EXPECT_TRUE(RowWarning(3).isEmpty()) << RowWarning(3).toStdString();
}
