#include "engine/FileText.h"

namespace {

FileResult ResultOf(platform::ReadStatus status)
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

}  // namespace

FileResult ReadFileText(const std::string& path, platform::FileContent& content)
{
    return ResultOf(platform::ReadWholeFile(path, content));
}

FileResult ViewFileText(const std::string& path, platform::FileView& view)
{
    return ResultOf(view.Open(path));
}
