#include "translator/qt/LiveLink.h"

#include "formats/MessageInfo.h"
#include "formats/TemplateFile.h"
#include "translator/qt/FitReport.h"
#include "translator/qt/TKVTranslator.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QGroupBox>
#include <QLabel>
#include <QLocalSocket>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPixmap>
#include <QRubberBand>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <exception>
#include <utility>

namespace verbaria::qt {

namespace {

// What the program lets wait for an editor that does not read; beyond it, reports are dropped.
constexpr qint64 kMaxBuffered = 1024 * 1024;
// How long a burst of changes (keystrokes) gathers before the texts are measured again: the
// measuring runs after the changed text is shown, never between a keystroke and its widget.
constexpr int kFitDelayMs = 20;

std::atomic<bool> linkTaken{false};

std::string Utf8(const QString &text)
{
    return text.toStdString();
}

QString FromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The one text a widget shows, as its code set it; empty for other widgets.
QString ShownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    return {};
}

} // namespace

LiveLink *LiveLink::FromEnvironment(TKVTranslator *translator)
{
    if (!qEnvironmentVariableIsSet(live::kLiveEnvironmentVariable))
        return nullptr;
    if (!QCoreApplication::instance() || linkTaken.exchange(true))
        return nullptr;
    const QByteArray value = qgetenv(live::kLiveEnvironmentVariable);
    // The token is for this program alone, not for what it starts.
    qunsetenv(live::kLiveEnvironmentVariable);
    std::optional<live::LiveAddress> address = live::ParseLiveAddress(value.toStdString());
    if (!address)
        return nullptr;
    return new LiveLink(translator, *std::move(address));
}

LiveLink::LiveLink(TKVTranslator *translator, live::LiveAddress address)
    : QObject(translator)
    , translator_(translator)
    , address_(std::move(address))
    , socket_(new QLocalSocket(this))
    , reader_(address_.Token)
    , fitTimer_(new QTimer(this))
{
    fitTimer_->setSingleShot(true);
    fitTimer_->setInterval(kFitDelayMs);
    connect(fitTimer_, &QTimer::timeout, this, [this] {
        try {
            ReportFit(std::exchange(wholeFitAsked_, false));
        } catch (const std::exception &) {
            translator_->Core().KeepNameIndexes(false);
        }
    });
    connect(socket_, &QLocalSocket::connected, this, [this] {
        live::LiveMessage hello;
        hello.Type = live::LiveType::Hello;
        hello.Text = address_.Token;
        hello.Value = static_cast<std::int32_t>(live::kLiveProtocolVersion);
        socket_->write(QByteArray::fromStdString(live::EncodeLiveMessage(hello)));
    });
    connect(socket_, &QLocalSocket::readyRead, this, &LiveLink::ReadMessages);
    connect(socket_, &QLocalSocket::disconnected, this, &LiveLink::Close);
    connect(socket_, &QLocalSocket::errorOccurred, this, &LiveLink::Close);
    // Connecting is asynchronous: the program goes on starting meanwhile.
    socket_->connectToServer(FromUtf8(address_.Socket));
}

LiveLink::~LiveLink()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    if (socket_ && socket_->state() == QLocalSocket::ConnectedState) {
        live::LiveMessage bye;
        bye.Type = live::LiveType::Bye;
        socket_->write(QByteArray::fromStdString(live::EncodeLiveMessage(bye)));
        socket_->flush();
    }
}

void LiveLink::Close()
{
    if (!socket_)
        return;
    linked_ = false;
    fitTimer_->stop();
    tooNarrow_.clear();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    if (outline_)
        outline_->hide();
    QLocalSocket *socket = socket_;
    socket_ = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void LiveLink::Send(const live::LiveMessage &message, bool answer)
{
    if (!socket_ || !linked_)
        return;
    // An answer the editor asked for may be large (pictures); reports are small and many.
    const qint64 limit = answer ? 2 * qint64{live::kLiveMaxFrame} : kMaxBuffered;
    for (const std::string &frame : live::EncodeLiveMessages(message)) {
        if (socket_->bytesToWrite() + static_cast<qint64>(frame.size()) > limit)
            return;
        socket_->write(frame.data(), static_cast<qint64>(frame.size()));
    }
}

void LiveLink::ReadMessages()
{
    auto becomeLinked = [this] {
        if (linked_ || !reader_.Greeted())
            return;
        linked_ = true;
        QCoreApplication::instance()->installEventFilter(this);
        ReportComponentsFound();
    };
    while (socket_ && socket_->bytesAvailable() > 0) {
        const QByteArray bytes = socket_->read(64 * 1024);
        reader_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        while (std::optional<live::LiveMessage> message = reader_.Next()) {
            becomeLinked();
            Handle(*message);
            if (!socket_)
                return;
        }
        if (reader_.Broken()) {
            Close();
            return;
        }
        becomeLinked();
    }
}

void LiveLink::Handle(const live::LiveMessage &message)
{
    // Nothing the editor sends may end the program: a fault drops the message.
    try {
        switch (message.Type) {
        case live::LiveType::Set:
            ApplySet(message);
            break;
        case live::LiveType::Select:
            Outline(message);
            break;
        case live::LiveType::PickMode:
            pickMode_ = message.Value != 0;
            break;
        case live::LiveType::Read:
            AnswerRead(message);
            break;
        case live::LiveType::Shoot:
            SendPictures();
            break;
        case live::LiveType::Fit:
            // The editor asks for the whole report, after the changes it sent before.
            wholeFitAsked_ = true;
            fitTimer_->start(0);
            break;
        case live::LiveType::Bye:
            Close();
            break;
        default:
            break; // the program's own messages, or none for it
        }
    } catch (const std::exception &) {
    }
}

void LiveLink::ApplySet(const live::LiveMessage &message)
{
    verbaria::TKVTranslator &core = translator_->Core();
    core.ReadFiles();
    bool retranslate = false;
    for (const live::LiveEntry &entry : message.Entries) {
        const std::int32_t index = core.IndexOfNumber(entry.Number);
        if (index < 0)
            continue;
        const std::string value = translator_->Encode(FromUtf8(entry.Text));
        if (!core.SetTranslation(index, entry.Value, value))
            continue;
        const TTemplateItem &item = core.Items()[static_cast<std::size_t>(index)];
        if (item.Kind == ikComponent && !value.empty() && entry.Value == 0) {
            try {
                core.ApplyItem(item.Text, value);
            } catch (const std::exception &) {
                // A whole-number property given a text: it keeps its value, as Translate would.
            }
        } else {
            // A message's next look-up answers the new text; LanguageChange lets the code that
            // set it ask again. An emptied component text gets its own text back the same way.
            retranslate = true;
        }
    }
    // Translate announces the language (the table counts as read anew) and writes every
    // component text again after the program's retranslateUi has run.
    if (retranslate)
        translator_->Translate();
    MeasureFitSoon();
}

void LiveLink::MeasureFitSoon()
{
    if (!fitTimer_->isActive())
        fitTimer_->start(kFitDelayMs);
}

void LiveLink::ReportFit(bool whole)
{
    if (!linked_)
        return;
    std::vector<FitProblem> problems;
    // A program without widgets has nothing to measure.
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // Texts set by the program's own code on LanguageChange, and the layouts they change,
        // first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        translator_->Core().KeepNameIndexes(true);
        problems = MeasureFit(*translator_);
        translator_->Core().KeepNameIndexes(false);
    }
    std::map<std::string, live::LiveEntry> now;
    for (const FitProblem &problem : problems) {
        live::LiveEntry entry{problem.Number, Utf8(problem.Path), Utf8(problem.Object), problem.Missing};
        auto [at, added] = now.try_emplace(entry.Text, entry);
        if (!added)
            at->second.Value = std::max(at->second.Value, entry.Value);
    }
    live::LiveMessage fit;
    fit.Type = live::LiveType::Fit;
    if (whole) {
        fit.Value = 1;
        for (const auto &[object, entry] : now)
            fit.Entries.push_back(entry);
    } else {
        // The changes: texts that no longer fit or lack another width, and those that fit again.
        for (const auto &[object, entry] : now) {
            const auto before = tooNarrow_.find(object);
            if (before == tooNarrow_.end() || before->second.Value != entry.Value ||
                before->second.Number != entry.Number)
                fit.Entries.push_back(entry);
        }
        for (const auto &[object, entry] : tooNarrow_) {
            if (!now.contains(object))
                fit.Entries.push_back({entry.Number, entry.Path, entry.Text, 0});
        }
    }
    tooNarrow_ = std::move(now);
    if (whole || !fit.Entries.empty())
        Send(fit);
}

QObject *LiveLink::ObjectOfPath(const std::string &path, std::string_view &property)
{
    verbaria::TKVTranslator &core = translator_->Core();
    return QtComponentTree::ToObject(core.ComponentOfPath(path, property));
}

void LiveLink::Outline(const live::LiveMessage &message)
{
    if (outline_)
        outline_->hide();
    verbaria::TKVTranslator &core = translator_->Core();
    for (const live::LiveEntry &entry : message.Entries) {
        const std::int32_t index = core.IndexOfNumber(entry.Number);
        if (index < 0 || core.Items()[static_cast<std::size_t>(index)].Kind != ikComponent)
            continue;
        std::string_view property;
        QObject *object = ObjectOfPath(core.Items()[static_cast<std::size_t>(index)].Text, property);
        QWidget *widget = qobject_cast<QWidget *>(object);
        if (auto *action = qobject_cast<QAction *>(object)) {
            // A menu entry or a tool button's action: the first widget that shows it.
            for (QObject *shown : action->associatedObjects()) {
                if (auto *candidate = qobject_cast<QWidget *>(shown); candidate && candidate->isVisible()) {
                    widget = candidate;
                    break;
                }
            }
        }
        if (!widget || !widget->isVisible())
            continue;
        QWidget *window = widget->window();
        if (!outline_ || outline_->parentWidget() != window) {
            delete outline_;
            outline_ = new QRubberBand(QRubberBand::Rectangle, window);
            outline_->setObjectName(QStringLiteral("verbariaLiveOutline"));
        }
        const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
        outline_->setGeometry(widget == window ? window->rect() : area.adjusted(-2, -2, 2, 2));
        outline_->show();
        outline_->raise();
        return;
    }
}

void LiveLink::AnswerRead(const live::LiveMessage &message)
{
    live::LiveMessage values;
    values.Type = live::LiveType::Values;
    const QString separator = translator_->Separator();
    for (const live::LiveEntry &entry : message.Entries) {
        live::LiveEntry value;
        value.Path = entry.Path;
        std::string_view property;
        // Paths are the template's bytes; the editor sends them as UTF-8.
        const std::string path = translator_->TemplateCodePage().EncodeLossy(FromUtf8(entry.Path));
        QObject *object = ObjectOfPath(path, property);
        const QVariant live =
            object ? translator_->tree_.ReadValue(QtComponentTree::ToComponent(object), property)
                   : QVariant();
        if (!live.isValid()) {
            value.Value = -1; // no such property
        } else if (live.typeId() == QMetaType::QStringList) {
            value.Text = Utf8(live.toStringList().join(separator));
        } else {
            QString text = live.toString();
            text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
            text.replace(u'\n', u'|');
            value.Text = Utf8(text);
        }
        values.Entries.push_back(std::move(value));
    }
    Send(values, true);
}

void LiveLink::SendPictures()
{
    live::LiveMessage pictures;
    pictures.Type = live::LiveType::Pictures;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (!window->isVisible() || window == outline_)
                continue;
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            window->grab().save(&buffer, "PNG");
            pictures.Entries.push_back({-1, Utf8(window->objectName()), png.toStdString(), 0});
        }
    }
    Send(pictures, true);
}

void LiveLink::ReportComponentsFound()
{
    // The component texts the program shows: those whose path reaches a property now.
    verbaria::TKVTranslator &core = translator_->Core();
    try {
        core.ReadFiles();
        core.KeepNameIndexes(true);
        live::LiveMessage seen;
        seen.Type = live::LiveType::Seen;
        for (const TTemplateItem &item : core.Items()) {
            if (item.Kind == ikComponent && reported_.insert(item.Number).second &&
                core.ResolvePath(item.Text) != PropertyKind::None)
                seen.Entries.push_back({item.Number, {}, {}, 0});
        }
        core.KeepNameIndexes(false);
        if (!seen.Entries.empty())
            Send(seen);
    } catch (const std::exception &) {
        core.KeepNameIndexes(false);
    }
}

void LiveLink::NoteSeen(std::int32_t number)
{
    QMutexLocker lock(&seenMutex_);
    pendingSeen_.push_back(number);
    if (flushPosted_)
        return;
    flushPosted_ = true;
    // One report for all the look-ups of one pass of the event loop.
    QMetaObject::invokeMethod(this, &LiveLink::FlushSeen, Qt::QueuedConnection);
}

void LiveLink::FlushSeen()
{
    std::vector<std::int32_t> numbers;
    {
        QMutexLocker lock(&seenMutex_);
        numbers.swap(pendingSeen_);
        flushPosted_ = false;
    }
    live::LiveMessage seen;
    seen.Type = live::LiveType::Seen;
    for (const std::int32_t number : numbers) {
        if (reported_.insert(number).second)
            seen.Entries.push_back({number, {}, {}, 0});
    }
    if (!seen.Entries.empty())
        Send(seen);
}

std::vector<live::LiveEntry> LiveLink::MessagesShownBy(const QWidget *widget)
{
    // A text the program's code set: every message that answers it (one original may be
    // several entries, in several contexts).
    std::vector<live::LiveEntry> entries;
    const QString shown = ShownText(widget);
    if (shown.isEmpty())
        return entries;
    verbaria::TKVTranslator &core = translator_->Core();
    for (const TTemplateItem &item : core.Items()) {
        if (item.Kind != ikMessage)
            continue;
        const MessageInfo *info =
            item.Message >= 0 ? &core.Messages()[static_cast<std::size_t>(item.Message)] : nullptr;
        const bool escaped = info && info->HasSource;
        const std::string &bytes = item.Translation.empty() ? item.Text : item.Translation;
        const std::string text = escaped ? UnescapeMessageValue(bytes) : bytes;
        const QString decoded = item.Translation.empty() ? translator_->TemplateCodePage().Decode(text)
                                                         : translator_->Decode(text);
        if (decoded == shown)
            entries.push_back({item.Number, {}, {}, 0});
    }
    return entries;
}

std::vector<live::LiveEntry> LiveLink::EntriesOf(QWidget *widget)
{
    verbaria::TKVTranslator &core = translator_->Core();
    std::vector<live::LiveEntry> entries;
    core.KeepNameIndexes(true);
    for (QWidget *current = widget; current && entries.empty(); current = current->parentWidget()) {
        for (const TTemplateItem &item : core.Items()) {
            if (item.Kind != ikComponent)
                continue;
            std::string_view property;
            QObject *object = ObjectOfPath(item.Text, property);
            bool shows = object == current;
            // A tool button or menu entry shows its action's texts.
            if (auto *action = qobject_cast<QAction *>(object); !shows && action)
                shows = action->associatedObjects().contains(current);
            if (shows)
                entries.push_back(
                    {item.Number, Utf8(translator_->TemplateCodePage().Decode(item.Text)), {}, 0});
        }
        if (entries.empty() && current == widget)
            entries = MessagesShownBy(widget);
    }
    core.KeepNameIndexes(false);
    return entries;
}

bool LiveLink::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // A window shown or resized lays its texts out anew (a tooltip is no window to measure).
    if ((type == QEvent::Show || type == QEvent::Resize) && watched->isWidgetType() && linked_ &&
        watched != outline_) {
        const auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && widget->windowType() != Qt::ToolTip)
            MeasureFitSoon();
    }
    if (type == QEvent::MouseButtonRelease && eatRelease_ && watched->isWidgetType()) {
        eatRelease_ = false;
        return true;
    }
    if (type != QEvent::MouseButtonPress || !watched->isWidgetType() || !linked_ || watched == outline_)
        return QObject::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    const Qt::KeyboardModifiers pickKeys = Qt::ControlModifier | Qt::AltModifier;
    if (!pickMode_ && (press->modifiers() & pickKeys) != pickKeys)
        return QObject::eventFilter(watched, event);
    live::LiveMessage pick;
    pick.Type = live::LiveType::Pick;
    try {
        pick.Entries = EntriesOf(static_cast<QWidget *>(watched));
    } catch (const std::exception &) {
        translator_->Core().KeepNameIndexes(false);
    }
    Send(pick);
    // The click picks; it does not press the button.
    eatRelease_ = true;
    return true;
}

} // namespace verbaria::qt
