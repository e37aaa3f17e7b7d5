#include "editor/ui/LiveController.h"

#include "dialogs/UiText.h"
#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentHistory.h"
#include "editor/ui/EditorContext.h"
#include "platform/CodePage.h"
#include "translator/qt/LiveServer.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>

#include <climits>

namespace verbaria {

LiveController::LiveController(EditorContext &context)
    : context_(context)
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
        // The program shows the document as it is now, then follows every change.
        SendRows(1, INT_MAX);
        SendCurrentRow(context_.Grid().CurrentRow());
        ShowState();
    });
    connect(server_, &qt::LiveServer::Unlinked, this, &LiveController::ShowState);
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
}

LiveController::~LiveController()
{
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
    dialog_->Filter = texts.TranslateText("Programy") + " (*)";
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

void LiveController::Received(const live::LiveMessage &message)
{
    const LanguageDocument &document = context_.Document();
    switch (message.Type) {
    case live::LiveType::Pick:
        // The first row of the picked widget becomes current; its other texts follow it.
        for (const live::LiveEntry &entry : message.Entries) {
            const std::int32_t index = document.IndexOfNumber(entry.Number);
            if (index >= 0 && index + 1 <= document.EntryRowCount()) {
                context_.GoTo(LanguageDocument::ColumnTranslation, index + 1);
                break;
            }
        }
        break;
    case live::LiveType::Seen: {
        const std::size_t before = seen_.size();
        for (const live::LiveEntry &entry : message.Entries)
            seen_.insert(entry.Number);
        if (seen_.size() != before)
            emit SeenChanged();
        break;
    }
    case live::LiveType::Fit:
        for (const live::LiveEntry &entry : message.Entries)
            emit DoesNotFit(entry.Number, QString::fromStdString(entry.Path), entry.Value);
        break;
    default:
        break;
    }
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
