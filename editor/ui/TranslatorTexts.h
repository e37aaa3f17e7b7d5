#pragma once

#include "editor/core/UserDialogs.h"
#include "translator/qt/TKVTranslator.h"

#include <QPointer>

namespace verbaria {

// The texts the editor builds in code, looked up in its own translator at the moment they are
// used; without a translator (before start-up, after the end) they stay Czech.
class TranslatorTexts final : public TextService
{
public:
    void SetTranslator(qt::TKVTranslator *translator) { translator_ = translator; }
    std::string TranslateText(std::string_view czechUtf8) const override;

private:
    QPointer<qt::TKVTranslator> translator_;
};

} // namespace verbaria
