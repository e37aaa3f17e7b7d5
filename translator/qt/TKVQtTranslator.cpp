#include "translator/qt/TKVQtTranslator.h"

#include "formats/Errors.h"
#include "translator/qt/QtOwnTexts.h"
#include "translator/qt/TKVTranslator.h"

#include <QMutexLocker>

namespace verbaria::qt {

namespace {

QString Key(const QString &context, const QString &source, const QString &disambiguation)
{
    QString key;
    key.reserve(context.size() + source.size() + disambiguation.size() + 2);
    key += context;
    key += QChar(0);
    key += source;
    key += QChar(0);
    key += disambiguation;
    return key;
}

} // namespace

TKVQtTranslator::TKVQtTranslator(TKVTranslator *translator, QObject *parent)
    : QTranslator(parent)
    , translator_(translator)
{
}

TKVQtTranslator::~TKVQtTranslator() = default;

void TKVQtTranslator::Refresh() const
{
    if (!translator_)
        return;
    verbaria::TKVTranslator &core = translator_->Core();
    try {
        core.ReadFiles();
    } catch (const FormatError &) {
        // What was read before the error answers; the translator reports the error itself when
        // the program asks it.
    }
    if (core.ReadCount() == indexedReads_)
        return;
    indexedReads_ = core.ReadCount();
    messages_.clear();
    loose_.clear();
    const CodePage &originals = translator_->TemplateCodePage();
    const CodePage &translations = translator_->LanguageCodePage();
    const std::vector<MessageInfo> &infos = core.Messages();
    for (const TTemplateItem &item : core.Items()) {
        if (item.Kind != ikMessage && item.Message < 0)
            continue;
        const MessageInfo *info =
            item.Message >= 0 ? &infos[static_cast<std::size_t>(item.Message)] : nullptr;
        if (item.Translation.empty() && (!info || info->Forms.empty()))
            continue;
        const QString key = info ? Key(originals.Decode(info->Context),
                                       originals.Decode(info->HasSource ? info->Source : item.Text),
                                       originals.Decode(info->Disambiguation))
                                 : Key(QString(), originals.Decode(item.Text), QString());
        if (messages_.contains(key)) // the first entry wins, as everywhere
            continue;
        const QString loose = key.left(key.lastIndexOf(QChar(0)));
        if (!loose_.contains(loose))
            loose_.insert(loose, key);
        Message message;
        message.Plural = info && info->Plural;
        // The translation of a text with line breaks is escaped as its /Source is.
        const bool escaped = info && info->HasSource;
        auto decode = [&](const std::string &text) {
            return translations.Decode(escaped ? UnescapeMessageValue(text) : text);
        };
        message.Forms.append(decode(item.Translation));
        if (info) {
            for (const std::string &form : info->Forms)
                message.Forms.append(decode(form));
        }
        messages_.insert(key, std::move(message));
    }
    const TLanguageInfo &language = core.LanguageInfo();
    language_ = QtOwnTexts::LocaleFor(translations.Decode(language.Language),
                                      QString::fromStdString(core.LanguageFile()));
    std::optional<PluralRule> rule = PluralRule::Parse(language.PluralForms);
    rule_ = rule ? *std::move(rule) : PluralRule::ForLanguage(language_.toStdString());
    if (language.Direction == "RTL" || language.Direction == "LTR")
        rightToLeft_ = language.Direction == "RTL";
    else
        rightToLeft_ = IsRightToLeftLanguage(language_.toStdString());
}

QString TKVQtTranslator::translate(const char *context, const char *sourceText, const char *disambiguation,
                                   int n) const
{
    if (!sourceText)
        return {};
    QMutexLocker lock(&mutex_);
    Refresh();
    const QString contextText = QString::fromUtf8(context);
    const QString source = QString::fromUtf8(sourceText);
    // Qt asks every translator which way its language reads, as a .qm file answers it.
    if (contextText == QStringLiteral("QGuiApplication") && source == QStringLiteral("QT_LAYOUT_DIRECTION") &&
        !language_.isEmpty())
        return rightToLeft_ ? QStringLiteral("RTL") : QStringLiteral("LTR");
    const QString comment = QString::fromUtf8(disambiguation);
    auto found = messages_.constFind(Key(contextText, source, comment));
    if (found == messages_.constEnd()) {
        // As a .qm file answers: without the disambiguation asked for, the first message of that
        // context and text, whatever its disambiguation.
        const auto loose = loose_.constFind(Key(contextText, source, QString()).chopped(1));
        if (loose == loose_.constEnd())
            return {};
        found = messages_.constFind(*loose);
    }
    const Message &message = *found;
    // As QTranslator does: any look-up with a count takes the form the count calls for, so a
    // message without plural forms answers only for the counts of the first form.
    const qsizetype form = n >= 0 ? rule_.FormFor(n) : 0;
    if (form >= message.Forms.size())
        return {};
    const QString &text = message.Forms.at(form);
    return text.isEmpty() ? QString() : text;
}

bool TKVQtTranslator::isEmpty() const
{
    QMutexLocker lock(&mutex_);
    Refresh();
    return messages_.isEmpty();
}

QString TKVQtTranslator::LanguageTag() const
{
    QMutexLocker lock(&mutex_);
    Refresh();
    return language_;
}

bool TKVQtTranslator::IsRightToLeft() const
{
    QMutexLocker lock(&mutex_);
    Refresh();
    return rightToLeft_;
}

} // namespace verbaria::qt
