#include "editor/ui/ChecksController.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentCodePages.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/FilterBar.h"
#include "editor/ui/RowChecks.h"
#include "editor/ui/StatusPanel.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QStatusBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <climits>

namespace verbaria {

ChecksController::ChecksController(EditorContext &context, FilterBar &filter, StatusPanel &status,
                                   const QWidget &window)
    : context_(context)
    , filter_(filter)
    , status_(status)
    , checks_(std::make_unique<RowChecks>(context.Document()))
{
    // A large document's checks come in after it is shown: every row's marks, and the row's notes.
    checks_->SetPassEnded(this, [this] {
        context_.Grid().GridModel()->MarkersChanged(1,
                                                    std::max(1, context_.Document().Grid().RowCount() - 1));
        emit PassEnded();
    });
    filter_.SetProblemTest(
        [this](int row) { return checks_->HasProblem(row) || !OutsideWarnings(row).isEmpty(); });
    filter_.SetReviewTest([this](int row) { return checks_->NeedsReview(row); });
    status_.SetReviewCounter([this] { return checks_->ReviewCount(); });

    StringGridModel *model = context_.Grid().GridModel();
    model->SetMarker([this, &window](int column, int row, int role) -> QVariant {
        // The original's tooltip: the text the form holds, where the row shows a component's path.
        if (column == LanguageDocument::ColumnOriginal)
            return role == Qt::ToolTipRole ? QVariant(FormTextOf(row)) : QVariant();
        if (column != LanguageDocument::ColumnTranslation)
            return {};
        // A translation made from an original the template has changed since.
        const bool changed = row >= 1 && context_.Document().IsChanged(static_cast<std::size_t>(row - 1));
        const QString changedText =
            changed ? UiText(context_.Texts().TranslateText("Originál se od překladu změnil.")) : QString();
        const QString outside = OutsideWarnings(row);
        auto lines = [](QStringList parts) {
            parts.removeAll(QString());
            return parts.join(QLatin1Char('\n'));
        };
        // Painting never waits for a pass under way.
        if (checks_->Pending() || !checks_->HasProblem(row)) {
            if (!changed && outside.isEmpty())
                return {};
            if (role == Qt::ToolTipRole)
                return lines({changedText, outside});
            return window.style()->standardIcon(changed ? QStyle::SP_BrowserReload
                                                        : QStyle::SP_MessageBoxWarning);
        }
        if (role == Qt::ToolTipRole)
            return lines({changedText, checks_->Messages(row, context_.Texts()), outside});
        const QStyle::StandardPixmap icon = checks_->HasError(row) && !checks_->Shown(row).empty()
                                                ? QStyle::SP_MessageBoxCritical
                                                : QStyle::SP_MessageBoxWarning;
        return window.style()->standardIcon(icon);
    });
    // Rows that move or come and go are checked anew; a change of texts is the window's to tell.
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] { Refresh(1, INT_MAX); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { Refresh(1, INT_MAX); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { Refresh(1, INT_MAX); });
    Refresh(1, INT_MAX);
}

ChecksController::~ChecksController()
{
    // The grid and the filter may outlive the checks for a moment: they ask nothing any more.
    if (StringGridModel *model = context_.Grid().GridModel())
        model->SetMarker({});
    filter_.SetProblemTest({});
    filter_.SetReviewTest({});
    status_.SetReviewCounter({});
    outside_ = {};
}

void ChecksController::Refresh(int first, int last)
{
    const auto [changedFirst, changedLast] = checks_->Refresh(context_.Document(), first, last);
    if (changedFirst <= changedLast)
        context_.Grid().GridModel()->MarkersChanged(changedFirst, changedLast);
}

QString ChecksController::FormTextOf(int row) const
{
    const std::optional<std::string_view> text = checks_->FormText(row);
    if (!text || text->empty())
        return {};
    return TemplateCodePageOf(context_.Document()).Decode(std::string(*text));
}

QString ChecksController::MessageFacts(int row) const
{
    if (row < 1)
        return {};
    const TextService &texts = context_.Texts();
    // A component's original is the text its form holds; the row itself names its path.
    if (const QString shown = FormTextOf(row); !shown.isEmpty())
        return QStringLiteral("<b>%1</b> %2")
            .arg(RichTextLines(UiText(texts.TranslateText("Text ve formuláři:"))), RichTextLines(shown));
    const LanguageDocument &document = context_.Document();
    const MessageInfo *message = document.MessageOf(static_cast<std::size_t>(row - 1));
    if (!message)
        return {};
    // The template's own bytes, in its code page, as the left column shows them.
    const CodePage codePage = TemplateCodePageOf(document);
    QStringList lines;
    auto fact = [&](const std::string &label, const std::string &value) {
        if (!value.empty())
            lines << QStringLiteral("<b>%1</b> %2")
                         .arg(RichTextLines(UiText(label)), RichTextLines(codePage.Decode(value)));
    };
    fact(texts.TranslateText("Kontext:"), message->Context);
    fact(texts.TranslateText("Rozlišení:"), message->Disambiguation);
    fact(texts.TranslateText("Poznámka programátora:"), message->Comment);
    fact(texts.TranslateText("Místo ve zdrojovém kódu:"), message->Location);
    if (message->Plural)
        lines << RichTextLines(UiText(texts.TranslateText("Text s množnými tvary (%n je počet)")));
    return lines.join(QStringLiteral("<br>"));
}

QString ChecksController::FactsAndFindings(int row) const
{
    QString html = MessageFacts(row);
    QStringList lines{checks_->Messages(row, context_.Texts()), OutsideWarnings(row)};
    lines.removeAll(QString());
    const QString findings = RichTextLines(lines.join(QLatin1Char('\n')));
    if (!findings.isEmpty())
        html += (html.isEmpty() ? QString() : QStringLiteral("<br>")) + findings;
    return html;
}

void ChecksController::NextProblem()
{
    GoToProblem(1);
}

void ChecksController::PreviousProblem()
{
    GoToProblem(-1);
}

bool ChecksController::HasProblem(int row) const
{
    return checks_->HasProblem(row) ||
           (row >= 1 && context_.Document().IsChanged(static_cast<std::size_t>(row - 1))) ||
           !OutsideWarnings(row).isEmpty();
}

QString ChecksController::OutsideWarnings(int row) const
{
    return outside_ && row >= 1 ? outside_(row) : QString();
}

void ChecksController::SetOutsideWarnings(std::function<QString(int row)> warnings)
{
    outside_ = std::move(warnings);
}

void ChecksController::OutsideChanged(int first, int last)
{
    if (first > last)
        return;
    context_.Grid().GridModel()->MarkersChanged(first, last);
    filter_.RowsChanged(first, last);
}

void ChecksController::GoToProblem(int direction)
{
    context_.EndEdits();
    const int entries = context_.Document().EntryRowCount();
    const int current = context_.Grid().CurrentRow();
    int row = current >= 1 && current <= entries ? current : (direction > 0 ? 0 : entries + 1);
    for (int step = 0; step < entries; ++step) {
        if (direction > 0)
            row = row >= entries ? 1 : row + 1;
        else
            row = row <= 1 ? entries : row - 1;
        if (HasProblem(row)) {
            context_.GoTo(LanguageDocument::ColumnTranslation, row);
            return;
        }
    }
    context_.StatusLine().showMessage(
        UiText(context_.Texts().TranslateText("Kontroly nenašly žádný problém.")), 3000);
}

void ChecksController::AcknowledgeWarnings()
{
    context_.EndEdits();
    const int row = context_.Grid().CurrentRow();
    if (!checks_->Acknowledge(row))
        return;
    // A filtered view looks at the row again once the user leaves it.
    filter_.RowsChanged(row, row);
    // The note is saved with the file: a step of the document, which marks the row anew.
    context_.AfterCommand(true);
}

} // namespace verbaria
