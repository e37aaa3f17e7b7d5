#pragma once

#include "platform/CodePage.h"

#include <QStringList>

namespace verbaria {

class LanguageDocument;
class TextService;

// What a change of the language file's code page could not take along.
struct CodePageRefusal
{
    // The grid rows whose translation the new code page cannot hold.
    QStringList Rows;
    // Whether the language's own values (name, version, template, author) fit.
    bool ValuesFit = true;

    bool Empty() const { return Rows.isEmpty() && ValuesFit; }
};

// Converts the translations and the language's values from the document's code page to target,
// and declares it in the header by the name the user chose; when target cannot hold some of them,
// nothing changes and the refusal lists them. The grid's cells change in one batch.
CodePageRefusal ConvertLanguageCodePage(LanguageDocument &document, const QString &name,
                                        const CodePage &target);

// Tells which rows (the first twenty) and values kept the document from taking the code page name.
QString RefusalMessage(const CodePageRefusal &refusal, const QString &name, const TextService &texts);

} // namespace verbaria
