#include "SettingsWindows.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QListWidget>

using namespace verbaria;

namespace {

QStringList Lines(QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QString Selected(QListWidget *list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

// The editor's own template and two user-interface languages in the program folder.
void WriteEditorLanguages(SettingsWindows &w)
{
    WriteFile(w.Path("jazyky/glotra11.lnd"),
              Cp("[ITEMS]\r\n"
                 "1: COMPONENT \"MainForm.Caption\"\r\n"
                 "2: COMPONENT \"NastaveniForm.checkAutoDoplnovani.Caption\"\r\n"
                 "3: MESSAGE \"Původní text\"\r\n"
                 "4: MESSAGE \"Nový text\"\r\n"
                 "5: MESSAGE \"Jazyky (*.lng)|*.lng|Všechny soubory|*.*\"\r\n"));
    WriteFile(w.Path("jazyky/czech.lng"), "");
    WriteFile(w.Path("jazyky/English.LNG"), "00001:Verbaria in English\r\n00002:Automatic completion\r\n"
                                            "00003:Original text\r\n00004:New text\r\n"
                                            "00005:Languages (*.lng)|*.lng|All files|*.*\r\n");
}

} // namespace

TEST(SettingsDialog, ListsTheLanguageFilesInOrderAndPreselectsTheChosenOneWhateverItsCase)
{
    SettingsWindows w;
    WriteFile(w.Path("jazyky/zulu.lng"), "");
    WriteFile(w.Path("jazyky/Czech.lng"), "");
    WriteFile(w.Path("jazyky/english.LNG"), "");
    WriteFile(w.Path("jazyky/readme.txt"), "");
    QDir(w.folder.path()).mkpath(QStringLiteral("jazyky/folder.lng"));
    w.main.Settings().JazykRozhrani = "ENGLISH.lng";

    w.nastaveni.show();
    auto *list = w.nastaveni.findChild<QListWidget *>(QStringLiteral("listJazyky"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Lines(list), (QStringList{QStringLiteral("Czech.lng"), QStringLiteral("english.LNG"),
                                        QStringLiteral("zulu.lng")}));
    EXPECT_EQ(Selected(list), QStringLiteral("english.LNG"));
    // Showing is not a choice: the stored name stays as it was.
    EXPECT_EQ(w.main.Settings().JazykRozhrani, "ENGLISH.lng");
    w.nastaveni.hide();

    w.main.Settings().JazykRozhrani = "missing.lng";
    w.nastaveni.show();
    EXPECT_TRUE(list->selectedItems().isEmpty());
    Click(&w.nastaveni, "buttonOK");
    EXPECT_EQ(w.main.Settings().JazykRozhrani, "missing.lng");
}

TEST(SettingsDialog, ChangesTakeEffectAtOnceAndCancelKeepsThem)
{
    SettingsWindows w;
    WriteEditorLanguages(w);
    w.main.show();
    const QString title = w.main.windowTitle();
    OnNextModal([&w](QWidget *dialog) {
        EXPECT_EQ(dialog, &w.nastaveni);
        Click(dialog, "checkAutoDoplnovani");
        EXPECT_TRUE(w.main.Settings().AutomatickeDoplnovani);
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("listJazyky"));
        ASSERT_EQ(Selected(list), QStringLiteral("czech.lng"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(w.main.Settings().JazykRozhrani, "English.LNG");
        Click(dialog, "buttonZrusit");
    });
    w.main.Nastaveni();
    EXPECT_TRUE(w.main.Settings().AutomatickeDoplnovani);
    EXPECT_EQ(w.main.Settings().JazykRozhrani, "English.LNG");
    EXPECT_EQ(w.main.windowTitle(), title);
    w.main.close();
    const std::string ini = ReadFile(w.Path("glotra.ini"));
    EXPECT_NE(ini.find("Jazyk=English.LNG\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Automatick\xE9 doplnovani=Ano\r\n"), std::string::npos) << ini;
}

TEST(SettingsDialog, OkRetranslatesTheWindowsAndTheMainWindowRefreshesItsOwnTexts)
{
    SettingsWindows w;
    WriteEditorLanguages(w);
    w.main.show();
    ASSERT_EQ(w.main.windowTitle(), QStringLiteral("Verbaria"));
    OnNextModal([](QWidget *dialog) {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("listJazyky"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    w.main.Nastaveni();
    EXPECT_EQ(w.main.windowTitle(), QStringLiteral("Verbaria in English"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Verbaria in English"));
    EXPECT_EQ(w.nastaveni.findChild<QCheckBox *>(QStringLiteral("checkAutoDoplnovani"))->text(),
              QStringLiteral("Automatic completion"));
    EXPECT_EQ(w.main.Document().Grid().Text(0, 0), "Original text");
    EXPECT_EQ(w.main.Document().Grid().Text(1, 0), "New text");
    EXPECT_EQ(w.main.Document().OpenDialog().Filter, "Languages (*.lng)|*.lng|All files|*.*");
    EXPECT_EQ(w.main.Document().SaveDialog().Filter, "Languages (*.lng)|*.lng|All files|*.*");
    // Texts built in code follow the new language too; this one has none and stays Czech.
    EXPECT_EQ(w.main.Texts().TranslateText("Opravdu chcete tento program odstranit ze seznamu ?"),
              Cp("Opravdu chcete tento program odstranit ze seznamu ?"));
    w.main.close();
}

TEST(SettingsDialog, RegisteredProgramsOpensTheCatalogue)
{
    SettingsWindows w;
    OnNextModal([&w](QWidget *dialog) {
        OnNextModal([&w](QWidget *catalogue) {
            EXPECT_EQ(catalogue, &w.programy);
            QTest::keyClick(catalogue, Qt::Key_Escape);
        });
        Click(dialog, "buttoinNastavProgramy");
        Click(dialog, "buttonZrusit");
    });
    w.nastaveni.exec();
    EXPECT_EQ(ReadFile(w.Path("programs.ini")), "");
}
