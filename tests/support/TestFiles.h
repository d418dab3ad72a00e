#pragma once
// Real files in a fresh folder for each test.
#include <cstddef>
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the folder.
    std::string operator/(const std::string& name) const;

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
// The whole content; fails the current test when the file cannot be read.
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
void MakeFolder(const std::string& path);
// Writes a file until the disk is full; returns how many bytes it took.
std::size_t FillDisk(const std::string& path);
// Sets or clears the read-only attribute (the write bits on POSIX).
void SetReadOnly(const std::string& path, bool readOnly);
