#pragma once
#include <oniguruma.h>

#include <memory>
#include <optional>
#include <string>

#include "bregexp/LiteralPrefixes.h"
#include "bregexp/Matcher.h"
#include "bregexp/RegexCommand.h"

namespace bregexp {

// Oniguruma's ONIG_ENCODING_* for the modifiers: Shift-JIS under k, bytes without it.
OnigEncoding OnigurumaEncoding(const Modifiers& modifiers);

// One expression compiled by Oniguruma with its modifiers, with the library's limits on
// runaway searches, and the region of its last match.
class OnigurumaMatcher final : public Matcher {
public:
    // Null when Oniguruma rejects `pattern`, the command's `expression` as Oniguruma is
    // given it; `error` then says why.
    static std::unique_ptr<OnigurumaMatcher> Compile(const std::string& pattern, const std::string& expression,
                                                     const Modifiers& modifiers, std::string& error);

    ~OnigurumaMatcher() override;
    OnigurumaMatcher(const OnigurumaMatcher&) = delete;
    OnigurumaMatcher& operator=(const OnigurumaMatcher&) = delete;

    int GroupCount() const;

    int Search(const char* textStart, const char* end, const char* from) override;
    int GroupBegin(int group) const override { return region_->beg[group]; }
    int GroupEnd(int group) const override { return region_->end[group]; }
    void PointGroups(const char* textStart, int last, char** starts, char** ends) const override;

private:
    OnigurumaMatcher() = default;

    OnigRegex regex_ = nullptr;
    OnigRegion* region_ = nullptr;
    OnigMatchParam* matchParam_ = nullptr;
    std::optional<LiteralPrefixes> prefixes_;
};

}  // namespace bregexp
