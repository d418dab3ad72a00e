#include "cli/IgnoreFileRules.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <git2.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/AnchoredIgnoreRules.h"

namespace {

enum class FileRead { Absent, Read, Failed };

// The content of the ignore file `path`, or why it cannot be had. A link that leads
// nowhere is no file; a folder, a pipe or a file we may not read is a failure: its rules
// are unknown, and a rule missed is a file touched that the user meant to be left out.
FileRead ReadIgnoreFile(const std::string& path, std::string& text, std::string& reason)
{
    // Not blocking, so that a pipe of that name cannot stop the walk before it is refused.
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (file < 0) {
        if (errno == ENOENT)
            return FileRead::Absent;
        reason = std::strerror(errno);
        return FileRead::Failed;
    }
    struct stat facts {};
    if (::fstat(file, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        reason = S_ISDIR(facts.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(file);
        return FileRead::Failed;
    }
    char block[16384];
    for (;;) {
        const ssize_t got = ::read(file, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            reason = std::strerror(errno);
        if (got <= 0)
            break;
        text.append(block, static_cast<std::size_t>(got));
    }
    ::close(file);
    return reason.empty() ? FileRead::Read : FileRead::Failed;
}

std::string ParentOf(const std::string& folder)
{
    const std::size_t slash = folder.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : folder.substr(0, slash);
}

std::string GitError()
{
    const git_error* error = git_error_last();
    return error && error->message ? error->message : "libgit2 failed";
}

int RemoveEntry(const char* path, const struct stat*, int kind, struct FTW*)
{
    return kind == FTW_DP ? ::rmdir(path) : ::unlink(path);
}

// A repository at `path` holding no rules but `bottom` and those added later. Bare: it
// has no working tree whose .gitignore files libgit2 would look for at every level of every
// path asked, and a path without a final slash is a file, with nothing looked up on disk.
// The user's global excludes file, whatever the configuration names, is a file that is
// not there, and case counts as it does on disk.
git_repository* MakeScratch(const std::string& path, const std::string& noFile, const char* bottom)
{
    git_repository* made = nullptr;
    git_config* config = nullptr;
    git_config* local = nullptr;
    const bool configured = git_repository_init(&made, path.c_str(), 1) == 0 &&
                            git_repository_config(&config, made) == 0 &&
                            git_config_open_level(&local, config, GIT_CONFIG_LEVEL_LOCAL) == 0 &&
                            git_config_set_string(local, "core.excludesFile", noFile.c_str()) == 0 &&
                            git_config_set_bool(local, "core.ignoreCase", 0) == 0;
    git_config_free(local);
    git_config_free(config);
    git_repository_free(made);
    // Opened again, so that nothing read before the configuration was set stays.
    git_repository* scratch = nullptr;
    if (!configured || git_repository_open_ext(&scratch, path.c_str(), GIT_REPOSITORY_OPEN_NO_SEARCH, nullptr) != 0)
        return nullptr;
    if (git_ignore_add_rule(scratch, bottom) != 0) {
        git_repository_free(scratch);
        return nullptr;
    }
    return scratch;
}

}  // namespace

IgnoreFileRules::~IgnoreFileRules()
{
    git_repository_free(leftOut_);
    git_repository_free(anyRule_);
    if (started_)
        git_libgit2_shutdown();
}

void IgnoreFileRules::ReadFolder(const std::string& folder)
{
    if (!read_.insert(folder).second)
        return;
    if (folder != "/")
        ReadFolder(ParentOf(folder));
    const std::string path = folder == "/" ? "/.ignore" : folder + "/.ignore";
    std::string text, reason;
    switch (ReadIgnoreFile(path, text, reason)) {
    case FileRead::Absent:
        break;
    case FileRead::Read:
        Add(path, AnchoredIgnoreRules(folder, text));
        break;
    case FileRead::Failed:
        Fail(path, "cannot be read (" + reason + ")");
        break;
    }
}

bool IgnoreFileRules::StartScratch(const std::string& forFile)
{
    started_ = true;
    git_libgit2_init();
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = std::string(temporary && *temporary ? temporary : "/tmp") + "/tarvelox-ignore-XXXXXX";
    if (!::mkdtemp(folder.data())) {
        Fail(forFile, std::string("its rules need a temporary folder, and none can be made (") +
                          std::strerror(errno) + ")");
        return false;
    }
    // "*" and "!*" below every rule: the last rule that matches always decides, and no
    // "!" rule is dropped by libgit2 for seeming to take back nothing.
    const std::string noFile = folder + "/no-excludes";
    leftOut_ = MakeScratch(folder + "/left-out", noFile, "!*\n");
    anyRule_ = leftOut_ ? MakeScratch(folder + "/any-rule", noFile, "*\n") : nullptr;
    // Opened and configured, they need nothing on disk: the folder goes at once, so that
    // not even a walk killed leaves it behind.
    ::nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    if (!anyRule_) {
        Fail(forFile, "its rules cannot be set up (" + GitError() + ")");
        return false;
    }
    return true;
}

void IgnoreFileRules::Add(const std::string& file, const std::string& rules)
{
    // A file of comments alone costs the walk nothing.
    if (rules.empty())
        return;
    if (!started_ && !StartScratch(file))
        return;
    if (!anyRule_)
        return;  // the scratch repositories failed, and said so
    if (git_ignore_add_rule(leftOut_, rules.c_str()) != 0 || git_ignore_add_rule(anyRule_, rules.c_str()) != 0) {
        Fail(file, "its rules cannot be taken (" + GitError() + ")");
        return;
    }
    anyRules_ = true;
}

void IgnoreFileRules::Fail(const std::string& file, const std::string& reason)
{
    problems_.push_back({file, reason});
}

IgnoreVerdict IgnoreFileRules::Judge(const std::string& path, bool folder)
{
    if (!anyRules_)
        return IgnoreVerdict::NoRule;
    // The scratch repositories' paths are the file system's, from the root.
    const std::string relative = path.substr(path.starts_with('/') ? 1 : 0) + (folder ? "/" : "");
    int leftOut = 0;
    int anyRule = 0;
    if (git_ignore_path_is_ignored(&leftOut, leftOut_, relative.c_str()) != 0 ||
        (!leftOut && git_ignore_path_is_ignored(&anyRule, anyRule_, relative.c_str()) != 0)) {
        // One line for the run is enough: the next entry would fail alike.
        if (!askFailed_)
            Fail(path, "the rules of .ignore files cannot be asked about it (" + GitError() + ")");
        askFailed_ = true;
        return IgnoreVerdict::NoRule;
    }
    if (leftOut)
        return IgnoreVerdict::LeftOut;
    return anyRule ? IgnoreVerdict::NoRule : IgnoreVerdict::TakenBack;
}
