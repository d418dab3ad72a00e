#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string MakeUniqueFolder()
{
#ifdef _WIN32
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = ::GetCurrentProcessId() * 1000u + ::GetTickCount() % 1000u;; ++attempt) {
        std::string path = std::string(base) + "tarvelox-" + std::to_string(attempt);
        if (::CreateDirectoryA(path.c_str(), nullptr))
            return path;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
#else
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tarvelox-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
#endif
}

}  // namespace

TempFolder::TempFolder() : path_(MakeUniqueFolder())
{
    if (path_.empty())
        ADD_FAILURE() << "cannot create a temporary folder";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::string TempFolder::operator/(const std::string& name) const
{
#ifdef _WIN32
    return path_ + "\\" + name;
#else
    return path_ + "/" + name;
#endif
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        ADD_FAILURE() << "cannot write " << path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return std::string();
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path)
{
#ifdef _WIN32
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
#endif
}

std::size_t FillDisk(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    const std::string block(4096, 'f');
    std::size_t written = 0;
    while (out.write(block.data(), static_cast<std::streamsize>(block.size())) && out.flush())
        written += block.size();
    return written;
}

void MakeFolder(const std::string& path)
{
#ifdef _WIN32
    const bool made = ::CreateDirectoryA(path.c_str(), nullptr);
#else
    const bool made = ::mkdir(path.c_str(), 0777) == 0;
#endif
    if (!made)
        ADD_FAILURE() << "cannot create folder " << path;
}

void SetReadOnly(const std::string& path, bool readOnly)
{
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    ::SetFileAttributesA(path.c_str(), readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                                : (attributes & ~FILE_ATTRIBUTE_READONLY));
#else
    struct stat info;
    if (::stat(path.c_str(), &info) == 0)
        ::chmod(path.c_str(), readOnly ? (info.st_mode & ~0222) : (info.st_mode | 0200));
#endif
}
