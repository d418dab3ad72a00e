// Our own matcher against Oniguruma on expressions and texts drawn at random for a bounded
// time (RegexDifferential). TARVELOX_DIFFERENTIAL_PAIRS=N runs until N expression and
// text pairs were compared instead, and prints how many expressions our matcher took.
#include <gtest/gtest.h>

#include <thread>
#include <cstdlib>
#include <random>

#include "tests/bregexp/RegexDifferential.h"
#include "tests/support/GuardedText.h"

namespace {

class RandomChoices final : public Choices {
public:
    explicit RandomChoices(unsigned seed) : random_(seed) {}
    unsigned Below(unsigned count) override { return count == 0 ? 0 : random_() % count; }

private:
    std::mt19937 random_;
};

const char* PlaceGuarded(void* guarded, const std::string& text)
{
    return static_cast<GuardedText*>(guarded)->Place(text);
}

}  // namespace

TEST(OwnMatcher, FindsWhatOnigurumaFinds)
{
    const char* wanted = std::getenv("TARVELOX_DIFFERENTIAL_PAIRS");
    const unsigned long long pairsWanted = wanted ? std::strtoull(wanted, nullptr, 10) : 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    GuardedText guarded;
    unsigned long long pairs = 0, expressions = 0, own = 0, accepted = 0;
    for (unsigned seed = 1;; ++seed) {
        if (pairsWanted ? pairs >= pairsWanted : std::chrono::steady_clock::now() >= deadline)
            break;
        RandomChoices choices(seed);
        const DifferentialCase draw = DrawCase(choices);
        const DifferentialResult result = CompareMatchers(draw, PlaceGuarded, &guarded);
        ASSERT_EQ(result.Difference, "") << "seed " << seed << ": " << Describe(draw);
        pairs += result.Pairs;
        ++expressions;
        accepted += result.Accepted;
        own += result.OwnMatcher;
    }
    if (pairsWanted)
        std::printf("%llu pairs, %llu expressions: %llu accepted by Oniguruma, %llu taken by our matcher, %llu left to "
                    "Oniguruma\n",
                    pairs, expressions, accepted, own, accepted - own);
    // The grammar is drawn mostly from what our matcher takes.
    EXPECT_GT(own * 2, accepted);
}
