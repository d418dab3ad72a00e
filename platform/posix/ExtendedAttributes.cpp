#include "platform/posix/ExtendedAttributes.h"

#include <sys/types.h>
#include <sys/xattr.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {

namespace {

// A list of NUL-ended names, as the system hands them; empty where the file system keeps
// no attributes. False when the list cannot be read.
template <typename Lister>
bool NamesOf(Lister list, std::vector<std::string>& names)
{
    std::vector<char> buffer;
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size <= 0)
            return size == 0 || errno == ENOTSUP;
        buffer.resize(static_cast<std::size_t>(size));
        const ssize_t got = list(buffer.data(), buffer.size());
        if (got >= 0) {
            for (std::size_t at = 0; at < static_cast<std::size_t>(got); at += std::strlen(buffer.data() + at) + 1)
                names.emplace_back(buffer.data() + at);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// The system's own labels, which it gives a new file by its rules and only it may change.
bool IsSystemLabel(std::string_view name)
{
    return name.starts_with("security.") || name.starts_with("trusted.");
}

bool ValueOf(const std::string& path, const std::string& name, std::vector<char>& value)
{
    for (;;) {
        const ssize_t size = ::lgetxattr(path.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::lgetxattr(path.c_str(), name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

}  // namespace

bool CopyExtendedAttributes(const std::string& from, int fd)
{
    std::vector<std::string> wanted;
    std::vector<std::string> present;
    if (!NamesOf([&](char* list, std::size_t size) { return ::llistxattr(from.c_str(), list, size); }, wanted) ||
        !NamesOf([&](char* list, std::size_t size) { return ::flistxattr(fd, list, size); }, present))
        return false;
    for (const std::string& name : present)
        if (!IsSystemLabel(name) && std::find(wanted.begin(), wanted.end(), name) == wanted.end() &&
            ::fremovexattr(fd, name.c_str()) != 0 && errno != ENODATA)
            return false;
    std::vector<char> value;
    for (const std::string& name : wanted) {
        if (!ValueOf(from, name, value))
            return false;
        if (::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0 && !IsSystemLabel(name))
            return false;
    }
    return true;
}

}  // namespace platform
