// Kills automatic runs of the native program at random moments and checks after every kill
// that no byte of a file was lost: each file holds exactly its old or its new content, a
// backup holds the old one, leftovers are counted, an undo of the killed run gives every
// file its old content back, and the next run completes the work and leaves nothing of its
// own behind. Literal patterns, regular expressions with either
// substitution (the larger files mapped), and full-automatic runs are killed in turn.
//   crash_harness --program PATH [--kills N] [--files N] [--seed N] [--work DIR]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Settings {
    std::string Program;
    int Kills = 200;
    int Files = 300;
    unsigned Seed = 1;
    fs::path Work = fs::temp_directory_path() / "tarvelox-crash";
};

// Shift-JIS texts (this file's narrow literals are code page 932).
const std::string Before = "置換前";
const std::string After = "置換後です";
const char* const Words[] = {"テキスト", "ファイル", "漢字", "表示", "ソフト", "予定", "abc", "ABC",
                             "ID",       "text",     "line", "42",   "\\",     "/",    " ",   "\t"};

// How a single pattern is applied: literally, as a regular expression with the program's
// own template, or substituted by the library.
enum class Substitution { Literal, OwnTemplate, ByLibrary };

struct Mode {
    const char* Name;
    bool AllAuto;
    bool BackUp;
    Substitution Kind = Substitution::Literal;
};
const Mode Modes[] = {
    {"single pattern with backups", false, true},
    {"single pattern without backups", false, false},
    {"full-automatic, three patterns, with backups", true, true},
    {"full-automatic, three patterns, without backups", true, false},
    {"regular expression, own template, with backups", false, true, Substitution::OwnTemplate},
    {"regular expression by the library, no backups", false, false, Substitution::ByLibrary},
};
const std::string Expression = "ID(\\d+)";
const std::string ExpressionReplacement = "番号$1";

using Contents = std::map<std::string, std::string>;  // relative path -> bytes

std::string ReadFile(const fs::path& path, bool& exists)
{
    std::ifstream in(path, std::ios::binary);
    exists = static_cast<bool>(in);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Text lines with the find texts sprinkled in; some files are empty, hold a NUL byte, or
// have an extension the run leaves alone.
Contents MakeFiles(int count, std::mt19937& random)
{
    Contents files;
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<std::size_t> word(0, std::size(Words) - 1);
    for (int i = 0; i < count; ++i) {
        const std::string name = "sub" + std::to_string(i % 3) + "/" + std::to_string(i) + (i % 40 == 7 ? ".dat" : ".txt");
        const int kind = percent(random);
        std::size_t size = kind < 93 ? 50 + random() % 4000 : kind < 98 ? 64 * 1024 : 1024 * 1024;
        if (i % 100 == 3)
            size = 0;
        // Large files no pattern matches: with backups, their backup is a copy that takes a while.
        const bool noMatch = i % 30 == 11;
        if (noMatch)
            size = 1024 * 1024;
        std::string text;
        while (text.size() < size) {
            const int pick = percent(random);
            if (noMatch)
                text += pick < 10 ? "\r\n" : Words[pick % 6];
            else if (pick < 4)
                text += Before;
            else if (pick < 6)
                text += "ID" + std::to_string(random() % 1000);
            else if (pick < 12)
                text += "\r\n";
            else
                text += Words[word(random)];
        }
        if (i % 100 == 5)
            text.insert(text.size() / 2, 1, '\0');
        files[name] = text;
    }
    return files;
}

void Restore(const fs::path& folder, const Contents& files)
{
    fs::remove_all(folder);
    for (const auto& [name, bytes] : files)
        WriteFile(folder / name, bytes);
}

// A copy of the program beside its library, whose own settings file has the library
// substitute regular expressions.
fs::path ProgramSubstitutingByLibrary(const Settings& settings)
{
    return settings.Work / "by-library" / fs::path(settings.Program).filename();
}

void CopyProgramSubstitutingByLibrary(const Settings& settings)
{
    const fs::path program(settings.Program);
    const fs::path copy = ProgramSubstitutingByLibrary(settings);
    fs::create_directories(copy.parent_path());
    for (const fs::path& file : {program, program.parent_path() / "libbregexp.so"})
        fs::copy_file(file, copy.parent_path() / file.filename(), fs::copy_options::overwrite_existing);
    WriteFile(copy.parent_path() / "Tarvelox.ini", "[PROCESS]\r\nBregexp=1\r\n");
}

std::vector<std::string> Arguments(const Settings& settings, const Mode& mode, const fs::path& list)
{
    const std::string program =
        mode.Kind == Substitution::ByLibrary ? ProgramSubstitutingByLibrary(settings).string() : settings.Program;
    std::vector<std::string> arguments = {program, "-c", "-E*.txt", "-S1", mode.BackUp ? "-B1" : "-B0"};
    if (mode.AllAuto) {
        arguments.push_back("-A");
        arguments.push_back("-L" + list.string());
    } else if (mode.Kind != Substitution::Literal) {
        arguments.push_back("-Oe");
        arguments.push_back("-F" + Expression);
        arguments.push_back("-R" + ExpressionReplacement);
    } else {
        arguments.push_back("-F" + Before);
        arguments.push_back("-R" + After);
    }
    arguments.push_back("files");
    return arguments;
}

pid_t Start(const fs::path& work, const std::vector<std::string>& arguments)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // The runs' undo journals lie in the work folder, not in the user's.
    if (::chdir(work.c_str()) != 0 || ::setenv("XDG_STATE_HOME", (work / "state").c_str(), 1) != 0)
        ::_exit(127);
    const int nothing = ::open("/dev/null", O_WRONLY);
    ::dup2(nothing, STDOUT_FILENO);
    ::dup2(nothing, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

int Wait(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// What one kill, or one run to its end, left in the folder.
struct Findings {
    int Violations = 0;
    int New = 0;
    int Old = 0;
    int Temporary = 0;  // .tmp
    int Untouched = 0;  // .auto
    int Other = 0;
};

void Report(Findings& findings, const std::string& what)
{
    if (++findings.Violations <= 20)
        std::fprintf(stderr, "crash_harness: %s\n", what.c_str());
}

// Checks every file against its old and new content; `afterKill` allows either, otherwise
// only the new one.
Findings Inspect(const fs::path& folder, const Contents& old, const Contents& expected, const Mode& mode,
                 bool afterKill)
{
    Findings findings;
    for (const auto& [name, before] : old) {
        bool exists = false;
        const std::string now = ReadFile(folder / name, exists);
        const std::string& after = expected.at(name);
        if (!exists)
            Report(findings, name + " is missing");
        else if (now == after && now != before)
            ++findings.New;
        else if (now == before)
            ++findings.Old;
        if (exists && now != before && now != after)
            Report(findings, name + " holds neither its old nor its new content");
        if (exists && !afterKill && now != after)
            Report(findings, name + " is not rewritten by the next run");
        bool backedUp = false;
        const std::string backup = ReadFile(folder / (name + ".bak"), backedUp);
        if (backedUp && !mode.BackUp)
            Report(findings, name + ".bak made without backups");
        // After a second full-automatic run the backup may hold what the first run wrote.
        const bool backupFromRerun = !afterKill && mode.AllAuto && backup == after;
        if (backedUp && backup != before && !backupFromRerun)
            Report(findings, name + ".bak does not hold the old content");
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() && !entry.is_symlink())
            continue;
        const std::string name = fs::relative(entry.path(), folder).string();
        const std::string extension = entry.path().extension().string();
        if (old.count(name) || (extension == ".bak" && old.count(name.substr(0, name.size() - 4))))
            continue;
        if (extension == ".tmp")
            ++findings.Temporary;
        else if (extension == ".auto")
            ++findings.Untouched;
        else
            ++findings.Other;
    }
    return findings;
}

// After the undo of a killed run every file holds its old content: those the run put in
// place are back, the others were never touched. Returns the files that hold another.
int ExpectOld(const fs::path& folder, const Contents& old)
{
    int wrong = 0;
    for (const auto& [name, before] : old) {
        bool exists = false;
        if (ReadFile(folder / name, exists) != before && ++wrong <= 20)
            std::fprintf(stderr, "crash_harness: %s is not back as it was after the undo\n", name.c_str());
    }
    return wrong;
}

bool ParseArguments(int argc, char** argv, Settings& settings)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--program")
            settings.Program = fs::absolute(value).string();
        else if (name == "--kills")
            settings.Kills = std::atoi(value);
        else if (name == "--files")
            settings.Files = std::atoi(value);
        else if (name == "--seed")
            settings.Seed = static_cast<unsigned>(std::atoi(value));
        else if (name == "--work")
            settings.Work = fs::absolute(value);
        else
            return false;
    }
    return !settings.Program.empty() && argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Settings settings;
    if (!ParseArguments(argc, argv, settings)) {
        std::fprintf(stderr, "usage: crash_harness --program PATH [--kills N] [--files N] [--seed N] [--work DIR]\n");
        return 2;
    }
    std::mt19937 random(settings.Seed);
    const Contents old = MakeFiles(settings.Files, random);
    const fs::path folder = settings.Work / "files";
    const fs::path list = settings.Work / "patterns.lst";
    fs::create_directories(settings.Work);
    // The list in Shift-JIS: a literal, a regular expression, a literal without case.
    WriteFile(list, Before + "\t" + After + "\t\r\n" + Expression + "\t" + ExpressionReplacement +
                        "\tE\r\nabc\tXYZ\tC\r\n");
    CopyProgramSubstitutingByLibrary(settings);

    int violations = 0;
    int kills = 0;
    int midRun = 0;
    int undos = 0;
    int restored = 0;
    Findings leftovers;
    Findings afterRerun;
    for (const Mode& mode : Modes) {
        // A whole run without a kill gives the new contents and the time a run takes.
        Restore(folder, old);
        const auto started = std::chrono::steady_clock::now();
        const int expectedStatus = Wait(Start(settings.Work, Arguments(settings, mode, list)));
        const auto runTime = std::chrono::steady_clock::now() - started;
        Contents expected;
        for (const auto& [name, bytes] : old) {
            bool exists = false;
            expected[name] = ReadFile(folder / name, exists);
        }
        std::uniform_int_distribution<long long> delay(
            0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count());
        const int share = settings.Kills / static_cast<int>(std::size(Modes)) +
                          (&mode - Modes < settings.Kills % static_cast<int>(std::size(Modes)) ? 1 : 0);
        for (int k = 0; k < share; ++k) {
            Restore(folder, old);
            // Only the killed run's journal, so that an undo takes back that run or none.
            fs::remove_all(settings.Work / "state");
            const pid_t child = Start(settings.Work, Arguments(settings, mode, list));
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            ::kill(child, SIGKILL);
            Wait(child);
            ++kills;
            const Findings killed = Inspect(folder, old, expected, mode, true);
            midRun += killed.New > 0 && killed.Old > 0;
            leftovers.Temporary += killed.Temporary;
            leftovers.Untouched += killed.Untouched;
            leftovers.Other += killed.Other;

            // A run killed before it put a file in place kept no journal: nothing to take back.
            const int undo = Wait(Start(settings.Work, {settings.Program, "--undo"}));
            const bool undone = WIFEXITED(undo) && (WEXITSTATUS(undo) == 0 || (WEXITSTATUS(undo) == 2 && killed.New == 0));
            if (!undone) {
                std::fprintf(stderr, "crash_harness: the undo ended with %d after %d files were rewritten\n", undo,
                             killed.New);
                ++violations;
            }
            undos += WIFEXITED(undo) && WEXITSTATUS(undo) == 0;
            restored += killed.New;
            violations += ExpectOld(folder, old);

            const int status = Wait(Start(settings.Work, Arguments(settings, mode, list)));
            const Findings rerun = Inspect(folder, old, expected, mode, false);
            afterRerun.Temporary += rerun.Temporary;
            afterRerun.Untouched += rerun.Untouched;
            afterRerun.Other += rerun.Other;
            if (status != expectedStatus) {
                std::fprintf(stderr, "crash_harness: the next run ended with %d, not %d\n", status, expectedStatus);
                ++violations;
            }
            violations += killed.Violations + rerun.Violations;
        }
        std::printf("%-48s %4d kills, one run %lld ms\n", mode.Name, share,
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(runTime).count()));
    }
    std::printf("kills: %d (%d in the middle of the files), files: %d, violations: %d\n", kills, midRun,
                settings.Files, violations);
    std::printf("undos of the killed runs: %d, %d files back as they were\n", undos, restored);
    std::printf("leftovers after the kills: %d .tmp, %d .auto, %d other\n", leftovers.Temporary, leftovers.Untouched,
                leftovers.Other);
    std::printf("leftovers after the next runs: %d .tmp, %d .auto, %d other\n", afterRerun.Temporary,
                afterRerun.Untouched, afterRerun.Other);
    fs::remove_all(settings.Work);
    const bool clean = violations == 0 && afterRerun.Temporary + afterRerun.Untouched + afterRerun.Other == 0;
    return clean ? 0 : 1;
}
