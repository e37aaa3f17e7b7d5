#include "TranslatorTestFiles.h"

#include "translator/qt/FormOrder.h"
#include "translator/qt/TKVTranslator.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using verbaria::qt::TKVTranslator;

namespace {

// The main window of a small program, built the way Designer forms are: every object named.
class MainForm final : public QMainWindow
{
public:
    MainForm()
    {
        setObjectName(QStringLiteral("MainForm"));
        setWindowTitle(QStringLiteral("Ukázka"));
        auto *central = new QWidget(this);
        central->setObjectName(QStringLiteral("panelHlavni"));
        auto *layout = new QVBoxLayout(central);
        buttonOK = new QPushButton(QStringLiteral("OK"), central);
        buttonOK->setObjectName(QStringLiteral("buttonOK"));
        labelInfo = new QLabel(QStringLiteral("Informace"), central);
        labelInfo->setObjectName(QStringLiteral("labelInfo"));
        comboJazyk = new QComboBox(central);
        comboJazyk->setObjectName(QStringLiteral("comboJazyk"));
        comboJazyk->addItem(QStringLiteral("čeština"), 5);
        comboJazyk->addItem(QStringLiteral("angličtina"), 7);
        comboJazyk->setCurrentIndex(1);
        groupVolby = new QGroupBox(QStringLiteral("Volby"), central);
        groupVolby->setObjectName(QStringLiteral("groupVolby"));
        tabs = new QTabWidget(central);
        tabs->setObjectName(QStringLiteral("tabs"));
        pageObecne = new QWidget;
        pageObecne->setObjectName(QStringLiteral("pageObecne"));
        tabs->addTab(pageObecne, QStringLiteral("Obecné"));
        listProgramy = new QListWidget(central);
        listProgramy->setObjectName(QStringLiteral("listProgramy"));
        listProgramy->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        memoAutor = new QPlainTextEdit(central);
        memoAutor->setObjectName(QStringLiteral("memoAutor"));
        for (QWidget *widget : std::initializer_list<QWidget *>{buttonOK, labelInfo, comboJazyk, groupVolby,
                                                                tabs, listProgramy, memoAutor})
            layout->addWidget(widget);
        setCentralWidget(central);

        menuSoubor = menuBar()->addMenu(QStringLiteral("Soubor"));
        menuSoubor->setObjectName(QStringLiteral("menuSoubor"));
        actionOtevrit = menuSoubor->addAction(QStringLiteral("Otevřít"));
        actionOtevrit->setObjectName(QStringLiteral("actionOtevrit"));
    }

    QPushButton *buttonOK;
    QLabel *labelInfo;
    QComboBox *comboJazyk;
    QGroupBox *groupVolby;
    QTabWidget *tabs;
    QWidget *pageObecne;
    QListWidget *listProgramy;
    QPlainTextEdit *memoAutor;
    QMenu *menuSoubor;
    QAction *actionOtevrit;
};

// Language files are written in windows-1250, as the translator reads them.
std::string Cp1250(const QString &text)
{
    return verbaria::CodePage().EncodeLossy(text);
}

class QtTranslatorTest : public ::testing::Test
{
protected:
    std::string Template(const std::vector<std::string> &paths)
    {
        std::string bytes = "[ITEMS]\r\n";
        for (std::size_t i = 0; i < paths.size(); ++i)
            bytes += std::to_string(i + 1) + ":component \"" + paths[i] + "\"\r\n";
        return files.Write("form.lnd", bytes);
    }
    std::string Language(const QString &lines) { return files.Write("lang.lng", Cp1250(lines)); }

    TranslatorTestFiles files;
    std::unique_ptr<MainForm> form = std::make_unique<MainForm>();
    TKVTranslator *translator = new TKVTranslator(form.get());
};

TEST_F(QtTranslatorTest, CaptionsHintsTitlesItemsAndTag)
{
    translator->SetSeparator(QStringLiteral(","));
    translator->LoadTemplate(QString::fromStdString(
        Template({"MainForm.buttonOK.Caption", "MainForm.buttonOK.Hint", "MainForm.labelInfo.caption",
                  "MainForm.Caption", "MainForm.groupVolby.Caption", "MainForm.pageObecne.Caption",
                  "MainForm.comboJazyk.Items", "MainForm.listProgramy.Items", "MainForm.memoAutor.Lines",
                  "MainForm.buttonOK.Tag", "MainForm.labelInfo.statusTip", "MainForm.menuSoubor.Caption"})));
    ASSERT_TRUE(translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral(
        "1:Přijmout\r\n2:Potvrdí volbu\r\n3:Informace o souboru\r\n4:Žluťoučký kůň\r\n5:Možnosti\r\n"
        "6:Všeobecné\r\n7:Czech, English\r\n8:x,y,z\r\n9:one,two\r\n10:42\r\n11:stav\r\n12:File\r\n")))));
    ASSERT_TRUE(translator->Translate()) << translator->ErrorString().toStdString();

    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("Přijmout"));
    EXPECT_EQ(form->buttonOK->toolTip(), QStringLiteral("Potvrdí volbu"));
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Informace o souboru"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Žluťoučký kůň"));
    EXPECT_EQ(form->groupVolby->title(), QStringLiteral("Možnosti"));
    EXPECT_EQ(form->tabs->tabText(0), QStringLiteral("Všeobecné"));
    ASSERT_EQ(form->comboJazyk->count(), 2);
    EXPECT_EQ(form->comboJazyk->itemText(1), QStringLiteral("English"));
    EXPECT_EQ(form->comboJazyk->itemData(1).toInt(), 7); // texts replaced in place
    EXPECT_EQ(form->comboJazyk->currentIndex(), 1);
    ASSERT_EQ(form->listProgramy->count(), 3);
    EXPECT_EQ(form->listProgramy->item(1)->text(), QStringLiteral("y"));
    EXPECT_EQ(form->memoAutor->toPlainText(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(form->buttonOK->property("Tag").toInt(), 42);
    EXPECT_EQ(form->labelInfo->statusTip(), QStringLiteral("stav"));
    EXPECT_EQ(form->menuSoubor->title(), QStringLiteral("File"));
}

TEST_F(QtTranslatorTest, PathsThroughAMenuReachItsAction)
{
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.menuSoubor.actionOtevrit.Caption\""),
                             QStringLiteral("2:component \"mainform.ACTIONOTEVRIT.hint\"")});
    translator->SetLanguageFile(
        QString::fromStdString(Language(QStringLiteral("1:Open\r\n2:Opens a file\r\n"))));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(form->actionOtevrit->text(), QStringLiteral("Open"));
    EXPECT_EQ(form->actionOtevrit->toolTip(), QStringLiteral("Opens a file"));
}

TEST_F(QtTranslatorTest, UnknownComponentsAndPropertiesChangeNothing)
{
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.buttonNikdo.Caption\""),
                             QStringLiteral("2:component \"MainForm.buttonOK.Nesmysl\""),
                             QStringLiteral("3:component \"JinyForm.buttonOK.Caption\""),
                             QStringLiteral("4:component \"MainForm.buttonOK.font\""),
                             QStringLiteral("5:component \"MainForm.labelInfo.Items\"")});
    translator->SetLanguageFile(
        QString::fromStdString(Language(QStringLiteral("1:a\r\n2:b\r\n3:c\r\n4:d\r\n5:e\r\n"))));
    const QFont font = form->buttonOK->font();
    EXPECT_TRUE(translator->Translate());
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(form->buttonOK->font(), font);
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Informace"));
    EXPECT_FALSE(form->buttonOK->property("Nesmysl").isValid());
}

TEST_F(QtTranslatorTest, FormsAreTakenInCreationOrder)
{
    // Two windows with the same name: the first one created is the form the path names.
    auto first = std::make_unique<QWidget>();
    first->setObjectName(QStringLiteral("Dialog"));
    std::vector<std::unique_ptr<QWidget>> later;
    for (int i = 0; i < 20; ++i) {
        later.push_back(std::make_unique<QWidget>());
        later.back()->setObjectName(QStringLiteral("Dialog"));
    }
    const QList<QWidget *> forms = verbaria::qt::FormOrder::Forms();
    EXPECT_LT(forms.indexOf(form.get()), forms.indexOf(first.get()));
    EXPECT_LT(forms.indexOf(first.get()), forms.indexOf(later.front().get()));
    EXPECT_EQ(forms.indexOf(form->menuSoubor), -1); // a popup menu is no form

    translator->SetTemplate({QStringLiteral("1:component \"Dialog.Caption\"")});
    translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral("1:První\r\n"))));
    translator->Translate();
    EXPECT_EQ(first->windowTitle(), QStringLiteral("První"));
    for (const auto &widget : later)
        EXPECT_TRUE(widget->windowTitle().isEmpty());
}

TEST_F(QtTranslatorTest, PathWithoutDotNamesAnApplicationProperty)
{
    const QString before = QCoreApplication::applicationName();
    translator->SetTemplate({QStringLiteral("1:component \"ApplicationName\"")});
    translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral("1:Přeložený program\r\n"))));
    translator->Translate();
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Přeložený program"));
    QCoreApplication::setApplicationName(before);
}

TEST_F(QtTranslatorTest, TranslateTextDecodesAndKeepsTextsTheCodePageCannotHold)
{
    translator->SetTemplate(
        {QStringLiteral("1:message \"Uložit změny ?\""), QStringLiteral("2:message \"?\"")});
    translator->SetLanguageFile(
        QString::fromStdString(Language(QStringLiteral("1:Změny uložit ?\r\n2:Otázka\r\n"))));
    EXPECT_EQ(translator->TranslateText(QStringLiteral("Uložit změny ?")), QStringLiteral("Změny uložit ?"));
    EXPECT_EQ(translator->TranslateText(QStringLiteral("Neznámý")), QStringLiteral("Neznámý"));
    // "ж" would be encoded as "?", which has an entry; the text must come back whole.
    EXPECT_EQ(translator->TranslateText(QStringLiteral("ж")), QStringLiteral("ж"));
    EXPECT_EQ(translator->TranslateText(std::string_view("Ulo\x9eit zm\xecny ?")), "Zm\xecny ulo\x9eit ?");
}

TEST_F(QtTranslatorTest, OtherCodePages)
{
    EXPECT_FALSE(translator->SetCodePage(QStringLiteral("no-such-code-page")));
    EXPECT_EQ(translator->CodePageName(), QStringLiteral("windows-1250"));
    ASSERT_TRUE(translator->SetCodePage(QStringLiteral("windows-1251")));
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.buttonOK.Caption\"")});
    files.Write("ru.lng", "1:\xc4\xe0\r\n"); // "Да" in windows-1251
    translator->SetLanguageFile(QString::fromStdString(files.Path("ru.lng")));
    translator->Translate();
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("Да"));
}

TEST_F(QtTranslatorTest, ErrorsAreReportedNotThrown)
{
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.buttonOK.Tag\""),
                             QStringLiteral("2:component \"MainForm.buttonOK.Caption\"")});
    translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral("1:12a\r\n2:Hotovo\r\n"))));
    QStringList events;
    QObject context;
    QObject::connect(translator, &TKVTranslator::OnBeforeTranslation, &context, [&](TKVTranslator *sender) {
        events << (sender == translator ? u"before"_qs : u"?"_qs);
    });
    QObject::connect(translator, &TKVTranslator::OnAfterTranslation, &context,
                     [&](TKVTranslator *) { events << QStringLiteral("after"); });
    QObject::connect(translator, &TKVTranslator::ErrorOccurred, &context,
                     [&](const QString &message) { events << message; });
    EXPECT_FALSE(translator->Translate());
    EXPECT_EQ(events, (QStringList{u"before"_qs, u"'12a' is not a valid integer value"_qs}));
    EXPECT_EQ(translator->ErrorString(), u"'12a' is not a valid integer value"_qs);
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("OK"));

    files.Write("bad.lnd", "1:component \"x\"\r\n2x:message \"y\"\r\n");
    EXPECT_FALSE(translator->LoadTemplate(QString::fromStdString(files.Path("bad.lnd"))));
    EXPECT_TRUE(translator->LoadTemplate(QString::fromStdString(files.Path("missing.lnd"))));
}

TEST_F(QtTranslatorTest, PropertiesReadBack)
{
    EXPECT_EQ(translator->Separator(), QStringLiteral(",")); // as scan joins a list's entries
    translator->SetSeparator(QStringLiteral(";"));
    EXPECT_EQ(translator->Separator(), QStringLiteral(";"));
    translator->SetSeparator(QStringLiteral(" "));
    EXPECT_EQ(translator->Separator(), QStringLiteral(","));
    translator->SetTemplate({QStringLiteral("1:message \"Žádný\"")});
    EXPECT_EQ(translator->Template(), QStringList{QStringLiteral("1:message \"Žádný\"")});
    translator->SetLanguageFile(QStringLiteral("/nowhere/jazyk.lng"));
    EXPECT_EQ(translator->property("LanguageFile").toString(), QStringLiteral("/nowhere/jazyk.lng"));
    EXPECT_EQ(translator->parent(), form.get());
}

TEST_F(QtTranslatorTest, LanguageSwitchGivesBackWhatTheNewLanguageLacks)
{
    translator->SetSeparator(QStringLiteral(","));
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.buttonOK.Caption\""),
                             QStringLiteral("2:component \"MainForm.labelInfo.Caption\""),
                             QStringLiteral("3:component \"MainForm.comboJazyk.Items\""),
                             QStringLiteral("4:component \"MainForm.memoAutor.Lines\""),
                             QStringLiteral("5:message \"Hotovo\"")});
    form->memoAutor->setPlainText(QStringLiteral("Jan\nEva"));
    const std::string czech = files.Write(
        "czech.lng",
        Cp1250(QStringLiteral("1:Přijmout\r\n2:Údaje\r\n3:čj,aj\r\n4:Jan,Eva,Petr\r\n5:Hotovo!\r\n")));
    const std::string russian = files.Write("russian.lng", Cp1250(QStringLiteral("1:Prinyat\r\n")));
    ASSERT_TRUE(translator->SetLanguageFile(QString::fromStdString(czech)));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Údaje"));
    EXPECT_EQ(form->comboJazyk->itemText(0), QStringLiteral("čj"));
    // A literal, as a programmer writes it.
    EXPECT_EQ(translator->TranslateText("Hotovo"), QStringLiteral("Hotovo!"));

    ASSERT_TRUE(translator->SetLanguageFile(QString::fromStdString(russian)));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("Prinyat"));
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Informace"));
    ASSERT_EQ(form->comboJazyk->count(), 2);
    EXPECT_EQ(form->comboJazyk->itemText(0), QStringLiteral("čeština"));
    EXPECT_EQ(form->comboJazyk->itemData(1).toInt(), 7);
    EXPECT_EQ(form->memoAutor->toPlainText(), QStringLiteral("Jan\nEva"));
    EXPECT_EQ(translator->TranslateText("Hotovo"), QStringLiteral("Hotovo"));

    // Back to Czech, then to the program's own texts.
    translator->SetLanguageFile(QString::fromStdString(czech));
    translator->Translate();
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Údaje"));
    translator->SetLanguageFile(QString());
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Informace"));
    EXPECT_EQ(form->comboJazyk->itemText(1), QStringLiteral("angličtina"));
    EXPECT_EQ(translator->TranslateText("Hotovo"), QStringLiteral("Hotovo"));
}

TEST_F(QtTranslatorTest, DockTitleAndTagAreGivenBackWhenTheNewLanguageLacksThem)
{
    // A docked widget is no window, yet its Caption is its title; a Tag the program never set
    // goes away again.
    auto *dock = new QDockWidget(QStringLiteral("Náhled"), form.get());
    dock->setObjectName(QStringLiteral("dockNahled"));
    form->addDockWidget(Qt::LeftDockWidgetArea, dock);
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.dockNahled.Caption\""),
                             QStringLiteral("2:component \"MainForm.labelInfo.Tag\""),
                             QStringLiteral("3:component \"MainForm.labelInfo.Caption\""),
                             QStringLiteral("4:component \"MainForm.labelInfo.text\"")});
    ASSERT_TRUE(translator->SetLanguageFile(
        QString::fromStdString(Language(QStringLiteral("1:Preview\r\n2:7\r\n3:Info\r\n4:Details\r\n")))));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(form->labelInfo->property("Tag").toInt(), 7);
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Details"));

    // Caption and text are one property of a label: it keeps the text it had before either.
    translator->SetLanguageFile(QString::fromStdString(files.Write("other.lng", "5:x\r\n")));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Náhled"));
    EXPECT_FALSE(form->labelInfo->property("Tag").isValid());
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Informace"));
}

// A dialog as Designer makes it, with the texts that live outside text and title properties.
class Dialog final : public QDialog
{
public:
    Dialog()
    {
        setObjectName(QStringLiteral("Dialog"));
        auto *layout = new QVBoxLayout(this);
        labelZprava = new QLabel(QStringLiteral("Zpráva"), this);
        labelZprava->setObjectName(QStringLiteral("labelZprava"));
        treeSoubory = new QTreeWidget(this);
        treeSoubory->setObjectName(QStringLiteral("treeSoubory"));
        treeSoubory->setHeaderLabels({QStringLiteral("Název"), QStringLiteral("Velikost")});
        auto *folder = new QTreeWidgetItem(treeSoubory, {QStringLiteral("složka"), QString()});
        new QTreeWidgetItem(folder, {QStringLiteral("soubor"), QStringLiteral("2 kB")});
        tableCeny = new QTableWidget(2, 2, this);
        tableCeny->setObjectName(QStringLiteral("tableCeny"));
        tableCeny->setHorizontalHeaderLabels({QStringLiteral("Zboží"), QStringLiteral("Cena")});
        toolBox = new QToolBox(this);
        toolBox->setObjectName(QStringLiteral("toolBox"));
        pageZakladni = new QWidget;
        pageZakladni->setObjectName(QStringLiteral("pageZakladni"));
        toolBox->addItem(pageZakladni, QStringLiteral("Základní"));
        spinPocet = new QSpinBox(this);
        spinPocet->setObjectName(QStringLiteral("spinPocet"));
        spinPocet->setSuffix(QStringLiteral(" ks"));
        for (QWidget *widget :
             std::initializer_list<QWidget *>{labelZprava, treeSoubory, tableCeny, toolBox, spinPocet})
            layout->addWidget(widget);
    }

    QLabel *labelZprava;
    QTreeWidget *treeSoubory;
    QTableWidget *tableCeny;
    QToolBox *toolBox;
    QWidget *pageZakladni;
    QSpinBox *spinPocet;
};

TEST_F(QtTranslatorTest, HeadersToolBoxPagesSpinBoxTextsAndWhatsThis)
{
    Dialog dialog;
    translator->SetSeparator(QStringLiteral(","));
    translator->SetTemplate({QStringLiteral("1:component \"Dialog.treeSoubory.Columns\""),
                             QStringLiteral("2:component \"Dialog.tableCeny.Columns\""),
                             QStringLiteral("3:component \"Dialog.tableCeny.Rows\""),
                             QStringLiteral("4:component \"Dialog.pageZakladni.Caption\""),
                             QStringLiteral("5:component \"Dialog.spinPocet.prefix\""),
                             QStringLiteral("6:component \"Dialog.spinPocet.Suffix\""),
                             QStringLiteral("7:component \"Dialog.spinPocet.specialValueText\""),
                             QStringLiteral("8:component \"Dialog.labelZprava.whatsThis\""),
                             QStringLiteral("9:component \"Dialog.treeSoubory.Items\"")});
    translator->SetLanguageFile(QString::fromStdString(
        Language(QStringLiteral("1:Name,Size\r\n2:Goods,Price\r\n3:first,second\r\n4:Basic\r\n5:about \r\n"
                                "6:pcs\r\n7:none\r\n8:What the message says\r\n9:folder,file,2 KB\r\n"))));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(dialog.treeSoubory->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_EQ(dialog.treeSoubory->headerItem()->text(1), QStringLiteral("Size"));
    EXPECT_EQ(dialog.tableCeny->horizontalHeaderItem(1)->text(), QStringLiteral("Price"));
    ASSERT_NE(dialog.tableCeny->verticalHeaderItem(1), nullptr);
    EXPECT_EQ(dialog.tableCeny->verticalHeaderItem(1)->text(), QStringLiteral("second"));
    EXPECT_EQ(dialog.toolBox->itemText(0), QStringLiteral("Basic"));
    EXPECT_EQ(dialog.spinPocet->prefix(), QStringLiteral("about "));
    EXPECT_EQ(dialog.spinPocet->suffix(), QStringLiteral("pcs"));
    EXPECT_EQ(dialog.spinPocet->specialValueText(), QStringLiteral("none"));
    EXPECT_EQ(dialog.labelZprava->whatsThis(), QStringLiteral("What the message says"));
    // Tree items: the texts that are not empty, depth first; the tree keeps its shape.
    QTreeWidgetItem *folder = dialog.treeSoubory->topLevelItem(0);
    EXPECT_EQ(folder->text(0), QStringLiteral("folder"));
    EXPECT_TRUE(folder->text(1).isEmpty());
    ASSERT_EQ(folder->childCount(), 1);
    EXPECT_EQ(folder->child(0)->text(1), QStringLiteral("2 KB"));
    EXPECT_EQ(dialog.treeSoubory->columnCount(), 2);

    translator->SetLanguageFile(QString());
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(dialog.treeSoubory->headerItem()->text(0), QStringLiteral("Název"));
    EXPECT_EQ(dialog.tableCeny->horizontalHeaderItem(0)->text(), QStringLiteral("Zboží"));
    EXPECT_EQ(dialog.toolBox->itemText(0), QStringLiteral("Základní"));
    EXPECT_EQ(dialog.spinPocet->suffix(), QStringLiteral(" ks"));
    EXPECT_EQ(folder->child(0)->text(0), QStringLiteral("soubor"));
}

TEST_F(QtTranslatorTest, FormsShownAfterTranslateAreTranslatedWhenAskedFor)
{
    translator->SetTemplate({QStringLiteral("1:component \"Dialog.labelZprava.Caption\"")});
    translator->SetLanguageFile(QString::fromStdString(files.Write("en.lng", "1:Message\r\n")));
    ASSERT_TRUE(translator->Translate());

    // Off by default: a dialog made after Translate keeps its own texts.
    Dialog before;
    before.show();
    EXPECT_EQ(before.labelZprava->text(), QStringLiteral("Zpráva"));

    translator->SetTranslateNewForms(true);
    auto first = std::make_unique<Dialog>();
    Dialog second;                                                   // a second copy of the same form
    EXPECT_EQ(first->labelZprava->text(), QStringLiteral("Zpráva")); // not before it is shown
    first->show();
    second.show();
    EXPECT_EQ(first->labelZprava->text(), QStringLiteral("Message"));
    EXPECT_EQ(second.labelZprava->text(), QStringLiteral("Message"));

    // A new language reaches every copy, also after one of them is gone.
    first.reset();
    translator->SetLanguageFile(QString::fromStdString(files.Write("de.lng", "1:Nachricht\r\n")));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(second.labelZprava->text(), QStringLiteral("Nachricht"));
    EXPECT_EQ(before.labelZprava->text(), QStringLiteral("Nachricht")); // the first of its name

    translator->SetTranslateNewForms(false);
    Dialog after;
    after.show();
    EXPECT_EQ(after.labelZprava->text(), QStringLiteral("Zpráva"));
}

TEST_F(QtTranslatorTest, ListsKeepTheirEntriesAgainstATranslationOfAnotherCount)
{
    // No separator set: lists split at ",", as scan wrote them.
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.comboJazyk.Items\""),
                             QStringLiteral("2:component \"MainForm.listProgramy.Items\""),
                             QStringLiteral("3:component \"MainForm.buttonOK.Caption\"")});
    QStringList errors;
    QObject context;
    QObject::connect(translator, &TKVTranslator::ErrorOccurred, &context,
                     [&](const QString &message) { errors << message; });
    // One item too few would delete an entry; "Hello, world" holds the separator and is two.
    translator->SetLanguageFile(QString::fromStdString(
        Language(QStringLiteral("1:Czech,English\r\n2:x,Hello, world,z\r\n3:Accept\r\n"))));
    ASSERT_TRUE(translator->Translate());
    ASSERT_EQ(form->comboJazyk->count(), 2);
    EXPECT_EQ(form->comboJazyk->itemText(0), QStringLiteral("Czech"));
    ASSERT_EQ(form->listProgramy->count(), 3);
    EXPECT_EQ(form->listProgramy->item(1)->text(), QStringLiteral("b"));
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("Accept")); // the rest is applied
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().startsWith(u"MainForm.listProgramy.Items: 4 items for a list of 3"_qs))
        << errors.front().toStdString();

    translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral("1:Czech\r\n2:x,y\r\n"))));
    errors.clear();
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(errors.size(), 2);
    ASSERT_EQ(form->comboJazyk->count(), 2); // given back its own entries, none deleted
    EXPECT_EQ(form->comboJazyk->itemText(0), QStringLiteral("čeština"));
    EXPECT_EQ(form->listProgramy->count(), 3);
}

TEST_F(QtTranslatorTest, LineBreaksShortcutsAndTableCells)
{
    Dialog dialog;
    dialog.tableCeny->setItem(0, 0, new QTableWidgetItem(QStringLiteral("chléb")));
    dialog.tableCeny->setItem(0, 1, new QTableWidgetItem(QStringLiteral("20 Kč")));
    dialog.tableCeny->setItem(1, 1, new QTableWidgetItem(QStringLiteral("30 Kč")));
    form->actionOtevrit->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    translator->SetTemplate({QStringLiteral("1:component \"MainForm.labelInfo.Caption\""),
                             QStringLiteral("2:component \"MainForm.comboJazyk.Items\""),
                             QStringLiteral("3:component \"MainForm.actionOtevrit.shortcut\""),
                             QStringLiteral("4:component \"Dialog.tableCeny.Items\""),
                             QStringLiteral("5:component \"MainForm.buttonOK.Hint\"")});
    translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral(
        "1:První řádek|druhý řádek\r\n2:a|b,c\r\n3:Ctrl+U\r\n4:bread,20 CZK,30 CZK\r\n5:x|\r\n"))));
    ASSERT_TRUE(translator->Translate()) << translator->ErrorString().toStdString();
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("První řádek\ndruhý řádek"));
    EXPECT_EQ(form->buttonOK->toolTip(), QStringLiteral("x\n"));
    EXPECT_EQ(form->comboJazyk->itemText(0), QStringLiteral("a|b")); // a list entry is no text
    EXPECT_EQ(form->actionOtevrit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
    EXPECT_EQ(dialog.tableCeny->item(0, 0)->text(), QStringLiteral("bread"));
    EXPECT_EQ(dialog.tableCeny->item(1, 1)->text(), QStringLiteral("30 CZK"));
    EXPECT_EQ(dialog.tableCeny->item(1, 0), nullptr);

    translator->SetLanguageFile(QString());
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(form->labelInfo->text(), QStringLiteral("Informace"));
    EXPECT_EQ(form->actionOtevrit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(dialog.tableCeny->item(0, 1)->text(), QStringLiteral("20 Kč"));
}

TEST_F(QtTranslatorTest, APanelFormIsTranslatedWhereItSits)
{
    // A form designed as a panel and placed inside the main window.
    auto *panel = new QWidget(form->centralWidget());
    panel->setObjectName(QStringLiteral("Panel"));
    auto *labelStav = new QLabel(QStringLiteral("Připraveno"), panel);
    labelStav->setObjectName(QStringLiteral("labelStav"));
    translator->SetTemplate({QStringLiteral("1:component \"Panel.labelStav.Caption\""),
                             QStringLiteral("2:component \"panelHlavni.buttonOK.Caption\"")});
    translator->SetLanguageFile(QString::fromStdString(Language(QStringLiteral("1:Ready\r\n2:Yes\r\n"))));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(labelStav->text(), QStringLiteral("Ready"));
    EXPECT_EQ(form->buttonOK->text(), QStringLiteral("Yes"));

    // A window of that name comes first.
    QWidget window;
    window.setObjectName(QStringLiteral("Panel"));
    auto *other = new QLabel(QStringLiteral("Jiný"), &window);
    other->setObjectName(QStringLiteral("labelStav"));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(other->text(), QStringLiteral("Ready"));
    EXPECT_EQ(labelStav->text(), QStringLiteral("Připraveno")); // given back: no longer reached
}

} // namespace
