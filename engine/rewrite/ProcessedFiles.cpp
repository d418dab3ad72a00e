#include "engine/rewrite/ProcessedFiles.h"

bool ProcessedFiles::Claim(const platform::FileStamp& stamp)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return claimed_.insert(stamp).second;
}
