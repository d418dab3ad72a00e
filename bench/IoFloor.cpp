// The least a tool that rewrites files safely must do, for bench/compare: read each file
// whole, write the bytes to NAME.tmp and rename that over NAME; with --backup the former
// file first gets the second name NAME.bak.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool RewriteInPlace(const std::string& path, bool backup, std::vector<char>& buffer)
{
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (in < 0 || ::fstat(in, &info) != 0)
        return false;
    buffer.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(in, buffer.data() + got, buffer.size() - got);
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    ::close(in);
    const std::string temporary = path + ".tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0)
        return false;
    std::size_t put = 0;
    while (put < buffer.size()) {
        const ssize_t n = ::write(out, buffer.data() + put, buffer.size() - put);
        if (n <= 0)
            return false;
        put += static_cast<std::size_t>(n);
    }
    if (::close(out) != 0)
        return false;
    if (backup) {
        const std::string saved = path + ".bak";
        ::unlink(saved.c_str());
        if (::link(path.c_str(), saved.c_str()) != 0)
            return false;
    }
    return ::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int first = 1;
    const bool backup = argc > 1 && std::strcmp(argv[1], "--backup") == 0;
    if (backup)
        ++first;
    std::vector<char> buffer;
    for (int i = first; i < argc; ++i) {
        if (!RewriteInPlace(argv[i], backup, buffer)) {
            std::perror(argv[i]);
            return 1;
        }
    }
    return 0;
}
