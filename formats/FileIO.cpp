#include "formats/FileIO.h"

#include "formats/Errors.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verbaria {

namespace {

long long g_failAfterBytes = -1;
int g_writesBeforeFailure = 0;

class FileDescriptor final
{
public:
    explicit FileDescriptor(int fd)
        : fd_(fd)
    {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return fd_; }
    int release()
    {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

[[noreturn]] void ThrowIo(int err, bool writing)
{
    throw InOutError(InOutMessage(err, writing));
}

// Writes that follow a link go to the file it names, so a linked language file stays linked.
std::string RealTarget(const std::string &path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char *resolved = ::realpath(path.c_str(), nullptr)) {
            std::string result(resolved);
            std::free(resolved);
            return result;
        }
    }
    return path;
}

} // namespace

bool FileExists(const std::string &path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string &path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadFileBytes(const std::string &path, std::string &bytes)
{
    if (path.empty())
        return false;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        ThrowIo(errno, false);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        ThrowIo(errno, false);
    if (S_ISDIR(st.st_mode))
        ThrowIo(EISDIR, false);
    std::string result;
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        result.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowIo(errno, false);
        }
        if (n == 0)
            break;
        result.append(buffer, static_cast<std::size_t>(n));
    }
    bytes = std::move(result);
    return true;
}

void WriteFileAtomically(const std::string &path, std::string_view bytes)
{
    if (path.empty())
        ThrowIo(ENOENT, true);
    const std::string target = RealTarget(path);
    std::string temp = target + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        ThrowIo(errno, true);

    auto fail = [&](int err) {
        ::close(fd.release());
        ::unlink(temp.c_str());
        ThrowIo(err, true);
    };

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd.get(), mode);

    long long budget = -1;
    if (g_writesBeforeFailure > 0) {
        --g_writesBeforeFailure;
    } else {
        budget = g_failAfterBytes;
        g_failAfterBytes = -1;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (chunk > (1u << 20))
            chunk = 1u << 20;
        if (budget >= 0) {
            if (budget == 0)
                fail(ENOSPC);
            if (static_cast<long long>(chunk) > budget)
                chunk = static_cast<std::size_t>(budget);
            budget -= static_cast<long long>(chunk);
        }
        ssize_t n = ::write(fd.get(), bytes.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fdatasync(fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
    if (::close(fd.release()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        ThrowIo(err, true);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        ThrowIo(err, true);
    }
}

void SetWriteFailureAfterBytesForTesting(long long bytes, int writesToLetThrough)
{
    g_failAfterBytes = bytes;
    g_writesBeforeFailure = bytes < 0 ? 0 : writesToLetThrough;
}

} // namespace verbaria
