#include "exchange/DocumentCodePages.h"

#include "editor/core/LanguageDocument.h"

namespace verbaria::exchange {

DocumentCodePages CodePagesOf(const LanguageDocument &)
{
    // Every file is in the run's code page until the files declare their own.
    return {CodePage::Default(), CodePage::Default(), CodePage::Default()};
}

} // namespace verbaria::exchange
