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
    return ResultOfReading(file.Open(path));
}
