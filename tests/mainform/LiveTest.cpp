// The live link from the window: a program linked to the editor shows each keystroke of a
// translation at once, and a widget picked in it makes its row current.
#include "editor/ui/LiveController.h"
#include "editor/ui/TMainForm.h"
#include "mainform/WindowFixture.h"
#include "support/ScriptedDialogs.h"
#include "translator/LiveLinkProtocol.h"
#include "translator/qt/TKVTranslator.h"
#include "widgets/StringGrid.h"

#include <QApplication>
#include <QLabel>
#include <QProcessEnvironment>
#include <QPushButton>
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
                            "4: MESSAGE \"Ahoj\"\r\n");
        Write("english.lng", "Language=English\r\nDefinition=ukazka.lnd\r\n00002:Heading\r\n");
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = Path("ukazka.lnd");
            settings.PosledniJazyk = Path("english.lng");
            settings.JazykProPopisy.clear();
        };
        Attach(form_, hooks);
        Show(form_, {700, 500});
    }

    TMainForm form_;
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
    QString started;
    form_.Live().SetStarter(
        [&](const QString &path, const QStringList &, const QProcessEnvironment &environment, QString &) {
            started = path;
            qputenv(live::kLiveEnvironmentVariable,
                    environment.value(QString::fromLatin1(live::kLiveEnvironmentVariable)).toUtf8());
            program.show();
            translator = std::make_unique<qt::TKVTranslator>();
            translator->LoadTemplate(QString::fromStdString(Path("ukazka.lnd")));
            return true;
        });
    dialogs_.OpenChoices.push_back(std::string("/opt/ukazka/bin/ukazka"));
    Trigger("menuSpustitZive");
    EXPECT_EQ(started, QStringLiteral("/opt/ukazka/bin/ukazka"));
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
