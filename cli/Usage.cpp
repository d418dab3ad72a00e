#include "cli/Usage.h"

std::string UsageText(const std::string& settingsPath)
{
    return R"(Usage: tarvelox [switches] [file | folder | @list]...

Rewrites many text files at once: every occurrence of the find text becomes the
replacement text, or with -A every pattern of the replace list is applied in turn.
A file is rewritten through NAME.tmp beside it and replaced only when something was
found. The result goes to "replace.log" in the current directory (Shift-JIS, CR LF):
one line per file with its number of replacements or a status word, and the total.
Texts and file names are bytes, passed on unchanged. The texts are Shift-JIS; each file
is searched in its own encoding (Shift-JIS, EUC-JP or UTF-8, told from its bytes), with
the texts converted to it, and no byte of a file outside what is replaced changes.

Switches (the letter in either case, the value straight after it; a later switch
overrides an earlier one):
  -F<text>      find text; unless -Os, \n is CR LF, \u LF, \m CR, \t TAB, \\ a
                backslash, and \| separates alternatives
  -R<text>      replacement text, with the same sequences but \|
  -O<letters>   options of the find text, any order, either case:
                  s  no escape sequences      c  ignore case
                  e  regular expression, with these modifiers:
                  k  Shift-JIS aware          m  ^ and $ at every line
                  i  ignore case
                e, k, m and i need the regular-expression library beside the program.
  -L<file>      the replace list for -A (default: SETTING/ReplaceList, else
                replace.lst), looked for beside the program, then here
  -A  -A1  -A0  full-automatic replace with every pattern of the replace list: on, on, off
  -B  -B1  -B0  keep the former content as NAME.bak: on, on, off
  -S  -S1  -S0  walk into the subfolders of a named folder: on, on, off
  -E<patterns>  extensions allowed into the run, e.g. -E"*.txt;*.htm"; "*.*" allows
                every file, "*." files without an extension
  -c            start from cleared defaults: backup, full-automatic and subfolders off,
                no texts, no options, no replace list, no allowed extension
  --encoding=auto|sjis|utf8|eucjp
                how files are read: auto tells each file's encoding from its bytes
                (default, unless PROCESS/ShiftJisOnly=1 makes it sjis); the others
                read every file that way. An ISO-2022-JP file is always left alone
                ("ISO2022" in the log), and a file whose encoding cannot hold a
                replacement that is needed keeps its content ("EncodeER").
  -H            automatic mode; this command always runs it
  -h, --help    this text

Without a switch the value comes from the settings file (-A, -B, -S, -E, -L; with
SETTING/MemLast=1 also -F, -R and -O from the last run of the window):
  )" + settingsPath +
           R"(

Arguments: a file is added when its extension is allowed; a folder adds its files
whose extension is allowed; @list names a text file with one file or folder per line.
A wildcard the shell left alone ("*.txt" in quotes) takes its first match only.
Relative names are taken from the current directory. A leading "/" is a path.

Exit status: 0 every file was processed without failure; 1 at least one file failed
(a status word in the log) or a name given was passed over (one line each on standard
error); 2 nothing was run and nothing touched (no argument; the replace list of -A was
not found, cannot be read or holds no pattern; a regular expression needs the library,
which could not be loaded, or the library does not accept it) or "replace.log" could not
be written; 128 + the signal after SIGINT, SIGTERM or SIGHUP, which stop the run between
two files or inside one, leaving that file as it was (replace.log lists the files done).
)";
}
