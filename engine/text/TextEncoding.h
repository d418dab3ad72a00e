// text/: the encodings: each one's character rule and well-formed check, detection from a file's bytes, the conversion of our own texts.
#pragma once
#include <string_view>

// The encodings a file's text can be in. A file is searched in its own encoding and never
// converted; only the patterns are.
enum class TextEncoding {
    Ascii,      // seven-bit text without escape sequences: every encoding reads it alike
    ShiftJis,   // code page 932
    EucJp,      // with the three-byte JIS X 0212 form and the extensions of code page 932
    Utf8,
    Iso2022Jp,  // seven-bit with escape sequences: never searched
};

// How a run chooses the encoding of each file.
enum class EncodingChoice {
    Automatic,  // from each file's bytes
    ShiftJis,   // every file as Shift-JIS
    Utf8,       // every file as UTF-8
    EucJp,      // every file as EUC-JP
};

// The encoding's usual name, for the user: "Shift-JIS", "EUC-JP", "UTF-8", "ASCII",
// "ISO-2022-JP".
std::string_view EncodingName(TextEncoding encoding);
