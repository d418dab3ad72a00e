#pragma once
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <tuple>

#include "engine/pattern/EncodedPattern.h"

// The patterns of a run in each encoding its files are in, each converted once, at its
// first use. Files may be worked on at the same time, so every lookup takes a lock.
class EncodedPatternCache {
public:
    // The pattern in `encoding`; the reference stays valid as long as the cache.
    const EncodedPattern& Get(const ReplacePattern& pattern, TextEncoding encoding);

private:
    using Key = std::tuple<TextEncoding, PatternOptions, std::string, std::string>;
    using KeyView = std::tuple<TextEncoding, PatternOptions, std::string_view, std::string_view>;
    struct Less {
        using is_transparent = void;
        template <typename A, typename B>
        bool operator()(const A& a, const B& b) const
        {
            return View(a) < View(b);
        }
        static KeyView View(const Key& key)
        {
            return {std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key)};
        }
        static const KeyView& View(const KeyView& key) { return key; }
    };

    std::mutex mutex_;
    std::map<Key, EncodedPattern, Less> patterns_;
};
