#include "bench/BenchFile.h"

#include <unistd.h>

#include "platform/FileSystem.h"

BenchFile::BenchFile(const std::string& content)
{
    static int created = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("tarvelox-bench-" + std::to_string(::getpid()) + "-" + std::to_string(++created));
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "text.txt").string();
    platform::WriteWholeFile(path_, content.data(), content.size());
}

BenchFile::~BenchFile()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}
