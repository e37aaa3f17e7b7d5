#include "translator/qt/TKVQtTranslator.h"

#include "formats/Errors.h"
#include "translator/qt/LiveLink.h"
#include "translator/qt/QtOwnTexts.h"
#include "translator/qt/TKVTranslator.h"

#include <QMutexLocker>

#include <algorithm>
#include <array>

namespace verbaria::qt {

namespace {

void AppendKey(std::string &key, std::string_view context, std::string_view source)
{
    key.append(context);
    key += '\0';
    key.append(source);
    key += '\0';
}

// Text of a template's code page as UTF-8. A single-byte code page converts byte by byte from a
// table made once; a text with a byte the table does not know (a multi-byte code page's lead byte,
// an undefined byte) goes through the decoder whole.
class Utf8Converter final
{
public:
    explicit Utf8Converter(const CodePage &codePage)
        : codePage_(codePage)
        , identity_(codePage.Is(QStringLiteral("UTF-8")))
    {
        if (identity_)
            return;
        for (int byte = 0x80; byte <= 0xff; ++byte) {
            const char c = static_cast<char>(byte);
            const QString one = codePage.Decode(std::string_view(&c, 1));
            if (one.size() == 1 && one.front() != QChar::ReplacementCharacter)
                high_[static_cast<std::size_t>(byte - 0x80)] = one.toStdString();
        }
    }

    // Appends the UTF-8 of bytes to out.
    void Append(std::string &out, std::string_view bytes) const
    {
        if (identity_) {
            out.append(bytes);
            return;
        }
        const std::size_t start = out.size();
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                out.push_back(c);
                continue;
            }
            const std::string &utf8 = high_[byte - 0x80];
            if (utf8.empty()) {
                out.resize(start);
                out.append(codePage_.Decode(bytes).toStdString());
                return;
            }
            out.append(utf8);
        }
    }

private:
    const CodePage &codePage_;
    bool identity_;
    std::array<std::string, 128> high_;
};

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
    exact_.clear();
    loose_.clear();
    const Utf8Converter utf8(translator_->TemplateCodePage());
    const std::vector<MessageInfo> &infos = core.Messages();
    const TLanguageTemplate &items = core.Items();
    messages_.reserve(items.size());
    exact_.reserve(items.size());
    loose_.reserve(items.size());
    std::string key;
    auto startKey = [&](std::string_view context, std::string_view source) {
        key.clear();
        utf8.Append(key, context);
        key += '\0';
        utf8.Append(key, source);
        key += '\0';
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TTemplateItem &item = items[i];
        if (item.Kind != ikMessage && item.Message < 0)
            continue;
        const MessageInfo *info =
            item.Message >= 0 ? &infos[static_cast<std::size_t>(item.Message)] : nullptr;
        if (item.Translation.empty() && (!info || info->Forms.empty()))
            continue;
        if (info) {
            startKey(info->Context, info->HasSource ? info->Source : item.Text);
            const std::size_t looseLength = key.size();
            utf8.Append(key, info->Disambiguation);
            const auto position = static_cast<std::int32_t>(messages_.size());
            if (!exact_.try_emplace(key, position).second) // the first entry wins, as everywhere
                continue;
            key.resize(looseLength);
            loose_.try_emplace(key, position);
        } else {
            startKey({}, item.Text);
            const auto position = static_cast<std::int32_t>(messages_.size());
            if (!exact_.try_emplace(key, position).second)
                continue;
            loose_.try_emplace(key, position);
        }
        messages_.push_back(Message{static_cast<std::int32_t>(i), false, {}});
    }
    const TLanguageInfo &language = core.LanguageInfo();
    const CodePage &translations = translator_->LanguageCodePage();
    language_ = QtOwnTexts::LocaleFor(translations.Decode(language.Language),
                                      QString::fromStdString(core.LanguageFile()));
    std::optional<PluralRule> rule = PluralRule::Parse(language.PluralForms);
    rule_ = rule ? *std::move(rule) : PluralRule::ForLanguage(language_.toStdString());
    if (language.Direction == "RTL" || language.Direction == "LTR")
        rightToLeft_ = language.Direction == "RTL";
    else
        rightToLeft_ = IsRightToLeftLanguage(language_.toStdString());
}

const QStringList &TKVQtTranslator::FormsOf(Message &message) const
{
    if (message.Decoded)
        return message.Forms;
    message.Decoded = true;
    const verbaria::TKVTranslator &core = translator_->Core();
    const TTemplateItem &item = core.Items()[static_cast<std::size_t>(message.Item)];
    const MessageInfo *info =
        item.Message >= 0 ? &core.Messages()[static_cast<std::size_t>(item.Message)] : nullptr;
    const CodePage &translations = translator_->LanguageCodePage();
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
    return message.Forms;
}

QString TKVQtTranslator::translate(const char *context, const char *sourceText, const char *disambiguation,
                                   int n) const
{
    if (!sourceText)
        return {};
    QMutexLocker lock(&mutex_);
    Refresh();
    const std::string_view contextText = context ? std::string_view(context) : std::string_view();
    const std::string_view source(sourceText);
    // Qt asks every translator which way its language reads, as a .qm file answers it.
    if (contextText == "QGuiApplication" && source == "QT_LAYOUT_DIRECTION" && !language_.isEmpty())
        return rightToLeft_ ? QStringLiteral("RTL") : QStringLiteral("LTR");
    key_.clear();
    AppendKey(key_, contextText, source);
    const std::size_t looseLength = key_.size();
    if (disambiguation)
        key_.append(disambiguation);
    auto found = exact_.find(std::string_view(key_));
    if (found == exact_.end()) {
        // As a .qm file answers: without the disambiguation asked for, the first message of that
        // context and text, whatever its disambiguation.
        found = loose_.find(std::string_view(key_).substr(0, looseLength));
        if (found == loose_.end())
            return {};
    }
    if (!translator_)
        return {};
    Message &message = messages_[static_cast<std::size_t>(found->second)];
    if (LiveLink *live = translator_->Live())
        live->NoteSeen(translator_->Core().Items()[static_cast<std::size_t>(message.Item)].Number);
    const QStringList &forms = FormsOf(message);
    // As QTranslator does: any look-up with a count takes the form the count calls for, so a
    // message without plural forms answers only for the counts of the first form.
    const qsizetype form = n >= 0 ? rule_.FormFor(n) : 0;
    if (form >= forms.size())
        return {};
    const QString &text = forms.at(form);
    return text.isEmpty() ? QString() : text;
}

bool TKVQtTranslator::isEmpty() const
{
    QMutexLocker lock(&mutex_);
    Refresh();
    return messages_.empty();
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
