#include "editor/ui/ReplaceDialog.h"

#include "dialogs/UiText.h"
#include "editor/core/UserDialogs.h"
#include "ui_ReplaceDialog.h"
#include "widgets/OwnChildren.h"

namespace verbaria {

namespace {

// A preview longer than this is cut; the count still covers every row.
constexpr std::size_t PreviewRows = 1000;

} // namespace

ReplaceDialog::ReplaceDialog(const TextService &texts, QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::ReplaceDialog>())
    , texts_(texts)
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui_->buttonNahraditVse->setEnabled(false);
    ui_->checkJenZobrazene->setChecked(true);
    connect(ui_->buttonNahled, &QPushButton::clicked, this, &ReplaceDialog::Preview);
    connect(ui_->buttonNahraditVse, &QPushButton::clicked, this, [this] {
        if (plan_.Rows.empty())
            return;
        const ReplacePlan plan = plan_;
        emit ApplyRequested(plan);
        Invalidate();
        ui_->labelPocet->setText(UiText(texts_.TranslateText("Nahrazeno v %1 řádcích."))
                                     .replace(QStringLiteral("%1"), QString::number(plan.Rows.size())));
    });
    connect(ui_->buttonZavrit, &QPushButton::clicked, this, &QDialog::close);
    for (QLineEdit *edit : {ui_->editHledat, ui_->editNahradit})
        connect(edit, &QLineEdit::textChanged, this, &ReplaceDialog::Invalidate);
    for (QCheckBox *check : {ui_->checkRegularniVyraz, ui_->checkRozlisovatVelikost, ui_->checkCelaSlova,
                             ui_->checkBezAkceleratoru, ui_->checkJenZobrazene})
        connect(check, &QCheckBox::toggled, this, &ReplaceDialog::Invalidate);
    Retranslate();
}

ReplaceDialog::~ReplaceDialog()
{
    DisconnectOwnChildren(*this);
}

void ReplaceDialog::Retranslate()
{
    ui_->listNahled->setHeaderLabels({UiText(texts_.TranslateText("Řádek")),
                                      UiText(texts_.TranslateText("Nyní")),
                                      UiText(texts_.TranslateText("Po nahrazení"))});
}

ReplaceOptions ReplaceDialog::Options() const
{
    ReplaceOptions options;
    options.Find = ui_->editHledat->text();
    options.Replacement = ui_->editNahradit->text();
    options.RegularExpression = ui_->checkRegularniVyraz->isChecked();
    options.MatchCase = ui_->checkRozlisovatVelikost->isChecked();
    options.WholeWord = ui_->checkCelaSlova->isChecked();
    options.IgnoreAccelerators = ui_->checkBezAkceleratoru->isChecked();
    return options;
}

bool ReplaceDialog::OnlyShownRows() const
{
    return ui_->checkJenZobrazene->isChecked();
}

void ReplaceDialog::Invalidate()
{
    plan_ = {};
    ui_->listNahled->clear();
    ui_->labelPocet->clear();
    ui_->buttonNahraditVse->setEnabled(false);
}

void ReplaceDialog::Preview()
{
    Invalidate();
    if (!planner_)
        return;
    plan_ = planner_(Options(), OnlyShownRows());
    if (!plan_.Error.isEmpty()) {
        ui_->labelPocet->setText(UiText(texts_.TranslateText("Chybný regulární výraz: %1"))
                                     .replace(QStringLiteral("%1"), plan_.Error));
        return;
    }
    QString count = UiText(texts_.TranslateText("Nalezeno %1 výskytů, změní se %2 řádků."))
                        .replace(QStringLiteral("%1"), QString::number(plan_.Matches))
                        .replace(QStringLiteral("%2"), QString::number(plan_.Rows.size()));
    if (plan_.Refused > 0)
        count += QLatin1Char(' ') +
                 UiText(texts_.TranslateText("%1 řádků zůstane, kódová stránka by nový text neudržela."))
                     .replace(QStringLiteral("%1"), QString::number(plan_.Refused));
    ui_->labelPocet->setText(count);
    QList<QTreeWidgetItem *> items;
    for (std::size_t i = 0; i < plan_.Rows.size() && i < PreviewRows; ++i) {
        const RowReplacement &row = plan_.Rows[i];
        items.append(new QTreeWidgetItem({QString::number(row.Row), row.OldShown, row.NewShown}));
    }
    ui_->listNahled->addTopLevelItems(items);
    ui_->listNahled->resizeColumnToContents(0);
    ui_->buttonNahraditVse->setEnabled(!plan_.Rows.empty());
}

} // namespace verbaria
