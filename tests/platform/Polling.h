#pragma once

#include <QDeadlineTimer>
#include <QThread>

#include <functional>

// Waits for something a separate process does. The deadline is only there so a broken script
// can't hang the run; nothing is asserted about how long it takes.
inline bool PollUntil(const std::function<bool()> &done, int seconds = 60)
{
    QDeadlineTimer deadline(seconds * 1000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}
