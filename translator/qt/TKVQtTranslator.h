#pragma once

#include <QMutex>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "translator/PluralRule.h"

namespace verbaria::qt {

class TKVTranslator;

// Qt's own route to a language file: a QTranslator that answers tr(), QCoreApplication::translate
// and qsTr from the template and language file a TKVTranslator reads, so that a program written the
// ordinary Qt way speaks a language file without changing a call:
//
//     auto *translator = new verbaria::qt::TKVTranslator(&app);
//     translator->LoadTemplate(QStringLiteral("jazyky/program.lnd"));
//     translator->SetLanguageFile(QStringLiteral("jazyky/czech.lng"));
//     QCoreApplication::installTranslator(new verbaria::qt::TKVQtTranslator(translator, &app));
//
// A message is found by its context, source text and disambiguation (the template's /Context,
// /Source and /Disambiguation comments; as a .qm file does, a message asked for with a
// disambiguation the template lacks answers as the first message of that context and text). A plural message
// (/Plural) answers the form the language's plural rule gives for n: the language file's "Plural-Forms"
// header, else the rule of its language. A message without a translation answers an empty string, so Qt shows
// the source text. The answers follow the TKVTranslator: after SetLanguageFile the next look-up reads the new
// language. Look-ups from several threads take turns.
class TKVQtTranslator final : public QTranslator
{
    Q_OBJECT
public:
    explicit TKVQtTranslator(TKVTranslator *translator, QObject *parent = nullptr);
    ~TKVQtTranslator() override;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override;
    // The language's tag ("cs", "ar"), as its name or file name tells it; empty when they do not.
    QString LanguageTag() const;

    // The language reads from right to left: its "Direction=RTL" header, else its language.
    bool IsRightToLeft() const;

private:
    struct Message
    {
        std::int32_t Item = -1;
        bool Decoded = false;
        QStringList Forms; // once decoded: the first form, then the further ones
    };
    struct KeyHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
    };
    using Index = std::unordered_map<std::string, std::int32_t, KeyHash, std::equal_to<>>;

    // Rebuilds the index when the translator has read anything since; under mutex_.
    void Refresh() const;
    const QStringList &FormsOf(Message &message) const;

    QPointer<TKVTranslator> translator_;
    mutable QMutex mutex_;
    mutable std::uint64_t indexedReads_ = ~std::uint64_t{0};
    // Keys are UTF-8, as tr() passes its texts: context \0 source \0 disambiguation, so that a
    // look-up converts nothing. loose_ keys end after the source: the first message of that
    // context and text.
    mutable std::vector<Message> messages_;
    mutable Index exact_;
    mutable Index loose_;
    mutable std::string key_; // the key being looked up, reused
    mutable PluralRule rule_;
    mutable bool rightToLeft_ = false;
    mutable QString language_;
};

} // namespace verbaria::qt
