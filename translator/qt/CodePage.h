#pragma once

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <string>
#include <string_view>

namespace verbaria::qt {

// The one 8-bit code page of the translation files: "windows-1250" unless configured otherwise
// (a program translated into Russian uses "windows-1251"). Bytes from the files become QString
// here, and what a program or a user gives as QString becomes bytes here. A character the code
// page cannot hold is never replaced behind the caller's back: Encode refuses the whole text,
// CanEncode tells beforehand, and only EncodeLossy, for texts whose loss has been accepted,
// writes "?" in its place.
class CodePage final
{
public:
    CodePage();
    CodePage(const CodePage &other);
    CodePage &operator=(const CodePage &other);
    // Nullopt when no converter of that name is at hand.
    static std::optional<CodePage> Named(const QString &name);

    // False, keeping the current code page, when no converter of that name is at hand.
    bool SetName(const QString &name);
    const QString &Name() const { return name_; }

    QString Decode(std::string_view bytes) const;
    // Nullopt when any character of text has no place in the code page.
    std::optional<std::string> Encode(const QString &text) const;
    std::string EncodeLossy(const QString &text) const;
    bool CanEncode(const QString &text) const { return Encode(text).has_value(); }

    // The code page of the files of this run.
    static const CodePage &Default();
    // False, keeping the earlier one, when name is not a code page at hand.
    static bool SetDefault(const QString &name);

private:
    QString name_;
    // Opening a converter is costly; one pair serves every call (the program's one thread).
    mutable QStringDecoder decoder_;
    mutable QStringEncoder encoder_;
};

} // namespace verbaria::qt
