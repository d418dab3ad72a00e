#include "engine/rewrite/ProcessedFiles.h"

bool ProcessedFiles::Claim(const platform::FileIdentity& identity)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return claimed_.insert(identity).second;
}
