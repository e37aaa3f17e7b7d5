#pragma once

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

// For tests: the next write fails after this many bytes have been written (negative: never).
// With writesToLetThrough, that many writes succeed first and the one after them fails.
void SetWriteFailureAfterBytesForTesting(long long bytes, int writesToLetThrough = 0);

} // namespace verbaria
