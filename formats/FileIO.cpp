#include "formats/FileIO.h"

#include "formats/Errors.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

// The one file of the formats room that speaks to the operating system: reading and replacing
// whole files is what every reader and writer of the room is built on, and the standard library
// has no atomic replace, no sync and no way to tell a pipe from a file before opening it.

namespace verbaria {

namespace {

FileWriteDevice *g_writeDevice = nullptr;

class FileDescriptor final
{
public:
    explicit FileDescriptor(int fd)
        : fd_(fd)
    {
    }
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

std::string FolderPart(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : path.substr(0, slash);
}

std::string NamePart(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes that follow a link go to the file it names, so a linked language file stays linked; a
// link to nothing yet makes its file, rather than being replaced by one.
std::string RealTarget(const std::string &path)
{
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    if (char *resolved = ::realpath(path.c_str(), nullptr)) {
        std::string result(resolved);
        std::free(resolved);
        return result;
    }
    std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
    const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
    if (length <= 0)
        return path;
    link.resize(static_cast<std::size_t>(length));
    return link.front() == '/' ? link : FolderPart(path) + '/' + link;
}

// What a save names its temporary file: the target's name, then this, then six random letters.
constexpr const char *TemporaryMark = ".verbaria-save-";

// A save that was killed leaves its temporary file; the next save of the same target clears the
// program's own leftovers (and nothing else).
void RemoveLeftovers(const std::string &target)
{
    const std::string folder = FolderPart(target);
    const std::string prefix = NamePart(target) + TemporaryMark;
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
            ::unlink((folder + '/' + std::string(name)).c_str());
    }
    ::closedir(dir);
}

// A pipe, a device or a socket is written to as it is: replacing it with a file would break what
// it stands for (a save to /dev/stdout must not replace the system's link with a plain file).
void WriteDirectly(const std::string &path, std::string_view bytes)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0)
        ThrowIo(errno, true);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowIo(errno, true);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::close(fd.release()) != 0)
        ThrowIo(errno, true);
}

} // namespace

bool FileExists(const std::string &path)
{
    struct stat st
    {
    };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string &path)
{
    struct stat st
    {
    };
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadFileBytes(const std::string &path, std::string &bytes)
{
    if (path.empty())
        return false;
    // Not blocking: opening a named pipe would wait for a writer for ever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        ThrowIo(errno, false);
    }
    struct stat st
    {
    };
    if (::fstat(fd.get(), &st) != 0)
        ThrowIo(errno, false);
    // Only a file can be read whole: a folder, a pipe or a device is refused as unreadable.
    if (!S_ISREG(st.st_mode))
        ThrowIo(EACCES, false);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
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
    struct stat existing
    {
    };
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        if (S_ISDIR(existing.st_mode))
            ThrowIo(EISDIR, true);
        WriteDirectly(path, bytes);
        return;
    }
    RemoveLeftovers(target);
    std::string temp = target + TemporaryMark + "XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        ThrowIo(errno, true);

    auto fail = [&](int err) {
        ::close(fd.release());
        ::unlink(temp.c_str());
        ThrowIo(err, true);
    };

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st
    {
    };
    mode_t mode = 0666;
    if (::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0)
        fail(errno);

    FileWriteDevice *device = g_writeDevice;
    if (device)
        device->BeginFile();
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (chunk > (1u << 20))
            chunk = 1u << 20;
        const long n = device ? device->Write(fd.get(), bytes.data() + written, chunk)
                              : ::write(fd.get(), bytes.data() + written, chunk);
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
    // The rename lives in the folder: without this a crash right after it could lose the new
    // name. A folder that cannot be synced (some file systems) is no failure of the save.
    FileDescriptor folder(::open(FolderPart(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
}

FileWriteDevice *SetFileWriteDevice(FileWriteDevice *device)
{
    return std::exchange(g_writeDevice, device);
}

} // namespace verbaria
