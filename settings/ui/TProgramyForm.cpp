#include "settings/ui/TProgramyForm.h"

#include "formats/Errors.h"
#include "platform/CodePage.h"
#include "platform/SystemProgramIcon.h"
#include "platform/SystemProgramStarter.h"
#include "platform/SystemShellOpen.h"
#include "settings/core/CatalogueStore.h"
#include "settings/ui/ProgramItem.h"
#include "settings/ui/TPridatProgramForm.h"
#include "ui_TProgramyForm.h"
#include "widgets/OwnChildren.h"

#include <QAction>
#include <QFile>
#include <QHideEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPixmap>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QStyle>

#include <utility>
#include <vector>

namespace verbaria {

namespace {

// The raw bytes of a field, kept beside its text so an entry is written back exactly as read.
constexpr int BytesRole = Qt::UserRole + 1;

enum Column { ColumnNazev, ColumnSablona, ColumnProgram, ColumnCount };

QString PathText(const std::string &bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string BytesOf(const QStandardItem *item)
{
    return item ? item->data(BytesRole).toByteArray().toStdString() : std::string();
}

struct ToolPicture
{
    const char *action;
    const char *themeName;
    QStyle::StandardPixmap fallback;
};

const ToolPicture ToolPictures[] = {
    {"toolOK", "dialog-ok", QStyle::SP_DialogOkButton},
    {"toolZrusit", "dialog-cancel", QStyle::SP_DialogCancelButton},
    {"toolSpustit", "system-run", QStyle::SP_MediaPlay},
    {"toolSpustitZive", "media-playback-start", QStyle::SP_MediaSeekForward},
    {"toolNovy", "list-add", QStyle::SP_FileIcon},
    {"toolUpravit", "document-edit", QStyle::SP_FileDialogDetailedView},
    {"toolSmazat", "list-remove", QStyle::SP_TrashIcon},
};

// Keys of the list that run commands of the dialog.
class ListKeys final : public QObject
{
public:
    ListKeys(QObject *parent, std::vector<std::pair<QKeyCombination, QAction *>> keys)
        : QObject(parent)
        , keys_(std::move(keys))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        // The keypad's Enter is the same key as Return.
        const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier,
                                      static_cast<Qt::Key>(key->key()));
        for (const auto &[combination, action] : keys_) {
            if (pressed == combination && action->isVisible()) {
                action->trigger();
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::pair<QKeyCombination, QAction *>> keys_;
};

} // namespace

TProgramyForm::TProgramyForm(CatalogueStore &store, const TextService &texts, QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TProgramyForm>())
    , store_(store)
    , texts_(texts)
    , realDialogs_(this)
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialogs_ = &realDialogs_;
    SetPlatform(nullptr, nullptr);

    model_ = new QStandardItemModel(0, ColumnCount, this);
    model_->setHorizontalHeaderLabels(
        {QStringLiteral("Jméno"), QStringLiteral("Šablona"), QStringLiteral("Program")});
    ui_->listProgramy->setModel(model_);
    ui_->listProgramy->setModelColumn(ColumnNazev);
    ui_->listProgramy->setIconSize(QSize(ProgramIcon::LargeIconSize, ProgramIcon::LargeIconSize));
    SetUpTools();

    connect(ui_->listProgramy, &QListView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            OK();
    });
    connect(ui_->buttonOK, &QPushButton::clicked, this, &TProgramyForm::OK);
    connect(ui_->buttonZrusit, &QPushButton::clicked, this, &TProgramyForm::Zrusit);
    setFixedSize(size().expandedTo(minimumSizeHint()));
}

TProgramyForm::~TProgramyForm()
{
    DisconnectOwnChildren(*this);
}

void TProgramyForm::SetUpTools()
{
    ui_->ToolBar->setIconSize(QSize(24, 24));
    for (const ToolPicture &picture : ToolPictures) {
        QAction *action = findChild<QAction *>(QString::fromLatin1(picture.action));
        if (!action)
            continue;
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(picture.themeName));
        if (icon.isNull())
            icon = style()->standardIcon(picture.fallback, nullptr, this);
        action->setIcon(icon);
    }
    // The separators carry the names the editor's own template knows them by.
    const char *const separators[] = {"ToolButton2", "ToolButton7"};
    std::size_t next = 0;
    for (QAction *action : ui_->ToolBar->actions()) {
        if (action->isSeparator() && next < std::size(separators))
            action->setObjectName(QString::fromLatin1(separators[next++]));
    }
    // The list's own keys: Insert adds, F2 edits, Delete removes, and the menu key (or the right
    // button) offers the same commands beside the selected entry.
    const std::pair<QAction *, QKeySequence> listKeys[] = {
        {ui_->toolNovy, QKeySequence(Qt::Key_Insert)},
        {ui_->toolUpravit, QKeySequence(Qt::Key_F2)},
        {ui_->toolSmazat, QKeySequence::Delete},
        {ui_->toolSpustit, QKeySequence()},
        {ui_->toolSpustitZive, QKeySequence(Qt::CTRL | Qt::Key_Return)}};
    for (const auto &[action, key] : listKeys) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        ui_->listProgramy->addAction(action);
    }
    ui_->listProgramy->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The same keys whether or not the window system counts the dialog as active.
    ui_->listProgramy->installEventFilter(
        new ListKeys(ui_->listProgramy, {{QKeyCombination(Qt::Key_Insert), ui_->toolNovy},
                                         {QKeyCombination(Qt::Key_F2), ui_->toolUpravit},
                                         {QKeyCombination(Qt::Key_Delete), ui_->toolSmazat},
                                         {Qt::CTRL | Qt::Key_Return, ui_->toolSpustitZive},
                                         {Qt::CTRL | Qt::Key_Enter, ui_->toolSpustitZive}}));
    connect(ui_->toolOK, &QAction::triggered, this, &TProgramyForm::OK);
    connect(ui_->toolZrusit, &QAction::triggered, this, &TProgramyForm::Zrusit);
    connect(ui_->toolSpustit, &QAction::triggered, this, &TProgramyForm::Spustit);
    connect(ui_->toolSpustitZive, &QAction::triggered, this, &TProgramyForm::SpustitZive);
    ui_->toolSpustitZive->setVisible(false);
    connect(ui_->toolNovy, &QAction::triggered, this, &TProgramyForm::Novy);
    connect(ui_->toolUpravit, &QAction::triggered, this, &TProgramyForm::Upravit);
    connect(ui_->toolSmazat, &QAction::triggered, this, &TProgramyForm::Smazat);
}

void TProgramyForm::SetDialogs(UserDialogs *dialogs)
{
    dialogs_ = dialogs ? dialogs : &realDialogs_;
}

void TProgramyForm::SetPlatform(ProgramIcon *icons, ProgramStarter *starter)
{
    if (!icons && !ownIcons_)
        ownIcons_ = std::make_unique<SystemProgramIcon>();
    if (!starter && !ownStarter_) {
        ownShell_ = std::make_unique<SystemShellOpen>();
        ownStarter_ = std::make_unique<SystemProgramStarter>(*ownShell_);
    }
    icons_ = icons ? icons : ownIcons_.get();
    starter_ = starter ? starter : ownStarter_.get();
}

// ---------------------------------------------------------------------------------------------
// The entries

int TProgramyForm::Count() const
{
    return model_->rowCount();
}

CatalogueEntry TProgramyForm::Entry(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return {BytesOf(model_->item(index, ColumnNazev)), BytesOf(model_->item(index, ColumnSablona)),
            BytesOf(model_->item(index, ColumnProgram))};
}

int TProgramyForm::SelectedIndex() const
{
    const QModelIndexList selected = ui_->listProgramy->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

std::vector<std::string> TProgramyForm::Templates() const
{
    std::vector<std::string> templates;
    templates.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        templates.push_back(BytesOf(model_->item(i, ColumnSablona)));
    return templates;
}

void TProgramyForm::SetFields(QStandardItem *nameItem, const CatalogueEntry &entry)
{
    // The icon and the name first, then the sort, then the two paths into the row where this same
    // entry now stands: the name item is the entry's identity while it moves.
    QIcon icon = icons_->IconOf(PathText(entry.Program));
    if (icon.isNull()) {
        // No picture, but its room stays empty so the names of all entries stand on one line.
        QPixmap blank(ProgramIcon::LargeIconSize, ProgramIcon::LargeIconSize);
        blank.fill(Qt::transparent);
        icon = QIcon(blank);
    }
    nameItem->setIcon(icon);
    nameItem->setText(CodePage::Default().Decode(entry.Name));
    nameItem->setData(QByteArray::fromStdString(entry.Name), BytesRole);
    nameItem->setToolTip(PathText(entry.Program));
    model_->sort(ColumnNazev);
    const int row = nameItem->row();
    const std::pair<Column, const std::string *> paths[] = {{ColumnSablona, &entry.Template},
                                                            {ColumnProgram, &entry.Program}};
    for (const auto &[column, bytes] : paths) {
        QStandardItem *item = model_->item(row, column);
        item->setText(PathText(*bytes));
        item->setData(QByteArray::fromStdString(*bytes), BytesRole);
    }
}

QStandardItem *TProgramyForm::AddRow(const CatalogueEntry &entry)
{
    auto *nameItem = new ProgramItem;
    nameItem->setEditable(false);
    QList<QStandardItem *> row{nameItem, new QStandardItem, new QStandardItem};
    for (QStandardItem *item : row)
        item->setEditable(false);
    model_->appendRow(row);
    SetFields(nameItem, entry);
    return nameItem;
}

void TProgramyForm::PridatZaznam(const std::string &nazev, const std::string &sablona,
                                 const std::string &program)
{
    AddRow({nazev, sablona, program});
}

void TProgramyForm::UpravZaznam(int index, const std::string &nazev, const std::string &sablona,
                                const std::string &program)
{
    if (QStandardItem *nameItem = model_->item(index, ColumnNazev))
        SetFields(nameItem, {nazev, sablona, program});
}

void TProgramyForm::Zobrazit()
{
    // Read first: a catalogue that cannot be read leaves the list as it was, and so does one that
    // has gone missing (the close writes the held entries back rather than an empty list).
    const std::optional<std::vector<CatalogueEntry>> entries = store_.Read();
    if (!entries)
        return;
    model_->removeRows(0, model_->rowCount());
    for (const CatalogueEntry &entry : *entries)
        AddRow(entry);
}

void TProgramyForm::Zavrit()
{
    std::vector<CatalogueEntry> entries;
    entries.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        entries.push_back(Entry(i));
    store_.Write(entries);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TProgramyForm::Novy()
{
    // The entry dialog shows what it held after its last use.
    if (pridatProgram_ && pridatProgram_->exec() == QDialog::Accepted)
        PridatZaznam(pridatProgram_->editNazev(), pridatProgram_->editSablona(),
                     pridatProgram_->editProgram());
}

void TProgramyForm::Upravit()
{
    const int index = SelectedIndex();
    if (index < 0 || !pridatProgram_)
        return;
    // Held by identity: the index may no longer be the entry's when the dialog closes.
    const QPersistentModelIndex edited(model_->index(index, ColumnNazev));
    const CatalogueEntry entry = Entry(index);
    pridatProgram_->Fill(entry.Name, entry.Template, entry.Program);
    if (pridatProgram_->exec() == QDialog::Accepted && edited.isValid())
        UpravZaznam(edited.row(), pridatProgram_->editNazev(), pridatProgram_->editSablona(),
                    pridatProgram_->editProgram());
}

void TProgramyForm::Smazat()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    if (dialogs_->AskYesNo(texts_.TranslateText("Opravdu chcete tento program odstranit ze seznamu ?")))
        model_->removeRow(index);
}

void TProgramyForm::Spustit()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    // A program that cannot be started shows the desktop's message, if any, never one of ours.
    starter_->Start(PathText(Entry(index).Program));
}

void TProgramyForm::SetLiveStart(std::function<void(const QString &program)> start)
{
    liveStart_ = std::move(start);
    ui_->toolSpustitZive->setVisible(static_cast<bool>(liveStart_));
}

void TProgramyForm::SpustitZive()
{
    const int index = SelectedIndex();
    if (index < 0 || !liveStart_)
        return;
    const QString program = PathText(Entry(index).Program);
    // The editor follows the program from now on; the catalogue has done its part.
    done(QDialog::Rejected);
    liveStart_(program);
}

void TProgramyForm::OK()
{
    done(QDialog::Accepted);
}

void TProgramyForm::Zrusit()
{
    done(QDialog::Rejected);
}

// ---------------------------------------------------------------------------------------------
// Showing and hiding

void TProgramyForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        try {
            Zobrazit();
        } catch (const FormatError &error) {
            // The dialog opens all the same, with the entries it already held.
            dialogs_->ReportError(error.what());
        }
    }
    QDialog::showEvent(event);
}

void TProgramyForm::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    try {
        Zavrit();
    } catch (const FormatError &error) {
        // The dialog closes all the same; the entries stay in memory until the next loading.
        dialogs_->ReportError(error.what());
    }
}

} // namespace verbaria
