#pragma once
#include <filesystem>
#include <string>

// A file with the given content in a folder of its own, removed with it at the end.
class BenchFile {
public:
    explicit BenchFile(const std::string& content);
    ~BenchFile();
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};
