#pragma once

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <string>
#include <string_view>

namespace verbaria::qt {

// The one 8-bit code page of the translation files ("windows-1250" unless configured): bytes
// from the files become QString here, and QString keys become bytes here.
class CodePage final
{
public:
    CodePage();
    // False, keeping the current code page, when Qt does not know the name.
    bool SetName(const QString &name);
    const QString &Name() const { return name_; }

    QString Decode(std::string_view bytes) const;
    // Sets *lossless to false when a character has no place in the code page (it then becomes
    // a replacement character instead of vanishing).
    std::string Encode(const QString &text, bool *lossless = nullptr) const;

private:
    QString name_;
    mutable QStringDecoder decoder_;
    mutable QStringEncoder encoder_;
};

} // namespace verbaria::qt
