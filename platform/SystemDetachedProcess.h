#pragma once

#include "platform/DetachedProcess.h"

namespace verbaria {

class SystemDetachedProcess final : public DetachedProcess
{
public:
    bool StartScript(const QString &scriptPath) override;
};

} // namespace verbaria
