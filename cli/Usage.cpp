#include "cli/Usage.h"

namespace {

const char* OnOff(bool on)
{
    return on ? "on" : "off";
}

}  // namespace

std::string UsageText(const DefaultsInForce& defaults)
{
    return R"USAGE(Usage: tarvelox [option]... [file | folder | @list]...

Rewrites many text files at once: every occurrence of the find text becomes the
replacement, or with -A every pattern of a replace list is applied in turn. A file is
rewritten through a temporary file beside it (NAME.tarvelox.tmp) and replaced only when
something was found, keeping its owner, mode and extended attributes. Each file is
searched in its own encoding (Shift-JIS, EUC-JP or UTF-8, told from its bytes) and no
byte of it outside what is replaced changes. With no file named, a text piped into
standard input is filtered to standard output.

  tarvelox -n --diff -F旧社名 -R新社名 site/   look first: what would change
  tarvelox -F旧社名 -R新社名 site/             then rewrite
  find . -name '*.csv' -print0 | xargs -0 tarvelox -F, -R';'

Options (a value attached or as the next argument: -Fold, -F old, --find=old,
--find old; -F '' is an empty text; "--" ends the options):
  -F, --find=TEXT        find text; unless -Os, \n is CR LF, \u LF, \m CR, \t TAB,
                         \\ a backslash, and \| separates alternatives
  -R, --replace=TEXT     replacement, with the same sequences but \|
  -O, --options=LETTERS  options of the find text, in any order:
                           s  no escape sequences      c  ignore case
                           e  regular expression, with these modifiers:
                           k  Shift-JIS aware          m  ^ and $ at every line
                           i  ignore case
  -L, --list=FILE        the replace list for -A, looked for beside the program,
                         then here
  -A, --all[=0|1]        apply every pattern of the replace list (-A1 on, -A0 off)
  -B, --backup[=0|1]     keep the former content as NAME.bak (-B1 on, -B0 off)
  -S, --recursive[=0|1]  walk into the subfolders of a named folder (-S1, -S0)
  -E, --extensions=LIST  the extensions a walk lets in, e.g. -E '*.txt;*.htm'; "*.*"
                         lets every file in, "*." files without an extension; a
                         file named on the command line or in an @list is always in
      --hidden           walks take hidden files and folders too
      --no-ignore        walks take what .ignore and .gitignore files exclude too
                         (a walk never enters .git .svn .hg .bzr CVS _darcs)
  -c, --clear            start from cleared defaults: backups, -A and -S off, no
                         texts, no options, no replace list, no extension let in
  -n, --dry-run          preview: the whole run, with nothing written at all
      --diff             print a unified diff of every file that changes
      --log=FILE         write the result log (Shift-JIS, CR LF) to FILE
  -q, --quiet            print nothing on standard output, and no summary
  -v, --verbose          print every file, with its encoding
      --encoding=auto|sjis|utf8|eucjp
                         how files are read: auto tells each file's encoding from
                         its bytes (unless PROCESS/ShiftJisOnly=1 makes it sjis)
      --bytes            take -F and -R as bytes and show file texts and names as
                         bytes, with no conversion for the terminal
  -j, --jobs=N           work on N files at once (default: PROCESS/Workers of the
                         settings file, else one per processor); every file is
                         still rewritten once, and the results keep the list's order
      --undo[=ID]        take back the last run (--undo=ID an older one): each file
                         it changed that is still as it left it gets its former
                         content, bits, owner and attributes back, a file changed
                         since is left and named; -n tells what it would do
      --runs             list the runs kept for undo: when, how many files, where
      --no-undo          run without keeping the originals for undo
  -V, --version          the version, and the regular-expression library in use
  -h, --help             this text
  -H                     accepted and ignored: this command always runs at once

Output: a line on standard output for each file that changed ("path:count") or
failed ("path: StatusWord (reason)"), and a summary line on standard error, which
counts what walks left out and why (a file that is not text among them).

Texts: in a UTF-8 (or EUC-JP) locale -F and -R are converted to Shift-JIS with
the whole of code page 932 (㈱ ① ～ 髙 included); a character code page 932
cannot hold is an error. A text that is not well-formed in the locale's set is
taken as bytes. Diffs and names are shown in the locale's set.

Replace lists (-A -L FILE): one pattern a line (CR LF or LF): the find text, a TAB,
the replacement, a TAB, and option letters: S no escape sequences, C ignore case,
E regular expression with k, m, i. A list that is UTF-8 is read as UTF-8 (a byte
order mark at its start passed over) and its texts converted as -F and -R are;
otherwise it is Shift-JIS. A letter the format
does not know (e, K) or a pattern would not use (E with S or C, k m i without E)
is an error, as is a list with nothing to find. With no file named, a text piped
in is filtered:
  printf '旧社名\t新社名\t\n' > fix.lst && tarvelox -A -L fix.lst site/

Undo: before a file's new content takes its name, the run keeps the original in
its journal, $XDG_STATE_HOME/tarvelox/runs/ (~/.local/state/tarvelox/runs/): a
second name of the file on the same file system, no byte copied, a copy
elsewhere. The settings file's PROCESS/UndoRuns (10; 0 keeps no journal) and
PROCESS/UndoSize (1024 MiB of originals in the older runs; the last run is kept
whole) bound it. A run whose files may not all fit on the journal's disk is
refused before it starts, unless --no-undo is given; a preview keeps nothing.

Regular expressions (-Oe): the replacement is the program's own template unless
the settings file has PROCESS/Bregexp=1. In the own template $0-$9 are the match
and its groups, $$ a dollar sign, \n \r \t LF CR TAB, and \1 is not a group but
the character of octal code 1 (write $1). With Bregexp=1 the library substitutes:
$1 and \1 are groups, $& the match. With m, a find text that ends in "$" also
removes the LF after each match, so that "-F'^#.*\r?$' -R ''" deletes whole
lines; end it in a look-ahead such as (?=\r?$) to keep the line end. The own
template gives each search after a match the text from that match's end on as a
text of its own: ^ matches there again (also without m), \b and look-behind see
nothing before it, and no empty match is made at the very end, so "-F'^a' -RZ"
turns aaa into ZZZ; with Bregexp=1 the library searches on in the whole text.

Defaults in force (settings file )USAGE" +
           defaults.SettingsPath + (defaults.SettingsFileExists ? "" : ", not present") + R"USAGE():
  backups        )USAGE" + OnOff(defaults.Backup) +
           R"USAGE( (MAIN/BackUp=1 turns them on; this command's default is 0)
  -A             )USAGE" + OnOff(defaults.FullAutomatic) +
           R"USAGE( (MAIN/AllAuto)
  subfolders     )USAGE" + OnOff(defaults.Subfolders) +
           R"USAGE( (SETTING/SubEntry)
  extensions     )USAGE" + defaults.Extensions +
           R"USAGE( (SETTING/AbleExt)
  replace list   )USAGE" + defaults.ReplaceList +
           R"USAGE( (SETTING/ReplaceList)

Exit status:
  0   every file was processed without failure
  1   some file failed (its status word is printed), or something named was
      skipped: a name that names nothing, a folder that cannot be read, a link
      that leads nowhere, standard output or the log could not be written;
      with --undo, a file was left as it is
  2   nothing was done: a wrong option or value, an option the run would
      ignore (-L without -A, -F or -R with -A, -Oi -Om -Ok without e,
      -Oc -Os with e) or no find text, no file named with a terminal on
      standard input, a piped text that cannot be read or whose new text
      cannot be written to standard output, a text code page 932 cannot
      hold, a run refused before any file was opened (a replace list for
      -A that is missing, cannot be read or holds no pattern, a regular
      expression without the library or one that does not compile), the
      undo journal cannot keep the originals (--no-undo runs without
      it), the log file cannot be made or would take the place of a file
      the run rewrites, reads or backs up, or with --undo: no such run,
      or it is at work
  128+N  stopped by signal N (130 for Ctrl+C): the file at hand keeps its old
      content, the files before it are done
)USAGE";
}
