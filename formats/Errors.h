#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace verbaria {

// A reader or writer that has to stop raises one of these. The message is the text the user
// sees, word for word; whatever was read before the error stays applied.
class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A number field that is not a whole number: "'%s' is not a valid integer value".
class ConversionError final : public FormatError
{
public:
    explicit ConversionError(std::string_view offendingText);
    const std::string &offendingText() const { return offending_; }

private:
    std::string offending_;
};

// A file that cannot be opened, read, created or written.
class InOutError final : public FormatError
{
public:
    using FormatError::FormatError;
};

// A value that would split into two lines of a line-based file (it holds CR or LF): writing it
// would forge a line nobody wrote, so the writer refuses the whole file.
class LineBreakError final : public FormatError
{
public:
    // what names the key or entry whose value holds the break.
    explicit LineBreakError(std::string_view where);
};

// Raises LineBreakError naming where when value holds CR or LF.
void RefuseLineBreak(std::string_view value, std::string_view where);

// The message for an input/output failure, in the words users know from the original platform
// ("File not found", "File access denied", ...).
std::string InOutMessage(int errorNumber, bool writing);

} // namespace verbaria
