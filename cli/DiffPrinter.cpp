#include "cli/DiffPrinter.h"

#include "app/UnifiedDiff.h"
#include "cli/ConsoleProgress.h"
#include "cli/ResultLines.h"
#include "cli/TerminalText.h"

DiffPrinter::DiffPrinter(std::FILE* out, const TerminalText& terminal, std::string currentFolder,
                         ConsoleProgress& progress)
    : out_(out), terminal_(terminal), currentFolder_(std::move(currentFolder)), progress_(progress)
{
}

void DiffPrinter::OnNewText(const std::string& path, TextEncoding encoding, std::string_view before,
                            std::string_view after)
{
    const std::string shown = ShownPath(path, currentFolder_);
    // "a" before an absolute path gives "a/tmp/...", as a relative one gives "a/docs/...".
    std::string name = terminal_.Name(shown.starts_with('/') ? shown : "/" + shown);
    // A name with a blank ends in a tab, as GNU diff ends it (there before its time), so
    // that patch takes the whole name.
    if (name.find_first_of(" \t") != std::string::npos)
        name += '\t';
    const std::string diff = UnifiedDiff(before, after, "a" + name, "b" + name, [&](std::string_view line) {
        return terminal_.FileText(line, encoding);
    });
    progress_.Clear();
    std::fwrite(diff.data(), 1, diff.size(), out_);
}
