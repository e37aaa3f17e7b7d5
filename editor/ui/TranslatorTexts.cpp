#include "editor/ui/TranslatorTexts.h"

#include "translator/qt/TKVTranslator.h"

namespace verbaria {

std::string TranslatorTexts::TranslateText(std::string_view czechUtf8) const
{
    const QString key = QString::fromUtf8(czechUtf8.data(), static_cast<qsizetype>(czechUtf8.size()));
    const QString text = translator_ ? translator_->TranslateText(key) : key;
    return text.toStdString();
}

} // namespace verbaria
