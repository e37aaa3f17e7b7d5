#pragma once

#include <QHash>
#include <QMutex>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

#include <cstdint>
#include <optional>

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
        QStringList Forms; // the first form, then the further ones of a plural message
        bool Plural = false;
    };
    // Rebuilds the index when the translator has read anything since; under mutex_.
    void Refresh() const;

    QPointer<TKVTranslator> translator_;
    mutable QMutex mutex_;
    mutable std::uint64_t indexedReads_ = ~std::uint64_t{0};
    mutable QHash<QString, Message> messages_; // key: context \0 source \0 disambiguation
    mutable QHash<QString, QString> loose_;    // context \0 source: the first such message's key
    mutable PluralRule rule_;
    mutable bool rightToLeft_ = false;
    mutable QString language_;
};

} // namespace verbaria::qt
