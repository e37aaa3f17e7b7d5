#include "tool/SharedOptions.h"

#include "platform/CodePage.h"
#include "tool/OptionParser.h"

namespace verbaria::tool {

std::optional<int> UseDefaultCodePage(const OptionParser &parser, const std::string &codePageName)
{
    if (!codePageName.empty() && !CodePage::SetDefault(QString::fromStdString(codePageName)))
        return parser.Error("unknown code page " + codePageName);
    return std::nullopt;
}

} // namespace verbaria::tool
