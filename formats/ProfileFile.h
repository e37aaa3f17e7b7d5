#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The INI files of the Windows profile functions, read and written so that the same file stays
// readable and writable by them: sections and keys match without regard to ASCII case, the first
// section of a name and the first key of a name count, and a write touches only its own line.
namespace verbaria {

// At most this many characters of a value are read, as through a 2048-byte profile buffer.
inline constexpr std::size_t ProfileMaxValueLength = 2047;

// The value of key in section, or defaultValue when the section or the key is missing. A key that
// is present with an empty value gives the empty value. Blanks around the value are dropped, then
// one matching pair of enclosing double or single quotes.
std::string ProfileReadString(std::string_view bytes, std::string_view section, std::string_view key,
                              std::string_view defaultValue);

// bytes with key in section set to value: the key's line is replaced, or a new key line goes after
// the last key of the section, or a new section goes at the end. Everything else stays byte for
// byte. A line break in value would forge further lines, so value ends before its first one.
std::string ProfileWriteString(std::string_view bytes, std::string_view section, std::string_view key,
                               std::string_view value);

// A profile file on disk. Every WriteString replaces the file at once (atomically): a replace is
// all or nothing, so only writing key by key keeps the keys written before a failing one in the
// file. The files are a few hundred bytes, so a few replacements in a row cost nothing.
class ProfileFile final
{
public:
    // Reads path now. A missing file reads as empty. A file that exists but cannot be read reads
    // as empty too, and is never written over, because its contents would be lost.
    explicit ProfileFile(std::string path);

    const std::string &Path() const { return path_; }
    const std::string &Bytes() const { return bytes_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Raises InOutError "Unable to write to <path>" when the file cannot be written; the file and
    // this object then stay as they were before the call.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string path_;
    std::string bytes_;
    bool unreadable_ = false;
};

} // namespace verbaria
