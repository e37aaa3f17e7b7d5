#pragma once

#include "platform/ProgramStarter.h"

namespace verbaria {

class ShellOpen;

// An executable file is started as a process of its own; any other file (a document, a script
// without the executable mark) goes to the desktop, which opens it with its default application.
class SystemProgramStarter final : public ProgramStarter
{
public:
    explicit SystemProgramStarter(ShellOpen &shell);

    bool Start(const QString &programPath) override;

private:
    ShellOpen &shell_;
};

} // namespace verbaria
