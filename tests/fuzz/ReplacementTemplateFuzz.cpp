// The replacement template of the program's own regular-expression substitution.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/pattern/ReplacementTemplate.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string replace(reinterpret_cast<const char*>(data), size);
    const ReplacementTemplate result = BuildReplacementTemplate(replace);
    FUZZ_CHECK(result.Text.size() + result.Markers.size() <= replace.size());
    std::size_t previous = 0;
    for (const ReplacementTemplate::Marker& marker : result.Markers) {
        FUZZ_CHECK(marker.Group >= 0 && marker.Group <= 9);
        FUZZ_CHECK(marker.Position >= previous && marker.Position <= result.Text.size());
        previous = marker.Position;
    }
    return 0;
}
