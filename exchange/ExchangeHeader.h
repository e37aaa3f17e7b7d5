#pragma once

#include <QString>

namespace verbaria::exchange {

// What an exchange file says about one language file besides its units.
struct ExchangeHeader
{
    QString Original;       // the language file's name, without its folder
    QString SourceLanguage; // language tags as the platforms want them
    QString TargetLanguage;
    QString Program; // the template's header
    QString ProgramVersion;
    QString Language; // the language file's header; Author in its one-line form
    QString Version;
    QString Author;
    QString Definition;
    QString CodePage; // the language file's Codepage declaration; empty when it declares none
};

} // namespace verbaria::exchange
