// The least a tool that rewrites files safely must do, for bench/compare: read each file
// whole, write the bytes to NAME.tmp and rename that over NAME; with --backup the former
// file first gets the second name NAME.bak. With --stream a file is read and written in
// blocks of 1 MiB instead, as a tool that never holds a whole file does.
//   io_floor [--stream] [--backup] FILE...
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t Block = std::size_t{1} << 20;

bool ReadFully(int in, char* data, std::size_t size)
{
    for (std::size_t got = 0; got < size;) {
        const ssize_t n = ::read(in, data + got, size - got);
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteFully(int out, const char* data, std::size_t size)
{
    for (std::size_t put = 0; put < size;) {
        const ssize_t n = ::write(out, data + put, size - put);
        if (n <= 0)
            return false;
        put += static_cast<std::size_t>(n);
    }
    return true;
}

// Copies `in` to `out`, whole or a block at a time.
bool Copy(int in, int out, std::size_t size, bool stream, std::vector<char>& buffer)
{
    buffer.resize(stream ? Block : size);
    for (std::size_t left = size; left > 0;) {
        const std::size_t piece = left < buffer.size() ? left : buffer.size();
        if (!ReadFully(in, buffer.data(), piece) || !WriteFully(out, buffer.data(), piece))
            return false;
        left -= piece;
    }
    return true;
}

bool RewriteInPlace(const std::string& path, bool backup, bool stream, std::vector<char>& buffer)
{
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (in < 0 || ::fstat(in, &info) != 0)
        return false;
    const std::string temporary = path + ".tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0)
        return false;
    const bool copied = Copy(in, out, static_cast<std::size_t>(info.st_size), stream, buffer);
    ::close(in);
    if (::close(out) != 0 || !copied)
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
    bool backup = false;
    bool stream = false;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--backup") == 0)
            backup = true;
        else if (std::strcmp(argv[first], "--stream") == 0)
            stream = true;
        else
            break;
    }
    std::vector<char> buffer;
    for (int i = first; i < argc; ++i) {
        if (!RewriteInPlace(argv[i], backup, stream, buffer)) {
            std::perror(argv[i]);
            return 1;
        }
    }
    return 0;
}
