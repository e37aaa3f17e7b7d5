#pragma once

#include "platform/ShellOpen.h"

namespace verbaria {

// The desktop's own opening of files and addresses (QDesktopServices).
class SystemShellOpen final : public ShellOpen
{
protected:
    bool OpenUrl(const QUrl &url) override;
};

} // namespace verbaria
