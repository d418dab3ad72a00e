#include "engine/FileText.h"

FileResult ReadFileText(const std::string& path, platform::FileContent& content)
{
    switch (platform::ReadWholeFile(path, content)) {
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
