#pragma once

#include "formats/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <utility>

namespace verbaria {

// A disk that fills up: the file written after `filesToLetThrough` whole files stops after
// `bytes` bytes with ENOSPC, as a full disk would; the files before it and after it are written.
class FailingDevice final : public FileWriteDevice
{
public:
    void FailAfter(long long bytes, int filesToLetThrough)
    {
        failAfter_ = bytes;
        letThrough_ = bytes < 0 ? 0 : filesToLetThrough;
        budget_ = -1;
    }

    void BeginFile() override
    {
        if (letThrough_ > 0) {
            --letThrough_;
            budget_ = -1;
            return;
        }
        budget_ = std::exchange(failAfter_, -1);
    }

    long Write(int fd, const char *data, std::size_t size) override
    {
        if (budget_ >= 0) {
            if (budget_ == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = static_cast<std::size_t>(std::min<long long>(static_cast<long long>(size), budget_));
        }
        const long written = ::write(fd, data, size);
        if (written > 0 && budget_ >= 0)
            budget_ -= written;
        return written;
    }

private:
    long long failAfter_ = -1;
    int letThrough_ = 0;
    long long budget_ = -1;
};

// The next file written fails after this many bytes (negative: no failure any more); with
// filesToLetThrough, that many files are written whole first.
inline void SetWriteFailureAfterBytesForTesting(long long bytes, int filesToLetThrough = 0)
{
    static FailingDevice device;
    device.FailAfter(bytes, filesToLetThrough);
    SetFileWriteDevice(bytes < 0 ? nullptr : &device);
}

} // namespace verbaria
