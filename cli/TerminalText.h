#pragma once
// Text between the program and a terminal. The program's texts, the patterns and the log
// are Shift-JIS (code page 932) and the files are each in their own encoding, while a
// terminal speaks the character set of the user's locale. Only what crosses over is
// converted, with the system's converter and the whole of code page 932; a file never is.
#include <optional>
#include <string>
#include <string_view>

#include "engine/text/TextEncoding.h"
#include "platform/TextConversion.h"

class TerminalText {
public:
    // `charset` as the locale names it; one this program does not know is passed as bytes
    // both ways, and so is everything with `asBytes` (--bytes).
    TerminalText(std::string_view charset, bool asBytes);

    struct Taken {
        std::string Text;   // in code page 932, or with Utf8 as typed
        std::string Error;  // what could not be taken; empty when all was
        bool Utf8 = false;  // kept in UTF-8: code page 932 cannot hold a character of it
    };
    // A find or replace text typed on the terminal: converted when it is well-formed in
    // the terminal's set, taken as bytes when it is not. A character code page 932 cannot
    // hold is never dropped nor fitted onto a look-alike: on a UTF-8 terminal the text is
    // kept in UTF-8, for the files that can hold it; one code page 932 has only as a
    // look-alike (¥, ‾) is an error unless `lookAlikesAsTyped` (every file is UTF-8);
    // elsewhere any such character is an error.
    Taken FromTerminal(const std::string& text, bool lookAlikesAsTyped = false) const;

    // The program's own Shift-JIS text.
    std::string ProgramText(std::string_view shiftJis) const;
    // Text of a file in `encoding`; a byte that is no character there is shown as it is.
    std::string FileText(std::string_view text, TextEncoding encoding) const;
    // A file name, which is bytes: as it is when it is well-formed in the terminal's set,
    // otherwise read as code page 932 (a name made on Windows) when it is that.
    std::string Name(std::string_view name) const;
    // A text of the user's the program keeps in Shift-JIS (a replace list's name, a find
    // text): as ProgramText, with its control characters escaped as a name's are.
    std::string UserText(std::string_view shiftJis) const;

private:
    // Text in the terminal's set with its control characters shown as escapes.
    std::string Escaped(std::string shown) const;
    std::string Converted(std::string_view text, platform::CodeSet source) const;

    std::optional<platform::CodeSet> terminal_;
};

// The code set of a character set named by the locale, when it is one this program knows.
std::optional<platform::CodeSet> CodeSetNamed(std::string_view charset);
