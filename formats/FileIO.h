#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Whole-file reading and the one way this program writes a file: into a temporary file beside the
// target, renamed over it only when complete, so a failed or interrupted write never leaves a
// half-written file behind.
namespace verbaria {

// True when path names an existing regular file (or a link to one).
bool FileExists(const std::string &path);
bool DirectoryExists(const std::string &path);

// Reads the whole file into bytes. Returns false, leaving bytes untouched, when the file does not
// exist; raises InOutError when it exists but cannot be read (no rights, a folder, ...).
bool ReadFileBytes(const std::string &path, std::string &bytes);

// Replaces path with bytes, atomically. Raises InOutError with the platform's message on failure;
// the earlier file is then left exactly as it was.
void WriteFileAtomically(const std::string &path, std::string_view bytes);

// What WriteFileAtomically writes its bytes with. The system's write is the only one the program
// uses; a test puts a device in its place that fails where a full disk would.
class FileWriteDevice
{
public:
    virtual ~FileWriteDevice() = default;
    // A new file is about to be written.
    virtual void BeginFile() {}
    // Like ::write: the count written, or -1 with errno set.
    virtual long Write(int fd, const char *data, std::size_t size) = 0;
};

// Installs device (null: the system's write again) and returns the one it replaces.
FileWriteDevice *SetFileWriteDevice(FileWriteDevice *device);

} // namespace verbaria
