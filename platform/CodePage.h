#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace verbaria {

// The one 8-bit code page of the program's files: "windows-1250" unless configured otherwise
// (a translator into Russian uses "windows-1251"). Widgets get QString decoded from it; what
// the user types is encoded into it. A character the code page cannot hold is never replaced
// behind the user's back: Encode refuses the whole text and CanEncode tells beforehand.
class CodePage final
{
public:
    // "windows-1250".
    CodePage();
    // Nullopt when no converter of that name is at hand.
    static std::optional<CodePage> Named(const QString &name);

    QString Name() const { return name_; }

    QString Decode(std::string_view bytes) const;
    // Nullopt when any character of text has no place in the code page.
    std::optional<std::string> Encode(const QString &text) const;
    // For texts where a loss is accepted and has been warned about: what can't be held becomes "?".
    std::string EncodeLossy(const QString &text) const;
    bool CanEncode(const QString &text) const;

    // The code page of the files of this run.
    static const CodePage &Default();
    // False, keeping the earlier one, when name is not a code page at hand.
    static bool SetDefault(const QString &name);

private:
    explicit CodePage(const QString &name);

    QString name_;
    QByteArray converterName_;
};

} // namespace verbaria
