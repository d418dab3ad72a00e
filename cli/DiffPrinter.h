#pragma once
// --diff: the unified diff of every file that changes, printed as the run goes, each line
// shown whole in the terminal's encoding; the names are "a/" and "b/" before the path as
// the user sees it.
#include <cstdio>
#include <string>

#include "engine/rewrite/NewTextReader.h"

class ConsoleProgress;
class TerminalText;

class DiffPrinter final : public NewTextReader {
public:
    DiffPrinter(std::FILE* out, const TerminalText& terminal, std::string currentFolder, ConsoleProgress& progress);

    void OnNewText(const std::string& path, TextEncoding encoding, std::string_view before,
                   std::string_view after) override;

private:
    std::FILE* out_;
    const TerminalText& terminal_;
    std::string currentFolder_;
    ConsoleProgress& progress_;
};
