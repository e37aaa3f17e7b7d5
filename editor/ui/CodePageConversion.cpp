#include "editor/ui/CodePageConversion.h"

#include "editor/core/LanguageDocument.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentCodePages.h"

#include <string>
#include <utility>
#include <vector>

namespace verbaria {

CodePageRefusal ConvertLanguageCodePage(LanguageDocument &document, const QString &name,
                                        const CodePage &target)
{
    const CodePage source = LanguageCodePageOf(document);
    GridCells &cells = document.Grid();
    DocumentHeader &header = document.Header();
    // Everything is converted first and changed only when all of it fits.
    CodePageRefusal refusal;
    std::vector<std::pair<int, std::string>> converted;
    for (int row = 1; row < cells.RowCount(); ++row) {
        const std::string &bytes = cells.Text(LanguageDocument::ColumnTranslation, row);
        if (bytes.empty())
            continue;
        std::optional<std::string> encoded = target.Encode(source.Decode(bytes));
        if (!encoded)
            refusal.Rows << QString::number(row);
        else if (*encoded != bytes)
            converted.emplace_back(row, *std::move(encoded));
    }
    std::string *values[] = {&header.editJazyk, &header.editVerzeJazyka, &header.editSablona,
                             &header.memoAutorJazyka};
    std::vector<std::string> convertedValues;
    for (std::string *value : values) {
        std::optional<std::string> encoded = target.Encode(source.Decode(*value));
        refusal.ValuesFit = refusal.ValuesFit && encoded.has_value();
        convertedValues.push_back(encoded.value_or(std::string()));
    }
    if (!refusal.Empty())
        return refusal;
    {
        GridBatch batch(cells);
        for (auto &[row, bytes] : converted)
            cells.SetText(LanguageDocument::ColumnTranslation, row, std::move(bytes));
    }
    for (std::size_t i = 0; i < std::size(values); ++i)
        *values[i] = std::move(convertedValues[i]);
    header.KodovaStranka = name.toStdString();
    document.SetZmeneno(true);
    return refusal;
}

QString RefusalMessage(const CodePageRefusal &refusal, const QString &name, const TextService &texts)
{
    constexpr qsizetype Shown = 20;
    QString rows = refusal.Rows.mid(0, Shown).join(QStringLiteral(", "));
    if (refusal.Rows.size() > Shown)
        rows += QStringLiteral(", … (%1)").arg(refusal.Rows.size());
    if (!refusal.ValuesFit)
        rows += (rows.isEmpty() ? QString() : QStringLiteral("; ")) +
                QString::fromStdString(texts.TranslateText("vlastnosti jazyka"));
    QString message = QString::fromStdString(
        texts.TranslateText("Kódová stránka %s nepojme texty těchto řádků: %s. Nic nebylo změněno."));
    message.replace(message.indexOf(QStringLiteral("%s")), 2, name);
    message.replace(message.indexOf(QStringLiteral("%s")), 2, rows);
    return message;
}

} // namespace verbaria
