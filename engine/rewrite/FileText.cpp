#include "engine/rewrite/FileText.h"

FileResult ResultOfReading(platform::ReadStatus status)
{
    switch (status) {
    case platform::ReadStatus::Ok:
        return 0;
    case platform::ReadStatus::NoMemory:
        return MemLack;
    case platform::ReadStatus::OpenFailed:
    case platform::ReadStatus::ReadFailed:
        break;
    }
    return NotOpen;
}

FileResult OpenFileText(const std::string& path, platform::FileReader& file)
{
    if (const FileResult opened = ResultOfReading(file.Open(path)); opened != 0 || file.Size() != 0)
        return opened;
    // A file of the system's (/proc, /sys) says it is empty and still has bytes to read: its
    // size does not tell its text, which is no empty one.
    char byte;
    std::size_t got = 0;
    return file.ReadAt(0, &byte, 1, got) && got == 0 ? 0 : NotOpen;
}
