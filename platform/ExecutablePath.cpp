#include "platform/ExecutablePath.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace verbaria {

std::string ExecutablePath()
{
    // Neither call says how long the path is: grow the buffer until the whole path fits.
    for (std::size_t size = 4096; size <= (1u << 20); size *= 2) {
        std::string buffer(size, '\0');
#if defined(_WIN32)
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        const std::size_t used = length;
#else
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0)
            return {};
        const auto used = static_cast<std::size_t>(length);
#endif
        if (used < buffer.size()) {
            buffer.resize(used);
            return buffer;
        }
    }
    return {};
}

} // namespace verbaria
