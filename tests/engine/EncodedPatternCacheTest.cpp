#include "engine/EncodedPatternCache.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

namespace {

// Workers that meet the same patterns in several encodings at once each get the one
// conversion made for a pattern and encoding, whole.
TEST(EncodedPatternCache, WorkersAtOnceShareOneConversionEach)
{
    constexpr int Workers = 8;
    constexpr int Patterns = 50;
    constexpr std::array<TextEncoding, 3> Encodings = {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8};
    std::vector<ReplacePattern> patterns;
    for (int i = 0; i < Patterns; ++i)
        patterns.push_back({"\x82\xA0" + std::to_string(i), "\x82\xA2", i % 2 ? PatternOptions{RegularExpression} : PatternOptions{0}});

    EncodedPatternCache cache;
    std::vector<std::vector<const EncodedPattern*>> seen(Workers);
    std::vector<std::thread> threads;
    for (int worker = 0; worker < Workers; ++worker)
        threads.emplace_back([&, worker] {
            // Each worker takes the patterns in an order of its own.
            for (int step = 0; step < Patterns * 3; ++step) {
                const int at = (step * 7 + worker * 13) % (Patterns * 3);
                seen[worker].push_back(&cache.Get(patterns[at / 3], Encodings[at % 3]));
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    for (int worker = 0; worker < Workers; ++worker)
        for (int step = 0; step < Patterns * 3; ++step) {
            const int at = (step * 7 + worker * 13) % (Patterns * 3);
            const EncodedPattern* pattern = seen[worker][step];
            ASSERT_EQ(pattern, &cache.Get(patterns[at / 3], Encodings[at % 3]));
            EXPECT_EQ(pattern->Encoding, Encodings[at % 3]);
        }
    const EncodedPattern& utf8 = cache.Get(patterns[2], TextEncoding::Utf8);
    EXPECT_EQ(utf8.Alternatives.front(), "\xE3\x81\x82" "2");
    EXPECT_EQ(utf8.Replacement, "\xE3\x81\x84");
}

}  // namespace
