// The settings dialog and the catalogue on fakes of what they ask of the editor: no main window.
#include "settings/ui/SettingsDialogHost.h"
#include "editor/core/UserDialogs.h"
#include "platform/CodePage.h"
#include "settings/core/CatalogueStore.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TProgramyForm.h"
#include "support/DialogDriving.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

using namespace verbaria;

namespace {

class FakeSettingsHost final : public SettingsDialogHost
{
public:
    SettingsValues Values;
    std::vector<std::string> Languages;
    std::vector<std::string> Applied;
    int CodePagesApplied = 0;

    SettingsValues &Settings() override { return Values; }
    std::vector<std::string> LanguageFiles() const override { return Languages; }
    void ApplyInterfaceLanguage(const std::string &fileName) override { Applied.push_back(fileName); }
    void ApplyCodePages() override { ++CodePagesApplied; }
};

class MemoryCatalogue final : public CatalogueStore
{
public:
    std::optional<std::vector<CatalogueEntry>> Stored;
    int Writes = 0;

    std::optional<std::vector<CatalogueEntry>> Read() override { return Stored; }
    void Write(const std::vector<CatalogueEntry> &entries) override
    {
        Stored = entries;
        ++Writes;
    }
};

// The default code page is the run's: what the test changes, it gives back.
struct DefaultCodePageKept
{
    QString name = CodePage::Default().Name();
    ~DefaultCodePageKept() { CodePage::SetDefault(name); }
};

} // namespace

TEST(SettingsDialog, WorksOnAnyHostAndCatalogueStore)
{
    const DefaultCodePageKept codePage;
    FakeSettingsHost host;
    host.Languages = {"czech.lng", "English.LNG"};
    host.Values.JazykRozhrani = "ENGLISH.lng";
    MemoryCatalogue catalogue;
    catalogue.Stored = std::vector<CatalogueEntry>{{"Alfa", "a.lnd", ""}};
    const CzechTexts texts;
    TProgramyForm programy(catalogue, texts);
    TNastaveniForm nastaveni(host, programy);

    nastaveni.show();
    auto *list = nastaveni.findChild<QListWidget *>(QStringLiteral("listJazyky"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("English.LNG"));
    EXPECT_TRUE(list->item(1)->isSelected());

    Click(&nastaveni, "checkAutoDoplnovani");
    EXPECT_TRUE(host.Values.AutomatickeDoplnovani);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(host.Values.JazykRozhrani, "czech.lng");

    auto *combo = nastaveni.findChild<QComboBox *>(QStringLiteral("comboKodovaStranka"));
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(host.Values.KodovaStranka, combo->currentText().toStdString());
    EXPECT_EQ(host.CodePagesApplied, 1);

    OnNextModal([&programy](QWidget *dialog) {
        EXPECT_EQ(dialog, &programy);
        EXPECT_EQ(programy.Count(), 1);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Click(&nastaveni, "buttoinNastavProgramy");
    EXPECT_EQ(catalogue.Writes, 1);
    ASSERT_EQ(catalogue.Stored->size(), 1u);
    EXPECT_EQ(catalogue.Stored->front().Template, "a.lnd");

    // Only OK applies the chosen language.
    EXPECT_TRUE(host.Applied.empty());
    Click(&nastaveni, "buttonOK");
    EXPECT_FALSE(nastaveni.isVisible());
    EXPECT_EQ(host.Applied, (std::vector<std::string>{"czech.lng"}));
}
