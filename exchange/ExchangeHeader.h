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
    // The language file's own Plural-Forms and Direction values; null when the file does not say.
    QString PluralForms;
    QString Direction;
    // Written only for a Qt program's file (one with plural messages or contexts): the plural rule
    // the forms follow (the file's own, else its language's) as PO's Plural-Forms, the language's
    // tag (for Qt's tools), and whether msgctxt holds Qt's packed contexts.
    QString PluralRule;
    QString LanguageTag;
    bool QtContexts = false;
    // The language file records the original of each translation.
    bool TracksOriginals = false;
};

} // namespace verbaria::exchange
