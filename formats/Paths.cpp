#include "formats/Paths.h"

#include "formats/FileIO.h"
#include "formats/TextRules.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace verbaria {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

enum class Want { File, Directory };

bool Matches(const std::string &path, Want want)
{
    return want == Want::File ? FileExists(path) : DirectoryExists(path);
}

std::optional<std::string> FindIgnoringCase(std::string_view path, Want want)
{
    if (path.empty())
        return std::nullopt;
    const std::string absolute = AbsolutePath(path);
    if (Matches(absolute, want))
        return absolute;

    // Walk down from the root, matching each name case-insensitively where it is not exact.
    std::vector<std::string> parts;
    for (const auto &part : fs::path(absolute).relative_path())
        parts.push_back(part.string());
    std::string current = fs::path(absolute).root_path().string();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::string &name = parts[i];
        std::string exact = current;
        if (!exact.empty() && exact.back() != '/')
            exact += '/';
        exact += name;
        if (Matches(exact, last ? want : Want::Directory)) {
            current = exact;
            continue;
        }
        std::vector<std::string> candidates;
        std::error_code ec;
        for (fs::directory_iterator it(current.empty() ? "." : current, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::string entry = it->path().filename().string();
            if (EqualsIgnoringAsciiCase(entry, name))
                candidates.push_back(std::move(entry));
        }
        std::sort(candidates.begin(), candidates.end());
        bool found = false;
        for (const auto &candidate : candidates) {
            std::string next = current;
            if (!next.empty() && next.back() != '/')
                next += '/';
            next += candidate;
            if (last ? Matches(next, want) : Matches(next, Want::Directory)) {
                current = next;
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return current;
}

} // namespace

std::string NativePath(std::string_view path)
{
    std::string result(path);
#ifndef _WIN32
    std::replace(result.begin(), result.end(), '\\', '/');
#endif
    return result;
}

std::string FolderOf(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1]))
            return std::string(path.substr(0, i));
    }
    return {};
}

std::string FileNameOf(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1]))
            return std::string(path.substr(i));
    }
    return std::string(path);
}

std::string AbsolutePath(std::string_view path)
{
    const std::string native = NativePath(path);
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(native), ec);
    if (ec)
        absolute = fs::path(native);
    std::string result = absolute.lexically_normal().string();
    // lexically_normal keeps a trailing separator for "dir/."; a file path never wants one.
    if (result.size() > 1 && result.back() == '/' && !(native.size() > 0 && IsSeparator(native.back())))
        result.pop_back();
    return result;
}

std::optional<std::string> FindFileIgnoringCase(std::string_view path)
{
    return FindIgnoringCase(path, Want::File);
}

std::optional<std::string> FindDirectoryIgnoringCase(std::string_view path)
{
    return FindIgnoringCase(path, Want::Directory);
}

} // namespace verbaria
