// The log's path column: shortening and the width of a file's line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "engine/run/ResultLog.h"
#include "engine/run/ShortenPath.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const FileResult result = input.ConsumeIntegralInRange<FileResult>(WriteErr, 99999999);
    const std::string path = input.ConsumeRemainingBytesAsString();

    const std::string shortened = ShortenPath(path);
    if (path.size() <= ShortenedPathLimit)
        FUZZ_CHECK(shortened == path);
    else
        FUZZ_CHECK(shortened.size() <= ShortenedPathLimit);

    ResultLog log;
    log.ResetLog();
    const std::size_t before = log.Text().size();
    log.AddLogLine(path, result);
    FUZZ_CHECK(log.Text().size() - before == 56);
    return 0;
}
