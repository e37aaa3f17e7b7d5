#include "editor/ui/TrackingController.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/StatusPanel.h"
#include "editor/ui/WordDifference.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <climits>

namespace verbaria {

TrackingController::TrackingController(EditorContext &context, ChecksController &checks, FilterBar &filter,
                                       StatusPanel &status, QWidget &window)
    : context_(context)
    , checks_(checks)
    , filter_(filter)
    , status_(status)
    , window_(window)
    , offer_(new QLabel(&context.StatusLine()))
{
    offer_->setObjectName(QStringLiteral("labelNabidkaSledovani"));
    offer_->hide();
    context_.StatusLine().addPermanentWidget(offer_, 1);
    const LanguageDocument &document = context_.Document();
    filter_.SetChangedTest(
        [&document](int row) { return row >= 1 && document.IsChanged(static_cast<std::size_t>(row - 1)); });
    status_.SetChangedCounter([&document] { return document.ChangedCount(); });
}

TrackingController::~TrackingController()
{
    filter_.SetChangedTest({});
    status_.SetChangedCounter({});
}

void TrackingController::Retranslate()
{
    offer_->setText(UiText(context_.Texts().TranslateText(
        "Tento soubor si nepamatuje originály překladů. Zapněte to ve vlastnostech jazyka (karta "
        "„Originály“): změny příští verze šablony se pak označí a nic se neztratí.")));
    offer_->setToolTip(offer_->text());
}

void TrackingController::AfterRead()
{
    offer_->hide();
    const LanguageDocument &document = context_.Document();
    if (document.Tracking() || document.souborJazyka().empty() || offered_.contains(document.souborJazyka()))
        return;
    // Worth offering where there is something to keep: a translation of the template's texts.
    const int rows = document.EntryRowCount();
    bool translated = false;
    for (int row = 1; row <= rows && !translated; ++row) {
        const TItemKind kind = document.polozky()[static_cast<std::size_t>(row - 1)].Kind;
        translated = (kind == ikComponent || kind == ikMessage) &&
                     !document.Grid().Text(LanguageDocument::ColumnTranslation, row).empty();
    }
    if (!translated)
        return;
    offered_.insert(document.souborJazyka());
    Retranslate();
    offer_->show();
    QTimer::singleShot(30000, offer_, &QLabel::hide);
}

QString TrackingController::RowNotes(int row) const
{
    const LanguageDocument &document = context_.Document();
    if (row < 1 || row > document.EntryRowCount() || !document.Tracking())
        return {};
    const auto index = static_cast<std::size_t>(row - 1);
    const TextService &texts = context_.Texts();
    const CodePage codePage = TemplateCodePageOf(document);
    if (const std::string *old = document.OldOriginal(index)) {
        const QString before = codePage.Decode(*old);
        const QString after = codePage.Decode(document.CurrentOriginal(index));
        return QStringLiteral("<b>%1</b><br><b>%2</b> %3<br><b>%4</b> %5")
            .arg(RichTextLines(UiText(
                     texts.TranslateText("Originál se od překladu změnil (Ctrl+Shift+K překlad ponechá):"))),
                 RichTextLines(UiText(texts.TranslateText("Dříve:"))),
                 MarkedDifference(before, after, DifferenceShown::Old),
                 RichTextLines(UiText(texts.TranslateText("Nyní:"))),
                 MarkedDifference(before, after, DifferenceShown::New));
    }
    if (const auto offer = document.MovedOfferFor(index)) {
        return QStringLiteral("<b>%1</b> %2")
            .arg(RichTextLines(UiText(texts.TranslateText("Přesunuto z %1:")))
                     .replace(QStringLiteral("%1"), QString::number(offer->From).rightJustified(5, u'0')),
                 RichTextLines(LanguageCodePageOf(document).Decode(offer->Translation)));
    }
    return {};
}

void TrackingController::KeepTranslation()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    const int row = context_.Grid().CurrentRow();
    if (row < 1 || row > document.EntryRowCount() || !document.IsChanged(static_cast<std::size_t>(row - 1)))
        return;
    document.KeepTranslation(static_cast<std::size_t>(row - 1));
    filter_.RowsChanged(row, row);
    context_.AfterCommand(true);
}

void TrackingController::TakeMoved()
{
    context_.EndEdits();
    LanguageDocument &document = context_.Document();
    const auto offers = document.MovedOffers();
    {
        GridBatch batch(document.Grid());
        for (const LanguageDocument::MovedOffer &offer : offers) {
            const int row = static_cast<int>(offer.Index) + 1;
            document.Grid().SetText(LanguageDocument::ColumnTranslation, row, offer.Translation);
            checks_.Checks().MarkForReview(row);
        }
    }
    context_.AfterCommand(true);
    checks_.Refresh(1, INT_MAX);
    context_.StatusLine().showMessage(
        UiText(context_.Texts().TranslateText("Převzato přesunutých překladů: %1")).arg(offers.size()), 5000);
}

void TrackingController::ShowObsolete()
{
    context_.EndEdits();
    const TextService &texts = context_.Texts();
    QDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("ZastaraleForm"));
    dialog.setWindowTitle(UiText(texts.TranslateText("Zastaralé překlady")));
    auto *list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("listZastarale"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({UiText(texts.TranslateText("Číslo")), UiText(texts.TranslateText("Originál")),
                           UiText(texts.TranslateText("Překlad"))});
    auto *remove = new QPushButton(UiText(texts.TranslateText("&Odstranit")), &dialog);
    remove->setObjectName(QStringLiteral("buttonOdstranit"));
    auto *removeAll = new QPushButton(UiText(texts.TranslateText("Odstranit &vše")), &dialog);
    removeAll->setObjectName(QStringLiteral("buttonOdstranitVse"));
    auto *close = new QPushButton(UiText(texts.TranslateText("&Zavřít")), &dialog);
    close->setObjectName(QStringLiteral("buttonZavrit"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(removeAll);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addLayout(buttons);
    dialog.resize(560, 320);

    LanguageDocument &document = context_.Document();
    auto fill = [&] {
        list->clear();
        const CodePage originals = TemplateCodePageOf(document);
        const CodePage translations = LanguageCodePageOf(document);
        for (const auto &[number, kept] : document.Obsolete()) {
            auto *item = new QTreeWidgetItem(list, {QString::number(number).rightJustified(5, u'0'),
                                                    originals.Decode(kept.Original),
                                                    translations.Decode(kept.Translation)});
            item->setData(0, Qt::UserRole, number);
        }
        list->resizeColumnToContents(0);
        remove->setEnabled(list->topLevelItemCount() > 0);
        removeAll->setEnabled(list->topLevelItemCount() > 0);
    };
    fill();
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    // Removing is the command that drops them: a step of undo like any other.
    connect(remove, &QPushButton::clicked, &dialog, [&] {
        const QTreeWidgetItem *item = list->currentItem();
        if (!item)
            return;
        document.RemoveObsolete(item->data(0, Qt::UserRole).toInt());
        context_.AfterCommand(true);
        fill();
    });
    connect(removeAll, &QPushButton::clicked, &dialog, [&] {
        document.RemoveObsolete(std::nullopt);
        context_.AfterCommand(true);
        fill();
    });
    dialog.exec();
}

} // namespace verbaria
