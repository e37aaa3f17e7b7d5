#include "formats/Errors.h"

#include <cerrno>
#include <cstring>

namespace verbaria {

LineBreakError::LineBreakError(std::string_view where)
    : FormatError("Line break in the value of " + std::string(where) + ": a line-based file cannot hold it")
{
}

void RefuseLineBreak(std::string_view value, std::string_view where)
{
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw LineBreakError(where);
}

namespace {
std::string ConversionMessage(std::string_view text)
{
    std::string message = "'";
    message.append(text);
    message += "' is not a valid integer value";
    return message;
}
} // namespace

ConversionError::ConversionError(std::string_view offendingText)
    : FormatError(ConversionMessage(offendingText))
    , offending_(offendingText)
{
}

std::string InOutMessage(int errorNumber, bool writing)
{
    switch (errorNumber) {
    case ENOENT:
        return writing ? "Path not found" : "File not found";
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return "File access denied";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    default:
        return std::string("I/O error ") + std::to_string(errorNumber) + " (" + std::strerror(errorNumber) +
               ")";
    }
}

} // namespace verbaria
