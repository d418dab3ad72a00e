#include "engine/pattern/EncodedPatternCache.h"

const EncodedPattern& EncodedPatternCache::Get(const ReplacePattern& pattern, TextEncoding encoding)
{
    const KeyView key{encoding, pattern.Options, pattern.Find, pattern.Replace};
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = patterns_.find(key);
    if (found != patterns_.end())
        return found->second;
    return patterns_
        .emplace(Key{encoding, pattern.Options, pattern.Find, pattern.Replace}, EncodePattern(pattern, encoding))
        .first->second;
}
