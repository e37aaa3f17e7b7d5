// A new version of a program's template in the main window, over real widgets: the translation
// whose original changed is marked, filtered, counted and shown with its old original; keeping it
// and editing it clear the mark as one undo step; the translation that moved is offered and taken;
// the obsolete one is listed and removed only on purpose; the bytes saved.
#include "editor/ui/FilterBar.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "editor/ui/TextPane.h"
#include "mainform/WindowFixture.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include "ui_TVlastnostiForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace verbaria;

namespace {

const char *const Version2 = "[LANGUAGE]\r\nProgram=Demo\r\nCodepage=UTF-8\r\n[ITEMS]\r\n"
                             "1: SECTION \"Okno\"\r\n2: COMPONENT \"F.Caption\"\r\n"
                             "3: MESSAGE \"Uložit soubor jako\"\r\n5: MESSAGE \"Zavřít okno\"\r\n"
                             "6: MESSAGE \"Nový\"\r\n";
const char *const MadeForVersion1 = "Language=English\r\nDefinition=demo.lnd\r\n/Tracking: originals\r\n"
                                    "/Original 00002:F.Caption\r\n00002:Window\r\n"
                                    "/Original 00003:Uložit soubor\r\n00003:Save file\r\n"
                                    "/Original 00004:Zavřít okno\r\n00004:Close window\r\n";

class Tracking : public WindowFixture
{
protected:
    void Open(const std::string &language)
    {
        Write("demo.lnd", Version2);
        Write("demo.lng", language);
        TMainForm::Hooks hooks;
        hooks.ReadSettings = [demo = Path("demo.lnd"), file = Path("demo.lng")](const std::string &,
                                                                                SettingsValues &settings) {
            settings.PosledniSablona = demo;
            settings.PosledniJazyk = file;
            settings.JazykProPopisy.clear();
        };
        form_ = OpenWindow(hooks);
        form_->gridJazyk()->setFocus();
    }
    bool Marked(int row)
    {
        const StringGridModel *model = form_->gridJazyk()->GridModel();
        return model->data(model->IndexOfCell(1, row), Qt::DecorationRole).isValid();
    }
    void Select(int row)
    {
        ASSERT_TRUE(form_->gridJazyk()->SetCurrentCell(1, row));
        QCoreApplication::processEvents();
    }
    QString Notes() { return form_->textPane()->labelPoznamky()->text(); }
    QString ChangedCount()
    {
        const QLabel *label = form_->Status().labelZmenene();
        return label->isVisibleTo(form_.get()) ? label->text() : QString();
    }
    bool Changed(int row) { return form_->Document().IsChanged(static_cast<std::size_t>(row - 1)); }
    // Ticks or clears "track the originals" in the properties dialog and closes it with OK.
    void SetTrackingInProperties(bool on)
    {
        TVlastnostiForm vlastnosti(form_.get());
        form_->SetPropertiesDialog(&vlastnosti);
        QTimer::singleShot(0, &vlastnosti, [&vlastnosti, on] {
            QCheckBox *check = vlastnosti.ui().checkSledovatOriginaly;
            if (check->isChecked() != on)
                check->click();
            vlastnosti.ui().buttonOK->click();
        });
        form_->toolVlastnostiClick();
        form_->SetPropertiesDialog(nullptr);
        QCoreApplication::processEvents();
    }
    // Whether the grid repainted row since the last call.
    bool Repainted(int row)
    {
        const bool repainted = repainted_.contains(row);
        repainted_.clear();
        return repainted;
    }
    void WatchRepaints()
    {
        const StringGridModel *model = form_->gridJazyk()->GridModel();
        QObject::connect(model, &QAbstractItemModel::dataChanged, form_.get(),
                         [this](const QModelIndex &first, const QModelIndex &last) {
                             for (int row = first.row(); row <= last.row(); ++row)
                                 repainted_.insert(row);
                         });
    }

    std::unique_ptr<TMainForm> form_;
    QSet<int> repainted_;
};

} // namespace

TEST_F(Tracking, TheChangedTranslationIsMarkedShownWithItsOldOriginalAndKeptInOneStep)
{
    Open(MadeForVersion1);
    EXPECT_TRUE(Marked(3));
    EXPECT_FALSE(Marked(2));
    EXPECT_EQ(ChangedCount(), QStringLiteral("Změněné originály: 1"));

    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::Changed);
    QCoreApplication::processEvents();
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(form_->gridJazyk()->isRowHidden(row - 1), row != 3) << row;
    form_->filterBar()->comboFiltr()->setCurrentIndex(FilterBar::All);

    // F8 finds it among the problems; the pane shows what went and what came.
    Select(1);
    Trigger("menuDalsiProblem");
    EXPECT_EQ(form_->gridJazyk()->CurrentRow(), 3);
    Select(3);
    const QString notes = Notes();
    EXPECT_TRUE(notes.contains(QStringLiteral("Dříve:"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral("background-color:#b9e8b0\"> jako</span>")))
        << notes.toStdString();

    Trigger("menuPonechatPreklad");
    EXPECT_FALSE(Changed(3));
    EXPECT_FALSE(Marked(3));
    EXPECT_EQ(ChangedCount(), QString());
    Trigger("menuZpet");
    EXPECT_TRUE(Changed(3));
    EXPECT_TRUE(Marked(3));
    Trigger("menuZnovu");
    EXPECT_FALSE(Changed(3));
    Trigger("menuZpet");

    // A new text is made from the original of now.
    form_->Document().Grid().SetText(1, 3, "Save file as");
    QCoreApplication::processEvents();
    EXPECT_FALSE(Changed(3));
    EXPECT_FALSE(Marked(3));
}

TEST_F(Tracking, TheMovedTranslationIsTakenTheObsoleteOneRemovedOnlyOnPurposeAndTheBytesSaved)
{
    Open(MadeForVersion1);
    Select(4);
    EXPECT_TRUE(Notes().contains(QStringLiteral("Přesunuto z 00004:"))) << Notes().toStdString();
    Trigger("menuPrevzitPresunute");
    EXPECT_EQ(form_->Document().Grid().Text(1, 4), "Close window");
    EXPECT_TRUE(form_->Document().NoteOf(5) && form_->Document().NoteOf(5)->Review);
    Trigger("menuZpet");
    EXPECT_EQ(form_->Document().Grid().Text(1, 4), "");
    Trigger("menuZnovu");

    int listed = -1;
    InModal([&](QDialog &dialog) {
        auto *list = FindChild<QTreeWidget>(dialog, "listZastarale");
        listed = list->topLevelItemCount();
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Zavřít okno"));
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Close window"));
        FindChild<QPushButton>(dialog, "buttonOdstranitVse")->click();
        EXPECT_EQ(list->topLevelItemCount(), 0);
        dialog.accept();
    });
    Trigger("menuZastaralePreklady");
    EXPECT_EQ(listed, 1);
    EXPECT_TRUE(form_->Document().Obsolete().empty());
    Trigger("menuZpet");
    EXPECT_EQ(form_->Document().Obsolete().size(), 1u);

    Trigger("menuUlozitHned");
    EXPECT_EQ(Read("demo.lng"),
              "Language=English\r\nDefinition=demo.lnd\r\n/Tracking: originals\r\n"
              "/Original 00002:F.Caption\r\n00002:Window\r\n"
              "/Original 00003:Uložit soubor\r\n00003:Save file\r\n"
              "/Original 00005:Zavřít okno\r\n/Notes 00005: review\r\n00005:Close window\r\n"
              "/Original 00004:Zavřít okno\r\n/Obsolete 00004:Close window\r\n");
}

TEST_F(Tracking, AFileThatDoesNotTrackIsOfferedTrackingOnceAndSavedAsBefore)
{
    const std::string plain =
        "Language=English\r\nDefinition=demo.lnd\r\n00002:Window\r\n00003:Save file\r\n";
    Open(plain);
    const QLabel *offer = FindChild<QLabel>(*form_, "labelNabidkaSledovani");
    EXPECT_TRUE(offer->isVisibleTo(form_.get()));
    EXPECT_TRUE(offer->text().contains(QStringLiteral("„Originály“"))) << offer->text().toStdString();
    EXPECT_FALSE(Marked(3));
    form_->Document().SetZmeneno(true);
    Trigger("menuUlozitHned");
    EXPECT_EQ(Read("demo.lng"), plain);
}

TEST_F(Tracking, TurningTrackingOffAndOnInThePropertiesShowsTheMarksAtOnceAndUndoesAsOneStep)
{
    Open(MadeForVersion1);
    ASSERT_TRUE(Marked(3));
    const QString count = ChangedCount();
    ASSERT_FALSE(count.isEmpty());
    WatchRepaints();

    SetTrackingInProperties(false);
    EXPECT_FALSE(form_->Document().Tracking());
    EXPECT_FALSE(Marked(3));
    EXPECT_TRUE(Repainted(form_->gridJazyk()->GridModel()->IndexOfCell(1, 3).row()));
    EXPECT_EQ(ChangedCount(), QString());

    SetTrackingInProperties(true);
    EXPECT_TRUE(Marked(3));
    EXPECT_TRUE(Repainted(form_->gridJazyk()->GridModel()->IndexOfCell(1, 3).row()));
    EXPECT_EQ(ChangedCount(), count);

    Trigger("menuZpet");
    EXPECT_FALSE(form_->Document().Tracking());
    EXPECT_TRUE(Repainted(form_->gridJazyk()->GridModel()->IndexOfCell(1, 3).row()));
    EXPECT_EQ(ChangedCount(), QString());
}
