// Spelling in the main window over real widgets, with the small dictionaries of the test data and
// the user's words in a temporary program folder: the underlines, a suggestion taken as one undo
// step in the text pane and in the cell editor, a word added to the user's dictionary for good,
// and the properties dialog's choice of dictionary kept in the language file.
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/SpellingController.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TextPane.h"
#include "mainform/WindowFixture.h"
#include "spelling/DictionaryCatalogue.h"
#include "ui_TVlastnostiForm.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace verbaria;

namespace {

using Ranges = std::vector<std::pair<int, int>>;

class Spelling : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // Never the system's dictionaries: what is misspelled must not depend on the machine.
        qputenv(spelling::DictionaryCatalogue::FoldersVariable, VERBARIA_TEST_DATA "/spelling");
        Write("demo.lnd", "[LANGUAGE]\r\nProgram=Demo\r\nCodePage=UTF-8\r\n[ITEMS]\r\n"
                          "1: MESSAGE \"Save file\"\r\n"
                          "2: MESSAGE \"Open Verbaria\"\r\n");
        Write("demo.lng", Czech);
        form_ = MakeForm("demo.lng");
    }
    void TearDown() override
    {
        form_.reset();
        qunsetenv(spelling::DictionaryCatalogue::FoldersVariable);
    }

    static constexpr const char *Czech = "Language=Čeština\r\nDefinition=demo.lnd\r\nCodepage=UTF-8\r\n"
                                         "00001:Uložit soubr\r\n00002:Otevřít Verbaria\r\n";

    std::unique_ptr<TMainForm> MakeForm(const std::string &language)
    {
        auto form = std::make_unique<TMainForm>();
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [demo = Path("demo.lnd"), file = Path(language)](const std::string &,
                                                                              SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk = file;
            settings.JazykProPopisy.clear();
        };
        Attach(*form, std::move(hooks));
        form->resize(700, 500);
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    StringGrid *Grid() { return form_->gridJazyk(); }
    const std::string &Right(int row) { return form_->Document().Grid().Text(1, row); }
    QPlainTextEdit *Memo() { return form_->textPane()->memoNovyText(); }
    void Select(int row)
    {
        ASSERT_TRUE(Grid()->SetCurrentCell(1, row));
        QCoreApplication::processEvents();
    }
    // The stretches of the text pane's translation underlined as misspelled: (start, length).
    Ranges Underlined()
    {
        QCoreApplication::processEvents();
        Ranges ranges;
        const QTextBlock block = Memo()->document()->firstBlock();
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                ranges.emplace_back(range.start, range.length);
        }
        return ranges;
    }
    // Opens the context menu over target at pos, as a right click does.
    static QMenu *ContextMenu(QWidget *target, const QPoint &pos)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &event);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }
    // Right-clicks the text pane's translation at a character.
    QMenu *MemoMenu(int position)
    {
        Memo()->setFocus();
        QTextCursor cursor(Memo()->document());
        cursor.setPosition(position);
        return ContextMenu(Memo()->viewport(), Memo()->cursorRect(cursor).center() + QPoint(2, 0));
    }
    static QAction *Entry(QMenu *menu, const QString &text)
    {
        for (QAction *action : menu->actions()) {
            if (action->text() == text || action->data().toString() == text)
                return action;
        }
        return nullptr;
    }
    static void Take(QMenu *menu, const QString &text)
    {
        ASSERT_NE(menu, nullptr);
        QAction *action = Entry(menu, text);
        ASSERT_NE(action, nullptr) << text.toStdString();
        action->trigger();
        menu->close();
        QCoreApplication::processEvents();
    }
    void Undo()
    {
        QApplication::setActiveWindow(form_.get());
        Grid()->setFocus();
        QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    // Chooses a dictionary in the properties dialog and closes it with OK.
    void ChooseDictionary(const QString &value)
    {
        TVlastnostiForm vlastnosti(form_.get());
        form_->SetPropertiesDialog(&vlastnosti);
        QTimer::singleShot(0, &vlastnosti, [&vlastnosti, value] {
            QComboBox *combo = vlastnosti.ui().comboPravopis;
            const int index = combo->findData(value);
            ASSERT_GE(index, 0) << value.toStdString();
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            vlastnosti.ui().buttonOK->click();
        });
        form_->toolVlastnostiClick();
        form_->SetPropertiesDialog(nullptr);
    }

    std::unique_ptr<TMainForm> form_;
};

} // namespace

TEST_F(Spelling, ATakenSuggestionReplacesTheUnderlinedWordAsOneStep)
{
    EXPECT_EQ(form_->SpellingCommands().Spelling().Code(), QStringLiteral("cs_CZ")); // from "Čeština"
    Select(1);
    ASSERT_EQ(Memo()->toPlainText(), QStringLiteral("Uložit soubr"));
    EXPECT_EQ(Underlined(), (Ranges{{7, 5}}));

    QMenu *menu = MemoMenu(9);
    ASSERT_NE(menu, nullptr);
    // The suggestions come first; the standard entries stay.
    EXPECT_EQ(menu->actions().constFirst()->text(), QStringLiteral("soubor"));
    EXPECT_NE(Entry(menu, QStringLiteral("menuPridatDoSlovniku")), nullptr);
    EXPECT_GT(menu->actions().size(), 4);
    Take(menu, QStringLiteral("soubor"));
    EXPECT_EQ(Right(1), "Uložit soubor");
    EXPECT_EQ(Memo()->toPlainText(), QStringLiteral("Uložit soubor"));
    EXPECT_EQ(Underlined(), Ranges{});
    EXPECT_TRUE(form_->Document().zmeneno());

    Undo();
    EXPECT_EQ(Right(1), "Uložit soubr");
    EXPECT_FALSE(form_->History().CanUndo()); // it was one step
    EXPECT_FALSE(form_->Document().zmeneno());
}

TEST_F(Spelling, TheCellEditorOffersTheSuggestionsToo)
{
    Select(1);
    Grid()->setFocus();
    Grid()->edit(Grid()->GridModel()->IndexOfCell(1, 1));
    QCoreApplication::processEvents();
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text(), QStringLiteral("Uložit soubr"));
    int x = 0;
    while (x < editor->width() && editor->cursorPositionAt(QPoint(x, editor->height() / 2)) < 9)
        ++x;
    Take(ContextMenu(editor, QPoint(x, editor->height() / 2)), QStringLiteral("soubor"));
    EXPECT_EQ(editor->text(), QStringLiteral("Uložit soubor"));
    EXPECT_EQ(Right(1), "Uložit soubor"); // the cell follows the editor, as when typing
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form_->Document().zmeneno());
    Undo();
    EXPECT_EQ(Right(1), "Uložit soubr");
}

TEST_F(Spelling, AWordAddedToTheDictionaryIsRightFromNowOnAndInTheNextRun)
{
    Select(2);
    EXPECT_EQ(Underlined(), (Ranges{{8, 8}}));
    Take(MemoMenu(10), QStringLiteral("menuPridatDoSlovniku"));
    EXPECT_EQ(Underlined(), Ranges{});
    EXPECT_EQ(Right(2), "Otevřít Verbaria");
    EXPECT_FALSE(form_->Document().zmeneno()); // the document is as it was
    EXPECT_EQ(Read("slovniky/cs_CZ.txt"), "Verbaria\n");
    EXPECT_TRUE(dialogs_.Errors.empty());

    form_.reset();
    form_ = MakeForm("demo.lng");
    Select(2);
    EXPECT_EQ(Underlined(), Ranges{});
    Select(1);
    EXPECT_EQ(Underlined(), (Ranges{{7, 5}}));
}

TEST_F(Spelling, TheChoiceInThePropertiesWinsAndTravelsWithTheFile)
{
    // A language whose name gives no dictionary: nothing is underlined, nothing fails.
    Write("jiny.lng", "Language=Jiný\r\nDefinition=demo.lnd\r\nCodepage=UTF-8\r\n00001:Uložit soubr\r\n");
    form_.reset();
    form_ = MakeForm("jiny.lng");
    EXPECT_EQ(form_->SpellingCommands().Spelling().Code(), QString());
    Select(1);
    EXPECT_EQ(Underlined(), Ranges{});

    ChooseDictionary(QStringLiteral("cs_CZ"));
    EXPECT_EQ(Underlined(), (Ranges{{7, 5}}));
    dialogs_.SaveChoices = {Path("jiny.lng")};
    form_->UlozitJazyk();
    EXPECT_EQ(Read("jiny.lng"), "Language=Jiný\r\nDefinition=demo.lnd\r\nCodepage=UTF-8\r\n/Spelling: "
                                "cs_CZ\r\n00001:Uložit soubr\r\n");
    form_.reset();
    form_ = MakeForm("jiny.lng");
    Select(1);
    EXPECT_EQ(Underlined(), (Ranges{{7, 5}}));

    // "none" wins as well; undone, the chosen dictionary is back.
    ChooseDictionary(QStringLiteral("none"));
    EXPECT_EQ(Underlined(), Ranges{});
    Undo();
    EXPECT_EQ(form_->SpellingCommands().Spelling().Code(), QStringLiteral("cs_CZ"));
}
