#include "editor/ui/LiveController.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/ChecksController.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "editor/ui/FilterBar.h"
#include "platform/CodePage.h"
#include "translator/qt/LiveServer.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <vector>

namespace verbaria {

LiveController::LiveController(EditorContext &context, ChecksController &checks, FilterBar &filter)
    : context_(context)
    , checks_(checks)
    , filter_(filter)
    , server_(new qt::LiveServer(this))
    , dialog_(std::make_unique<FileDialogState>())
{
    // The program outlives the link: closing the editor (or the link) leaves it running.
    starter_ = [](const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &environment, QString &error) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(QFileInfo(program).absolutePath());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        if (process.startDetached())
            return true;
        error = process.errorString();
        return false;
    };
    connect(server_, &qt::LiveServer::Linked, this, [this] {
        // A program linked anew reports what it shows from the start.
        ForgetFit();
        if (!seen_.empty()) {
            seen_.clear();
            filter_.TestChanged(FilterBar::Seen);
            emit SeenChanged();
        }
        // The program shows the document as it is now, then follows every change.
        SendRows(1, INT_MAX);
        SendCurrentRow(context_.Grid().CurrentRow());
        if (pickMode_)
            SetPickMode(true);
        ShowState();
    });
    connect(server_, &qt::LiveServer::Unlinked, this, [this] {
        // What the program measured holds no longer; the rows it showed stay a filter.
        ForgetFit();
        ShowState();
    });
    connect(server_, &qt::LiveServer::Received, this, &LiveController::Received);

    // Every keystroke in a cell or the text pane reaches the cells at once, undo, replace and
    // import through the history; each tells the rows it changed.
    StringGrid &grid = context_.Grid();
    connect(grid.GridModel(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole))
                    SendRows(StringGridModel::GridRowOf(topLeft), StringGridModel::GridRowOf(bottomRight));
            });
    connect(grid.GridModel(), &QAbstractItemModel::modelReset, this, [this] { SendRows(1, INT_MAX); });
    connect(&context_.History(), &DocumentHistory::Changed, this, &LiveController::SendRows);
    connect(&grid, &StringGrid::CellAboutToBeSelected, this, [this](int, int row) { SendCurrentRow(row); });

    checks_.SetOutsideWarnings([this](int row) { return FitWarning(row); });
    filter_.SetSeenTest([this](int row) {
        const LanguageDocument &document = context_.Document();
        return row >= 1 && row <= document.EntryRowCount() &&
               seen_.contains(document.polozky()[static_cast<std::size_t>(row - 1)].Number);
    });
}

LiveController::~LiveController()
{
    checks_.SetOutsideWarnings({});
    filter_.SetSeenTest({});
    // The program is not ours to end: it goes on without the link.
    server_->disconnect(this);
    server_->Unlink();
}

bool LiveController::IsLinked() const
{
    return server_->IsLinked();
}

void LiveController::ChooseAndStart()
{
    context_.EndEdits();
    const TextService &texts = context_.Texts();
    dialog_->Title = texts.TranslateText("Spustit program živě");
    dialog_->Filter = texts.TranslateText("Programy") + " (*)|*";
    const std::optional<std::string> chosen = context_.Dialogs().ChooseFileToOpen(*dialog_);
    if (!chosen)
        return;
    const QString program = QString::fromStdString(*chosen);
    dialog_->InitialFolder = QFileInfo(program).absolutePath().toStdString();
    Start(program);
}

bool LiveController::Start(const QString &program, const QStringList &arguments)
{
    const TextService &texts = context_.Texts();
    const QString invitation = server_->Invite();
    if (invitation.isEmpty()) {
        context_.Dialogs().ReportError(texts.TranslateText("Spojení s programem nelze otevřít") + ": " +
                                       server_->ErrorString().toStdString());
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(live::kLiveEnvironmentVariable), invitation);
    QString error;
    if (!starter_(program, arguments, environment, error)) {
        context_.Dialogs().ReportError(texts.TranslateText("Program nelze spustit") + ": " +
                                       error.toStdString());
        return false;
    }
    programName_ = QFileInfo(program).fileName();
    waiting_ = true;
    // A program that owns no translator never connects: the indicator gives up on it.
    QTimer::singleShot(30000, this, [this] {
        waiting_ = false;
        ShowState();
    });
    ShowState();
    return true;
}

void LiveController::Stop()
{
    server_->Unlink();
    ShowState();
}

live::LiveEntry LiveController::EntryOfRow(int row, int form) const
{
    const LanguageDocument &document = context_.Document();
    const TEditorItem &item = document.polozky()[static_cast<std::size_t>(row - 1)];
    const CodePage codePage = CodePage::ForDeclared(document.LanguageCodePage());
    live::LiveEntry entry;
    entry.Number = item.Number;
    if (item.Kind == ikComponent)
        entry.Path = CodePage::ForDeclared(document.TemplateCodePage()).Decode(item.Text).toStdString();
    entry.Value = form;
    if (form == 0) {
        entry.Text =
            codePage.Decode(document.Grid().Text(LanguageDocument::ColumnTranslation, row)).toStdString();
    } else if (const std::vector<std::string> *forms = document.FormsOf(static_cast<std::size_t>(row - 1));
               forms && static_cast<std::size_t>(form) <= forms->size()) {
        entry.Text = codePage.Decode((*forms)[static_cast<std::size_t>(form - 1)]).toStdString();
    }
    return entry;
}

void LiveController::SendRows(int first, int last)
{
    if (!server_->IsLinked())
        return;
    const LanguageDocument &document = context_.Document();
    first = std::max(first, 1);
    last = std::min(last, document.EntryRowCount());
    live::LiveMessage set;
    set.Type = live::LiveType::Set;
    for (int row = first; row <= last; ++row) {
        const TEditorItem &item = document.polozky()[static_cast<std::size_t>(row - 1)];
        if (item.Kind != ikComponent && item.Kind != ikMessage)
            continue;
        set.Entries.push_back(EntryOfRow(row, 0));
        if (const std::vector<std::string> *forms = document.FormsOf(static_cast<std::size_t>(row - 1))) {
            for (std::size_t form = 1; form <= forms->size(); ++form)
                set.Entries.push_back(EntryOfRow(row, static_cast<int>(form)));
        }
    }
    if (!set.Entries.empty())
        server_->Send(set);
}

void LiveController::SendCurrentRow(int row)
{
    if (!server_->IsLinked())
        return;
    const LanguageDocument &document = context_.Document();
    live::LiveMessage select;
    select.Type = live::LiveType::Select;
    if (row >= 1 && row <= document.EntryRowCount())
        select.Entries.push_back({document.polozky()[static_cast<std::size_t>(row - 1)].Number, {}, {}, 0});
    server_->Send(select);
}

int LiveController::RowOfNumber(std::int32_t number) const
{
    const LanguageDocument &document = context_.Document();
    const std::int32_t index = number >= 0 ? document.IndexOfNumber(number) : -1;
    return index >= 0 && index + 1 <= document.EntryRowCount() ? index + 1 : -1;
}

void LiveController::Received(const live::LiveMessage &message)
{
    switch (message.Type) {
    case live::LiveType::Pick:
        Pick(message);
        break;
    case live::LiveType::Seen: {
        const std::size_t before = seen_.size();
        for (const live::LiveEntry &entry : message.Entries)
            seen_.insert(entry.Number);
        if (seen_.size() != before) {
            filter_.TestChanged(FilterBar::Seen);
            emit SeenChanged();
        }
        break;
    }
    case live::LiveType::Fit:
        TakeFit(message);
        break;
    default:
        break;
    }
}

void LiveController::Pick(const live::LiveMessage &message)
{
    // Every row whose text the picked widget shows is selected; the first of them is current.
    std::vector<int> rows;
    for (const live::LiveEntry &entry : message.Entries) {
        if (const int row = RowOfNumber(entry.Number); row >= 1)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return;
    context_.EndEdits();
    StringGrid &grid = context_.Grid();
    for (const int row : rows) {
        if (grid.isRowHidden(row - 1))
            grid.setRowHidden(row - 1, false);
    }
    context_.GoTo(LanguageDocument::ColumnTranslation, rows.front());
    if (QItemSelectionModel *selection = grid.selectionModel()) {
        for (std::size_t i = 1; i < rows.size(); ++i)
            selection->select(grid.GridModel()->IndexOfCell(LanguageDocument::ColumnTranslation, rows[i]),
                              QItemSelectionModel::Select);
    }
}

void LiveController::TakeFit(const live::LiveMessage &message)
{
    std::vector<int> rows;
    if (message.Value == 1) {
        // The whole report: what it leaves out fits.
        for (const auto &[key, pixels] : tooNarrow_)
            rows.push_back(RowOfNumber(key.first));
        tooNarrow_.clear();
    }
    for (const live::LiveEntry &entry : message.Entries) {
        if (entry.Number < 0)
            continue; // a text of no entry: no row to show it at
        if (entry.Value > 0)
            tooNarrow_[{entry.Number, entry.Text}] = entry.Value;
        else
            tooNarrow_.erase({entry.Number, entry.Text});
        rows.push_back(RowOfNumber(entry.Number));
    }
    std::erase_if(rows, [](int row) { return row < 1; });
    if (rows.empty())
        return;
    const auto [first, last] = std::minmax_element(rows.begin(), rows.end());
    checks_.OutsideChanged(*first, *last);
    emit FitChanged();
}

void LiveController::ForgetFit()
{
    if (tooNarrow_.empty())
        return;
    live::LiveMessage none;
    none.Type = live::LiveType::Fit;
    none.Value = 1;
    TakeFit(none);
}

QString LiveController::FitWarning(int row) const
{
    const LanguageDocument &document = context_.Document();
    if (row < 1 || row > document.EntryRowCount() || tooNarrow_.empty())
        return {};
    const std::int32_t number = document.polozky()[static_cast<std::size_t>(row - 1)].Number;
    int pixels = 0;
    for (auto at = tooNarrow_.lower_bound({number, std::string()});
         at != tooNarrow_.end() && at->first.first == number; ++at)
        pixels = std::max(pixels, at->second);
    if (pixels <= 0)
        return {};
    return UiText(context_.Texts().TranslateText("Text se nevejde, chybí %1 px")).arg(pixels);
}

void LiveController::SetPickMode(bool on)
{
    pickMode_ = on;
    if (!server_->IsLinked())
        return;
    live::LiveMessage mode;
    mode.Type = live::LiveType::PickMode;
    mode.Value = on ? 1 : 0;
    server_->Send(mode);
}

void LiveController::ShowState()
{
    if (server_->IsLinked())
        waiting_ = false;
    if (!waiting_ && !server_->IsLinked()) {
        if (indicator_)
            indicator_->hide();
        return;
    }
    if (!indicator_) {
        indicator_ = new QLabel(&context_.StatusLine());
        indicator_->setObjectName(QStringLiteral("labelZivyProgram"));
        context_.StatusLine().addPermanentWidget(indicator_);
    }
    const TextService &texts = context_.Texts();
    const std::string state =
        server_->IsLinked() ? texts.TranslateText("Živě") : texts.TranslateText("Spojuje se");
    indicator_->setText(UiText(state) + QStringLiteral(": ") + programName_);
    indicator_->show();
}

void LiveController::Retranslate()
{
    ShowState();
}

} // namespace verbaria
