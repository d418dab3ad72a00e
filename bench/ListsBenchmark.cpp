// Reading and writing replace lists of 1,000 to 100,000 lines: both must stay linear, so
// the throughput is the same at every size.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include <unistd.h>

#include "lists/ListFile.h"
#include "lists/OptionLetters.h"

namespace {

// Patterns as users keep them: Japanese words with some ASCII, several kinds of option field.
ListRows MakeRows(std::size_t count)
{
    const PatternOptions options[] = {0, NotEscape, NotCase, NotEscape | NotCase, RegularExpression,
                                      RegularExpression | Kanji | Multiline | Ignorecase};
    ListRows rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        rows.push_back(ListRow{"東京都の検索語" + number, "置換後のことば(" + number + ")\\n",
                               OptionLettersFrom(options[i % std::size(options)])});
    }
    return rows;
}

std::size_t FileSize(const ListRows& rows)
{
    std::size_t size = 0;
    for (const ListRow& row : rows)
        size += row.Find.size() + row.Replace.size() + row.Options.size() + 4;
    return size;
}

class ListFolder {
public:
    ListFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/tarvelox-lists-XXXXXX";
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ListFolder()
    {
        ::unlink(File().c_str());
        ::rmdir(path_.c_str());
    }
    std::string File() const { return path_ + "/bench.lst"; }

private:
    std::string path_;
};

void Finish(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void WriteList(benchmark::State& state)
{
    const ListRows rows = MakeRows(static_cast<std::size_t>(state.range(0)));
    ListFolder folder;
    for (auto _ : state)
        if (WriteListFile(folder.File(), rows) != ListWriteResult::Written)
            state.SkipWithError("cannot write the list");
    Finish(state, FileSize(rows));
}

void ReadListIntoRows(benchmark::State& state)
{
    const ListRows rows = MakeRows(static_cast<std::size_t>(state.range(0)));
    ListFolder folder;
    WriteListFile(folder.File(), rows);
    for (auto _ : state) {
        ListRows read;
        AppendListRows(folder.File(), read);
        if (read.size() != rows.size())
            state.SkipWithError("rows lost");
        benchmark::DoNotOptimize(read.data());
    }
    Finish(state, FileSize(rows));
}

void ReadListIntoPatterns(benchmark::State& state)
{
    const ListRows rows = MakeRows(static_cast<std::size_t>(state.range(0)));
    ListFolder folder;
    WriteListFile(folder.File(), rows);
    for (auto _ : state) {
        const PatternList patterns = ReadPatternList(folder.File());
        if (patterns.size() != rows.size())
            state.SkipWithError("patterns lost");
        benchmark::DoNotOptimize(patterns.data());
    }
    Finish(state, FileSize(rows));
}

void LineCounts(benchmark::internal::Benchmark* benchmark)
{
    benchmark->RangeMultiplier(10)->Range(1'000, 100'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(WriteList)->Apply(LineCounts);
BENCHMARK(ReadListIntoRows)->Apply(LineCounts);
BENCHMARK(ReadListIntoPatterns)->Apply(LineCounts);

}  // namespace
