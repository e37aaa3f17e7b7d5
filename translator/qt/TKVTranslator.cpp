#include "translator/qt/TKVTranslator.h"

#include "formats/Errors.h"
#include "translator/PluralRule.h"
#include "translator/qt/FormOrder.h"
#include "translator/qt/LiveLink.h"
#include "translator/qt/QtOwnTexts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <exception>

namespace verbaria::qt {

namespace {
std::string LocalPath(const QString &fileName)
{
    const QByteArray encoded = QFile::encodeName(fileName);
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}
} // namespace

TKVTranslator::TKVTranslator(QObject *owner)
    : QObject(owner)
    , tree_(templateCodePage_, languageCodePage_)
    , core_(&tree_)
{
    // Normally running since the application started; from here on at the latest.
    FormOrder::Track();
    core_.SetOnBeforeTranslation([this](verbaria::TKVTranslator &) { emit OnBeforeTranslation(this); });
    core_.SetOnAfterTranslation([this](verbaria::TKVTranslator &) { emit OnAfterTranslation(this); });
    // Only a program the editor started carries the variable; any other reads it and goes on.
    live_ = LiveLink::FromEnvironment(this);
}

TKVTranslator::~TKVTranslator() = default;

void TKVTranslator::FollowDeclarations()
{
    // Called on every look-up: only a read or a new default opens converters.
    if (followedReads_ == core_.ReadCount() && followedDefault_ == codePage_.Name())
        return;
    followedReads_ = core_.ReadCount();
    followedDefault_ = codePage_.Name();
    auto follow = [this](CodePage &target, const std::string &declared) {
        std::optional<CodePage> named;
        if (!declared.empty())
            named = CodePage::Named(
                QString::fromLatin1(declared.data(), static_cast<qsizetype>(declared.size())));
        const CodePage &wanted = named ? *named : codePage_;
        if (!target.Is(wanted.Name()))
            target = wanted;
    };
    follow(templateCodePage_, core_.TemplateInfo().CodePage);
    follow(languageCodePage_, core_.LanguageInfo().CodePage);
}

template <class Action> bool TKVTranslator::Guarded(Action action)
{
    struct Follow
    {
        TKVTranslator &translator;
        ~Follow() { translator.FollowDeclarations(); }
    } follow{*this};
    try {
        action();
        return true;
    } catch (const FormatError &error) {
        errorString_ = codePage_.Decode(error.what());
    } catch (const std::exception &error) {
        errorString_ = QString::fromLocal8Bit(error.what());
    }
    emit ErrorOccurred(errorString_);
    return false;
}

QString TKVTranslator::LanguageFile() const
{
    return QFile::decodeName(QByteArray::fromStdString(core_.LanguageFile()));
}

bool TKVTranslator::SetLanguageFile(const QString &fileName)
{
    return Guarded([&] { core_.SetLanguageFile(LocalPath(fileName)); });
}

QStringList TKVTranslator::Template() const
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(core_.Template().size()));
    for (const std::string &line : core_.Template())
        lines.append(codePage_.Decode(line));
    return lines;
}

void TKVTranslator::SetTemplate(const QStringList &lines)
{
    std::vector<std::string> bytes;
    bytes.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString &line : lines)
        bytes.push_back(codePage_.EncodeLossy(line));
    core_.SetTemplate(std::move(bytes));
}

QString TKVTranslator::Separator() const
{
    return codePage_.Decode(core_.Separator());
}

void TKVTranslator::SetSeparator(const QString &separator)
{
    core_.SetSeparator(codePage_.EncodeLossy(separator));
}

bool TKVTranslator::SetCodePage(const QString &name)
{
    if (!codePage_.SetName(name))
        return false;
    core_.SetDefaultCodePage(name.toStdString());
    FollowDeclarations();
    return true;
}

bool TKVTranslator::LoadTemplate(const QString &fileName)
{
    return Guarded([&] { core_.LoadTemplate(LocalPath(fileName)); });
}

bool TKVTranslator::Translate()
{
    // The files are read first, so that their texts are written in their own code pages.
    const bool translated = Guarded([&] {
        core_.ReadFiles();
        FollowDeclarations();
        if (core_.ReadCount() != announcedReads_) {
            announcedReads_ = core_.ReadCount();
            AnnounceLanguage();
        }
        core_.Translate();
    });
    ReportRefusedLists();
    if (!translated)
        return false;
    bool ok = true;
    // The pass above reached only the first form of each name; give the others the language too.
    for (QObject *form : std::as_const(shownForms_))
        ok = TranslateForm(static_cast<QWidget *>(form)) && ok;
    return ok;
}

bool TKVTranslator::IsRightToLeft() const
{
    const TLanguageInfo &info = core_.LanguageInfo();
    if (info.Direction == "RTL" || info.Direction == "LTR")
        return info.Direction == "RTL";
    const QString tag = QtOwnTexts::LocaleFor(languageCodePage_.Decode(info.Language), LanguageFile());
    return IsRightToLeftLanguage(tag.toStdString());
}

void TKVTranslator::AnnounceLanguage()
{
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!application)
        return;
    // As a .qm file's QT_LAYOUT_DIRECTION does: the whole program mirrors for Arabic or Hebrew.
    const Qt::LayoutDirection direction = IsRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    if (QGuiApplication::layoutDirection() != direction)
        QGuiApplication::setLayoutDirection(direction);
    // As installTranslator does, so that retranslateUi() and changeEvent code run; delivered now,
    // not posted, so that the component texts written after it are the ones that stay.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

bool TKVTranslator::TranslateForm(QWidget *form)
{
    if (!form)
        return true;
    const bool translated = Guarded([&] {
        core_.ReadFiles();
        FollowDeclarations();
        core_.TranslateForm(QtComponentTree::ToComponent(form),
                            templateCodePage_.EncodeLossy(form->objectName()));
    });
    ReportRefusedLists();
    return translated;
}

void TKVTranslator::ReportRefusedLists()
{
    // Told after the pass, so that no slot runs while the translator is half-way through a form.
    for (const QString &message : tree_.TakeRefusals()) {
        errorString_ = message;
        emit ErrorOccurred(message);
    }
}

void TKVTranslator::SetTranslateNewForms(bool on)
{
    if (on == translateNewForms_ || !QCoreApplication::instance())
        return;
    translateNewForms_ = on;
    if (on)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

void TKVTranslator::TrackForm(QWidget *form)
{
    shownForms_.insert(form);
    connect(form, &QObject::destroyed, this, [this](QObject *gone) { shownForms_.remove(gone); });
}

bool TKVTranslator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() && !shownForms_.contains(watched)) {
        auto *form = static_cast<QWidget *>(watched);
        if (form->isWindow() && !form->objectName().isEmpty()) {
            TrackForm(form);
            TranslateForm(form);
        }
    }
    return QObject::eventFilter(watched, event);
}

QString TKVTranslator::TranslateText(const QString &text)
{
    // The kept answers hold while no file has been read and the default code page stays. A table
    // whose language has not been read is looked at again each time (the file may appear).
    auto keptValid = [this] {
        return core_.TemplateRead() && core_.LanguageRead() && foundReads_ == core_.ReadCount() &&
               foundDefault_ == codePage_.Name();
    };
    if (keptValid()) {
        const auto kept = found_.constFind(text);
        if (kept != found_.constEnd())
            return kept.value();
    }
    QString result = text;
    bool translated = false;
    Guarded([&] {
        core_.ReadFiles();
        FollowDeclarations();
        // A text the template's code page cannot hold has no entry; the caller keeps it whole.
        const std::optional<std::string> key = templateCodePage_.Encode(text);
        if (!key)
            return;
        const std::int32_t index = core_.IndexOfText(*key);
        if (index < 0)
            return;
        const TTemplateItem &item = core_.Items()[static_cast<std::size_t>(index)];
        if (live_)
            live_->NoteSeen(item.Number);
        if (!item.Translation.empty()) {
            result = languageCodePage_.Decode(item.Translation);
            translated = true;
        }
    });
    if (!keptValid()) {
        found_.clear();
        foundReads_ = core_.ReadCount();
        foundDefault_ = codePage_.Name();
    }
    if (translated && keptValid())
        found_.insert(text, result);
    return result;
}

std::string TKVTranslator::TranslateText(std::string_view text)
{
    std::string result(text);
    Guarded([&] { result = core_.TranslateText(text); });
    return result;
}

} // namespace verbaria::qt
