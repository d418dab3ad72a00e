#include "engine/ProcessedFiles.h"

bool ProcessedFiles::Claim(const std::string& path)
{
    const std::optional<platform::FileIdentity> identity = platform::IdentityOf(path);
    if (!identity)
        return true;
    const std::lock_guard<std::mutex> lock(mutex_);
    return claimed_.insert(*identity).second;
}

void ProcessedFiles::ClaimNewFile(const platform::FileIdentity& identity)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    claimed_.insert(identity);
}
