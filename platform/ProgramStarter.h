#pragma once

#include <QString>

namespace verbaria {

// Starts a registered program the way the desktop would on a double click. Nobody waits for it.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;

    // False when nothing could be started; callers show no message of their own.
    virtual bool Start(const QString &programPath) = 0;
};

} // namespace verbaria
