#pragma once

#include <QString>

namespace verbaria {

// Starts a script that outlives the program: at the lowest priority, without a window, and
// without anyone waiting for it.
class DetachedProcess
{
public:
    virtual ~DetachedProcess() = default;

    // Windows runs a batch file, other systems a POSIX shell script; false when it didn't start.
    virtual bool StartScript(const QString &scriptPath) = 0;
};

} // namespace verbaria
