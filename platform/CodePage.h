#pragma once

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <string>
#include <string_view>

namespace verbaria {

// The code page of one file's bytes: "windows-1250" unless the file declares another
// ("Codepage=windows-1251", "Codepage=UTF-8") or the user chose another default. Every crossing
// between a file's bytes and QString goes through here. A character the code page cannot hold is
// never replaced behind the caller's back: Encode refuses the whole text, Unrepresentable names
// the characters beforehand, and only EncodeLossy, for texts whose loss has been accepted, writes
// "?" in their place.
class CodePage final
{
public:
    // The code page of files that declare none, when nobody chose another.
    static constexpr const char *FallbackName = "windows-1250";

    CodePage();
    CodePage(const CodePage &other);
    CodePage &operator=(const CodePage &other);
    // Nullopt when no converter of that name is at hand.
    static std::optional<CodePage> Named(const QString &name);
    // The code page a file's declaration names (as read, in bytes), or the default when it
    // declares none or names one that is not at hand.
    static CodePage ForDeclared(std::string_view declared);
    static bool IsKnown(const QString &name);
    // The names offered to the user, in the order a chooser lists them.
    static QStringList OfferedNames();

    // False, keeping the current code page, when no converter of that name is at hand.
    bool SetName(const QString &name);
    const QString &Name() const { return name_; }
    // Names compare without regard to case ("UTF-8" and "utf-8" are one code page).
    bool Is(const QString &name) const { return name_.compare(name, Qt::CaseInsensitive) == 0; }
    bool IsFallback() const { return Is(QLatin1String(FallbackName)); }

    QString Decode(std::string_view bytes) const;
    // Nullopt when any character of text has no place in the code page.
    std::optional<std::string> Encode(const QString &text) const;
    std::string EncodeLossy(const QString &text) const;
    bool CanEncode(const QString &text) const { return Encode(text).has_value(); }
    // The characters of text that the code page cannot hold, each once, in order; empty when
    // every one fits.
    QString Unrepresentable(const QString &text) const;

    // The code page of files that declare none, for this run.
    static const CodePage &Default();
    // False, keeping the earlier one, when name is not a code page at hand.
    static bool SetDefault(const QString &name);

private:
    QString name_;
    // Opening a converter is costly; one pair serves every call (the program's one thread).
    mutable QStringDecoder decoder_;
    mutable QStringEncoder encoder_;
};

// "Znak „è (U+00E8)“": each character with its code point, for messages that name refused
// characters.
QString NameCharacters(const QString &characters);

} // namespace verbaria
