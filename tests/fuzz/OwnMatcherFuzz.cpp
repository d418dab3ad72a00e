// Our own matcher against Oniguruma (tests/bregexp/RegexDifferential): the input's bytes
// choose an expression from the grammar, its modifiers and its texts. Any difference in a
// match, a group or a substitution is a fault. At the end it says how many expression and
// text pairs it compared and how many expressions our matcher took (tests/fuzz/run shows it).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>

#include "tests/bregexp/RegexDifferential.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/GuardedText.h"

namespace {

class FuzzedChoices final : public Choices {
public:
    explicit FuzzedChoices(FuzzedDataProvider& input) : input_(input) {}
    unsigned Below(unsigned count) override { return count < 2 ? 0 : input_.ConsumeIntegralInRange<unsigned>(0, count - 1); }

private:
    FuzzedDataProvider& input_;
};

struct Tally {
    unsigned long long Pairs = 0, Expressions = 0, Accepted = 0, Own = 0;
    ~Tally()
    {
        std::fprintf(stderr, "differential: %llu pairs, %llu expressions: %llu accepted by Oniguruma, %llu taken by our "
                             "matcher, %llu left to Oniguruma\n",
                     Pairs, Expressions, Accepted, Own, Accepted - Own);
    }
} tally;

const char* PlaceGuarded(void* guarded, const std::string& text)
{
    return static_cast<GuardedText*>(guarded)->Place(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static GuardedText guarded;
    FuzzedDataProvider input(data, size);
    FuzzedChoices choices(input);
    const DifferentialCase draw = DrawCase(choices);
    const DifferentialResult result = CompareMatchers(draw, PlaceGuarded, &guarded);
    if (!result.Difference.empty())
        std::fprintf(stderr, "%s\n%s\n", Describe(draw).c_str(), result.Difference.c_str());
    FUZZ_CHECK(result.Difference.empty());
    tally.Pairs += result.Pairs;
    ++tally.Expressions;
    tally.Accepted += result.Accepted;
    tally.Own += result.OwnMatcher;
    return 0;
}
