#include "editor/ui/FilterBar.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/TextSearch.h"
#include "editor/core/TranslationCounts.h"
#include "platform/CodePage.h"
#include "widgets/OwnChildren.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace verbaria {

FilterBar::FilterBar(const TextService &texts, QWidget *parent)
    : QWidget(parent)
    , texts_(texts)
    , labelFiltr_(new QLabel(this))
    , comboFiltr_(new QComboBox(this))
    , editFiltr_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("panelFiltr"));
    comboFiltr_->setObjectName(QStringLiteral("comboFiltr"));
    editFiltr_->setObjectName(QStringLiteral("editFiltr"));
    editFiltr_->setClearButtonEnabled(true);
    labelFiltr_->setBuddy(comboFiltr_);
    for (int i = 0; i <= Seen; ++i)
        comboFiltr_->addItem(QString());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(labelFiltr_);
    layout->addWidget(comboFiltr_);
    layout->addWidget(editFiltr_, 1);
    Retranslate();
    editFiltr_->setEnabled(false);
    connect(comboFiltr_, &QComboBox::currentIndexChanged, this, [this](int index) {
        editFiltr_->setEnabled(index == Containing);
        if (index == Containing)
            editFiltr_->setFocus(Qt::OtherFocusReason);
        emit FilterChanged();
    });
    connect(editFiltr_, &QLineEdit::textChanged, this, [this] {
        if (CurrentMode() == Containing)
            emit FilterChanged();
    });
}

FilterBar::~FilterBar()
{
    DisconnectOwnChildren(*this);
}

void FilterBar::Retranslate()
{
    labelFiltr_->setText(UiText(texts_.TranslateText("&Zobrazit:")));
    comboFiltr_->setItemText(All, UiText(texts_.TranslateText("Všechny řádky")));
    comboFiltr_->setItemText(Untranslated, UiText(texts_.TranslateText("Nepřeložené texty")));
    comboFiltr_->setItemText(Translated, UiText(texts_.TranslateText("Přeložené texty")));
    comboFiltr_->setItemText(Containing, UiText(texts_.TranslateText("Řádky obsahující text")));
    comboFiltr_->setItemText(Problems, UiText(texts_.TranslateText("Řádky s problémy")));
    comboFiltr_->setItemText(Review, UiText(texts_.TranslateText("Řádky ke kontrole")));
    comboFiltr_->setItemText(Changed, UiText(texts_.TranslateText("Řádky se změněným originálem")));
    comboFiltr_->setItemText(Seen, UiText(texts_.TranslateText("Řádky viděné v programu")));
    editFiltr_->setPlaceholderText(UiText(texts_.TranslateText("Hledaný text")));
}

FilterBar::Mode FilterBar::CurrentMode() const
{
    return static_cast<Mode>(comboFiltr_->currentIndex());
}

void FilterBar::SetMode(Mode mode)
{
    comboFiltr_->setCurrentIndex(mode);
}

QString FilterBar::Text() const
{
    return editFiltr_->text();
}

void FilterBar::TestChanged(Mode mode)
{
    if (CurrentMode() == mode)
        emit FilterChanged();
}

void FilterBar::SetText(const QString &text)
{
    editFiltr_->setText(text);
}

bool FilterBar::Shows(const LanguageDocument &document, int row, const Needles &needles) const
{
    const Mode mode = CurrentMode();
    if (mode == All)
        return true;
    const bool entry = row >= 1 && row <= static_cast<int>(document.polozky().size());
    if (mode == Containing) {
        if (Text().isEmpty())
            return true;
        const GridCells &grid = document.Grid();
        for (int column = 0; column < 2; ++column) {
            const std::optional<std::string> &needle = needles[column][grid.EncodingOf(column, row)];
            if (needle && CellContains(grid.Text(column, row), *needle, false))
                return true;
        }
        return false;
    }
    if (!entry)
        return false;
    if (mode == Problems)
        return hasProblem_ && hasProblem_(row);
    if (mode == Review)
        return needsReview_ && needsReview_(row);
    if (mode == Changed)
        return changed_ && changed_(row);
    if (mode == Seen)
        return seen_ && seen_(row);
    const TItemKind kind = document.polozky()[static_cast<std::size_t>(row - 1)].Kind;
    if (kind != ikComponent && kind != ikMessage)
        return false;
    return IsUntranslatedRow(document, row) == (mode == Untranslated);
}

namespace {

FilterBar::Needles NeedlesOf(const FilterBar &bar, const StringGrid &grid)
{
    FilterBar::Needles needles;
    if (const StringGridModel *model = grid.GridModel()) {
        for (int column = 0; column < 2; ++column) {
            for (int encoding = 0; encoding < GridCells::EncodingCount; ++encoding)
                needles[column][encoding] =
                    model->CodePageOf(column, static_cast<GridCells::Encoding>(encoding)).Encode(bar.Text());
        }
    }
    return needles;
}

} // namespace

void FilterBar::Apply(StringGrid &grid, const LanguageDocument &document)
{
    changedRows_.clear();
    allRowsChanged_ = false;
    const int rows = document.Grid().RowCount();
    const Needles needles = NeedlesOf(*this, grid);
    grid.setUpdatesEnabled(false);
    for (int row = 1; row < rows; ++row) {
        const bool hide = !Shows(document, row, needles);
        if (grid.isRowHidden(row - 1) != hide)
            grid.setRowHidden(row - 1, hide);
    }
    grid.setUpdatesEnabled(true);
}

void FilterBar::RowsChanged(int firstRow, int lastRow)
{
    if (CurrentMode() == All || allRowsChanged_ || firstRow < 1)
        return;
    // A replace or a completion over many rows is looked at again as a whole.
    if (lastRow - firstRow > 1000 || changedRows_.size() > 10000) {
        allRowsChanged_ = true;
        changedRows_.clear();
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row)
        changedRows_.insert(row);
}

void FilterBar::ApplyToChangedRows(StringGrid &grid, const LanguageDocument &document, int currentRow)
{
    if (!allRowsChanged_ && changedRows_.empty())
        return;
    const bool keepCurrent = currentRow >= 1 && (allRowsChanged_ || changedRows_.contains(currentRow));
    if (allRowsChanged_)
        Apply(grid, document);
    const Needles needles = NeedlesOf(*this, grid);
    const int rows = document.Grid().RowCount();
    for (int row : std::exchange(changedRows_, {})) {
        if (row == currentRow || row >= rows)
            continue;
        const bool hide = !Shows(document, row, needles);
        if (grid.isRowHidden(row - 1) != hide)
            grid.setRowHidden(row - 1, hide);
    }
    // The row the user is on stays in view; it is looked at again when they leave it.
    if (keepCurrent) {
        grid.setRowHidden(currentRow - 1, false);
        changedRows_.insert(currentRow);
    }
}

} // namespace verbaria
