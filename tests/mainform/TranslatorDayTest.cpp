// A translator's day at the keyboard: starting from a template, coming back to recent files, and
// the work kept aside while it is unsaved. Every command is reached by its keys.
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/RowCommands.h"
#include "editor/ui/StartCommands.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TextPane.h"
#include "editor/ui/TextTokens.h"
#include "editor/ui/UnsavedWorkKeeper.h"
#include "support/WindowHarness.h"
#include "widgets/StringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace verbaria;

namespace {

const char *const DemoTemplate = "[LANGUAGE]\r\nProgram=Demo\r\n[ITEMS]\r\n"
                                 "1: SECTION \"Okno\"\r\n"
                                 "2: MESSAGE \"Soubor\"\r\n"
                                 "3: MESSAGE \"Konec\"\r\n";
const char *const OtherTemplate = "[LANGUAGE]\r\nProgram=Other\r\n[ITEMS]\r\n"
                                  "1: MESSAGE \"Jedna\"\r\n"
                                  "2: MESSAGE \"Dva\"\r\n"
                                  "3: MESSAGE \"Tri\"\r\n"
                                  "4: MESSAGE \"Ctyri\"\r\n";

class TranslatorDay : public WindowHarness
{
protected:
    void SetUp() override
    {
        WindowHarness::SetUp();
        Write("demo.lnd", DemoTemplate);
        Write("other.lnd", OtherTemplate);
        Write("demo.lng", "Language=Deutsch\r\nDefinition=demo.lnd\r\n00002:Datei\r\n");
    }

    TMainForm::Hooks Hooks()
    {
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [this](const std::string &, SettingsValues &settings) {
            settings.PosledniSablona = Path("demo.lnd");
            settings.PosledniJazyk = Path("demo.lng");
            settings.JazykProPopisy.clear();
            settings.PosledniSoubory = recent_;
        };
        hooks.WriteSettings = [this](const std::string &, const SettingsValues &settings) {
            written_ = settings;
        };
        return hooks;
    }
    // A window whose kept work goes to the test's folder, kept at every step.
    std::unique_ptr<TMainForm> Open()
    {
        auto form = std::make_unique<TMainForm>();
        Attach(*form, Hooks());
        form->Unsaved().SetFolder(Unsaved());
        Show(*form);
        form->gridJazyk()->setFocus();
        return form;
    }
    QString Unsaved() const { return QString::fromStdString(Path("unsaved")); }
    QStringList KeptFiles() const
    {
        return QDir(Unsaved()).entryList({QStringLiteral("*.lng"), QStringLiteral("*.txt")}, QDir::Files);
    }

    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
        QCoreApplication::processEvents();
    }
    // Key by key to the widget that has the focus then: the first key opens the cell's editor.
    static void Type(const char *ascii)
    {
        for (const char *c = ascii; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    }
    const std::string &Right(int row) const { return Window().Document().Grid().Text(1, row); }
    const std::string &Left(int row) const { return Window().Document().Grid().Text(0, row); }

    std::vector<std::string> recent_;
    SettingsValues written_;
};

TEST_F(TranslatorDay, ATemplateStartsANewTranslationByItsCommandByOpenAndFromTheRecentFiles)
{
    recent_ = {Path("demo.lng")};
    auto form = Open();
    ASSERT_EQ(Right(2), "Datei");

    // The command of its own: a template, and its rows with nothing translated.
    dialogs_.OpenChoices = {Path("other.lnd")};
    Press(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(dialogs_.OpenDialogsShown.size(), 1U);
    EXPECT_EQ(dialogs_.OpenDialogsShown.back().DefaultExtension, "*.lnd");
    EXPECT_NE(dialogs_.OpenDialogsShown.back().Filter.find("*.lnd"), std::string::npos);
    EXPECT_EQ(form->Document().EntryRowCount(), 4);
    EXPECT_EQ(Left(1), "Jedna");
    EXPECT_EQ(Right(1), "");
    EXPECT_TRUE(form->Document().SaveTarget().empty());

    // Open keeps its own dialog, but a template chosen through it is no language file.
    dialogs_.OpenChoices = {Path("demo.lnd")};
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_NE(dialogs_.OpenDialogsShown.back().Filter.find("*.lng"), std::string::npos);
    EXPECT_EQ(form->Document().EntryRowCount(), 3);
    EXPECT_EQ(Left(2), "Soubor");
    EXPECT_EQ(Right(2), "");
    EXPECT_TRUE(form->Document().SaveTarget().empty());

    // The File menu's recent files, newest first: the two templates, then the language file of an
    // earlier run. The third entry by its digit brings the language file back.
    const auto &files = form->Document().Settings().PosledniSoubory;
    ASSERT_EQ(files.size(), 3U);
    EXPECT_NE(files[0].find("demo.lnd"), std::string::npos);
    EXPECT_NE(files[1].find("other.lnd"), std::string::npos);
    EXPECT_NE(files[2].find("demo.lng"), std::string::npos);
    Press(Qt::Key_S, Qt::AltModifier);
    ASSERT_NE(qobject_cast<QMenu *>(QApplication::activePopupWidget()), nullptr);
    Press(Qt::Key_D);
    auto *recent = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->objectName(), QStringLiteral("menuPosledniSoubory"));
    Press(Qt::Key_3);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(Right(2), "Datei");
    EXPECT_FALSE(form->Document().SaveTarget().empty());

    // The list lives in the settings.
    form->close();
    ASSERT_EQ(written_.PosledniSoubory.size(), 3U);
    EXPECT_NE(written_.PosledniSoubory[0].find("demo.lng"), std::string::npos);
}

TEST_F(TranslatorDay, ARecentFileThatIsGoneIsReportedAndForgotten)
{
    recent_ = {Path("gone.lng")};
    auto form = Open();
    form->Start().OpenRecent(Path("gone.lng"));
    ASSERT_EQ(dialogs_.Messages.size(), 1U);
    EXPECT_NE(dialogs_.Messages[0].find("gone.lng"), std::string::npos);
    EXPECT_EQ(Right(2), "Datei");
    for (const std::string &file : form->Document().Settings().PosledniSoubory)
        EXPECT_EQ(file.find("gone.lng"), std::string::npos);
}

TEST_F(TranslatorDay, UnsavedWorkIsKeptAsideAndOfferedBackAfterARunThatDidNotEnd)
{
    {
        auto form = Open();
        ASSERT_TRUE(form->gridJazyk()->SetCurrentCell(1, 3));
        Type("Ende");
        Press(Qt::Key_Return);
        ASSERT_TRUE(form->Document().zmeneno());
        form->Unsaved().KeepNow();
        EXPECT_EQ(KeptFiles().size(), 2);
        // The window goes without its end, as a crash would take it: the copy stays.
        form.reset();
    }
    EXPECT_EQ(KeptFiles().size(), 2);

    // The next run offers it; Yes puts it back, unsaved, belonging to its file.
    dialogs_.Answers = {true};
    auto form = Open();
    ASSERT_EQ(dialogs_.Questions.size(), 1U);
    EXPECT_NE(dialogs_.Questions[0].find("demo.lng"), std::string::npos);
    EXPECT_EQ(Right(2), "Datei");
    EXPECT_EQ(Right(3), "Ende");
    EXPECT_TRUE(form->Document().zmeneno());
    EXPECT_NE(form->Document().SaveTarget().find("demo.lng"), std::string::npos);
    // It is this run's work now, kept under its own name until the save.
    EXPECT_EQ(KeptFiles().size(), 2);

    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(form->Document().zmeneno());
    EXPECT_NE(Read("demo.lng").find("00003:Ende"), std::string::npos);
    EXPECT_TRUE(KeptFiles().isEmpty());

    // Nothing is offered again, and a run that ends well leaves nothing.
    form->close();
    EXPECT_TRUE(KeptFiles().isEmpty());
    form.reset();
    dialogs_.Questions.clear();
    form = Open();
    EXPECT_TRUE(dialogs_.Questions.empty());
}

TEST_F(TranslatorDay, KeptWorkDiscardedByNoOrByANewLanguageLeavesNothing)
{
    {
        auto form = Open();
        ASSERT_TRUE(form->gridJazyk()->SetCurrentCell(1, 3));
        Type("Ende");
        Press(Qt::Key_Return);
        form->Unsaved().KeepNow();
        ASSERT_EQ(KeptFiles().size(), 2);
        // A new language with the edits dropped: the copy goes with them.
        dialogs_.Answers = {false};
        Press(Qt::Key_N, Qt::ControlModifier);
        EXPECT_TRUE(KeptFiles().isEmpty());

        ASSERT_TRUE(form->gridJazyk()->SetCurrentCell(1, 2));
        form->gridJazyk()->setFocus();
        Type("Datei");
        Press(Qt::Key_Return);
        form->Unsaved().KeepNow();
        ASSERT_EQ(KeptFiles().size(), 2);
        form.reset();
    }
    dialogs_.Answers = {false};
    dialogs_.Questions.clear();
    auto form = Open();
    ASSERT_EQ(dialogs_.Questions.size(), 1U);
    EXPECT_NE(dialogs_.Questions[0].find("demo.lng"), std::string::npos);
    EXPECT_EQ(Right(3), "");
    EXPECT_TRUE(KeptFiles().isEmpty());
}

TEST_F(TranslatorDay, PasteCopyTheOriginalAndTheReviewMarkAreOneKeyEach)
{
    auto form = Open();
    StringGrid *grid = form->gridJazyk();
    QLabel *words = form->Rows().labelSlova();
    // Two texts of one word each, one translated.
    EXPECT_EQ(form->History().Counts().Words, 2);
    EXPECT_EQ(form->History().Counts().WordsTranslated, 1);
    EXPECT_TRUE(words->text().startsWith(QStringLiteral("Slova: 2,"))) << words->text().toStdString();

    // An untranslated row cannot wait for review.
    ASSERT_TRUE(grid->SetCurrentCell(1, 3));
    Press(Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(form->Document().NoteOf(3), nullptr);

    // Ctrl+V on a selected cell replaces its text without F2; a line break becomes a blank.
    ASSERT_TRUE(grid->SetCurrentCell(1, 3));
    grid->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("Pasted\nend"));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(Right(3), "Pasted end");
    EXPECT_TRUE(form->Document().zmeneno());
    EXPECT_EQ(form->History().Counts().WordsTranslated, 2);

    // Ctrl+B: the original as the row shows it; one undo step takes it back.
    Press(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Right(3), "Konec");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Right(3), "Pasted end");

    // Ctrl+U marks the row for review and clears the mark again, each one step; the filter of
    // rows for review and the status bar's count follow.
    QLabel *review = form->Status().labelKeKontrole();
    Press(Qt::Key_U, Qt::ControlModifier);
    ASSERT_NE(form->Document().NoteOf(3), nullptr);
    EXPECT_TRUE(form->Document().NoteOf(3)->Review);
    EXPECT_TRUE(review->isVisibleTo(form.get()));
    EXPECT_NE(review->text().indexOf(QStringLiteral("1")), -1);
    EXPECT_TRUE(words->text().endsWith(QStringLiteral(" 1"))) << words->text().toStdString();
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Document().NoteOf(3), nullptr);
    Press(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    Press(Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(form->Document().NoteOf(3), nullptr);
    Press(Qt::Key_U, Qt::ControlModifier);

    // The row survives a save and a new read with its mark.
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(Read("demo.lng").find("review"), std::string::npos);
}

TEST(TextTokens, TheNextMissingTokenCountsEachTokenAndSkipsLiteralsAndAccelerators)
{
    EXPECT_EQ(NextMissingToken(QStringLiteral("%1 of %2"), QStringLiteral("%2 z")), QStringLiteral("%1"));
    EXPECT_EQ(NextMissingToken(QStringLiteral("%s and %s"), QStringLiteral("%s a")), QStringLiteral("%s"));
    EXPECT_EQ(NextMissingToken(QStringLiteral("<b>{name}</b>"), QStringLiteral("<b>{name}")),
              QStringLiteral("</b>"));
    // "%%" and "&&" are characters, an accelerator is the translator's to place.
    EXPECT_EQ(NextMissingToken(QStringLiteral("100%% &Open && close"), QStringLiteral("Otevřít")), QString());
    EXPECT_EQ(NextMissingToken(QStringLiteral("%n file(s)"), QStringLiteral("%n soubor(ů)")), QString());
}

TEST_F(TranslatorDay, TheOriginalsTokensAreMarkedAndOneKeyInsertsTheNextMissingOne)
{
    Write("tokens.lnd", "[LANGUAGE]\r\nProgram=Tokens\r\n[ITEMS]\r\n"
                        "1: MESSAGE \"Soubor %1 ma <b>%2</b> radku\"\r\n");
    auto form = Open();
    dialogs_.OpenChoices = {Path("tokens.lnd")};
    Press(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
    StringGrid *grid = form->gridJazyk();
    ASSERT_TRUE(grid->SetCurrentCell(1, 1));
    grid->setFocus();
    QCoreApplication::processEvents();

    // The text pane marks the original's placeholders and markup.
    QTextDocument *original = form->textPane()->memoPuvodniText()->document();
    ASSERT_EQ(original->toPlainText(), QStringLiteral("Soubor %1 ma <b>%2</b> radku"));
    int marked = 0;
    for (const QTextLayout::FormatRange &range : original->firstBlock().layout()->formats())
        marked += range.format.background().style() != Qt::NoBrush ? 1 : 0;
    EXPECT_EQ(marked, 4);

    // Ctrl+I opens the cell and puts in the next token the translation lacks, each time.
    Press(Qt::Key_I, Qt::ControlModifier);
    ASSERT_TRUE(grid->IsEditing());
    Type("File ");
    Press(Qt::Key_I, Qt::ControlModifier);
    Type(" has ");
    Press(Qt::Key_I, Qt::ControlModifier);
    Press(Qt::Key_I, Qt::ControlModifier);
    Press(Qt::Key_I, Qt::ControlModifier);
    Type(" rows");
    Press(Qt::Key_Return);
    EXPECT_EQ(Right(1), "%1File <b> has %2</b> rows");
    // Nothing is missing: the cell stays as it is.
    ASSERT_TRUE(grid->SetCurrentCell(1, 1));
    Press(Qt::Key_I, Qt::ControlModifier);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Right(1), "%1File <b> has %2</b> rows");

    // The translation in the text pane is marked as the original is, and so are the grid's cells.
    QCoreApplication::processEvents();
    QTextDocument *translation = form->textPane()->memoNovyText()->document();
    ASSERT_EQ(translation->toPlainText(), QStringLiteral("%1File <b> has %2</b> rows"));
    marked = 0;
    for (const QTextLayout::FormatRange &range : translation->firstBlock().layout()->formats())
        marked += range.format.background().style() != Qt::NoBrush ? 1 : 0;
    EXPECT_EQ(marked, 4);
    const QImage cells = grid->viewport()->grab().toImage();
    int placeholderPixels = 0;
    for (int y = 0; y < cells.height(); ++y)
        for (int x = 0; x < cells.width(); ++x)
            placeholderPixels +=
                cells.pixelColor(x, y) == TokenBackground(TextToken::Kind::Placeholder) ? 1 : 0;
    EXPECT_GT(placeholderPixels, 20);

    // A click on a token of the original puts it where the translator types in the pane.
    QPlainTextEdit *originalPane = form->textPane()->memoPuvodniText();
    QTextCursor inside(originalPane->document());
    inside.setPosition(17); // between "%" and "2"
    QTest::mouseClick(originalPane->viewport(), Qt::LeftButton, {},
                      originalPane->cursorRect(inside).center());
    QCoreApplication::processEvents();
    const std::string clicked = Right(1);
    EXPECT_NE(clicked.find("%2"), clicked.rfind("%2")) << clicked;
    EXPECT_TRUE(form->textPane()->memoNovyText()->hasFocus());
}

TEST_F(TranslatorDay, ARowsCommentIsWrittenByKeyShownUndoneSavedAndReadBack)
{
    auto form = Open();
    StringGrid *grid = form->gridJazyk();
    ASSERT_TRUE(grid->SetCurrentCell(1, 2));
    grid->setFocus();
    const std::string comment = "Zkr\xC3\xA1tit, m\xC3\xA1lo m\xC3\xADsta\nviz okno";
    dialogs_.TextAnswers = {"  " + comment + "\n\n"};
    Press(Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(dialogs_.TextsAskedFor, std::vector<std::string>{""});
    ASSERT_NE(form->Document().NoteOf(2), nullptr);
    EXPECT_EQ(form->Document().NoteOf(2)->Comment, comment);
    EXPECT_TRUE(form->Document().zmeneno());
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->textPane()->labelPoznamky()->text().contains(QStringLiteral("viz okno")))
        << form->textPane()->labelPoznamky()->text().toStdString();

    // One step each way.
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Document().NoteOf(2), nullptr);
    Press(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_NE(form->Document().NoteOf(2), nullptr);

    // Cancelled, nothing changes; the dialog shows the comment there is.
    dialogs_.TextAnswers = {std::nullopt};
    Press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(dialogs_.TextsAskedFor.back(), comment);
    EXPECT_EQ(form->Document().NoteOf(2)->Comment, comment);

    // Saved in the file above its row, and read back with it.
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(Read("demo.lng")
                  .find("/Notes 00002: comment=Zkr\\u00e1tit, m\\u00e1lo m\\u00edsta\\nviz okno\r\n00002:"),
              std::string::npos)
        << Read("demo.lng");
    form.reset();
    auto again = Open();
    ASSERT_NE(again->Document().NoteOf(2), nullptr);
    EXPECT_EQ(again->Document().NoteOf(2)->Comment, comment);
}

} // namespace
