#include "cli/NativeWalkFilter.h"

#include <git2.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/PathRules.h"

NativeWalkFilter::NativeWalkFilter(bool hidden, bool ignoreFiles) : leaveOutHidden_(!hidden), ignoreFiles_(ignoreFiles)
{
}

NativeWalkFilter::~NativeWalkFilter()
{
    for (auto& [workdir, repository] : opened_)
        git_repository_free(repository);
    if (gitStarted_)
        git_libgit2_shutdown();
}

bool NativeWalkFilter::MayLieInWorkingTree(const std::string& resolved)
{
    for (std::string folder = resolved;;) {
        auto known = holdsGitEntry_.find(folder);
        bool holds;
        if (known != holdsGitEntry_.end()) {
            holds = known->second;
        } else {
            struct stat entry;
            const std::string gitEntry = (folder == "/" ? "" : folder) + "/.git";
            // An entry that cannot be looked at may be there.
            holds = ::lstat(gitEntry.c_str(), &entry) == 0 || (errno != ENOENT && errno != ENOTDIR);
            holdsGitEntry_.emplace(folder, holds);
        }
        if (holds)
            return true;
        if (folder == "/" || folder.empty())
            return false;
        const std::size_t slash = folder.find_last_of('/');
        folder = slash == 0 || slash == std::string::npos ? "/" : folder.substr(0, slash);
    }
}

const NativeWalkFilter::Folder& NativeWalkFilter::FolderFacts(const std::string& folder)
{
    auto known = folders_.find(folder);
    if (known != folders_.end())
        return known->second;
    Folder facts;
    // The working tree is named as the system resolves it; so is the folder, so that one
    // is a prefix of the other whatever links lead there.
    if (char* resolved = ::realpath(folder.c_str(), nullptr)) {
        facts.Resolved = resolved;
        std::free(resolved);
        ignoreFileRules_.ReadFolder(facts.Resolved);
    }
    git_repository* repository = nullptr;
    const bool looked = !facts.Resolved.empty() && MayLieInWorkingTree(facts.Resolved);
    if (looked && !gitStarted_) {
        git_libgit2_init();
        gitStarted_ = true;
    }
    if (looked && git_repository_open_ext(&repository, facts.Resolved.c_str(), 0, nullptr) == 0 &&
        git_repository_workdir(repository)) {
        facts.Workdir = git_repository_workdir(repository);
        // One repository object per working tree, however many folders lead to it.
        auto [place, added] = opened_.emplace(facts.Workdir, repository);
        if (!added)
            git_repository_free(repository);
        facts.Repository = place->second;
        // The walk never goes into a folder the rules leave out, so a folder they leave out
        // is one the user named (or lies below one), or one a .ignore takes back: the user
        // chose it, and its entries are theirs to rewrite whatever the repository's rules
        // say (libgit2 would leave out all a left-out folder holds).
        const std::string relative = facts.Resolved.substr(std::min(facts.Workdir.size(), facts.Resolved.size())) + "/";
        int ignored = 0;
        if (facts.Resolved.starts_with(facts.Workdir) && relative != "/" &&
            git_ignore_path_is_ignored(&ignored, facts.Repository, relative.c_str()) == 0 && ignored)
            facts.Repository = nullptr;
    } else if (repository) {
        git_repository_free(repository);
    }
    return folders_.emplace(folder, std::move(facts)).first->second;
}

std::optional<WalkLeftOut> NativeWalkFilter::LeftOut(const std::string& path, std::string_view name, bool folder)
{
    if (leaveOutHidden_ && name.size() > 1 && name.front() == '.')
        return WalkLeftOut::Hidden;
    if (!ignoreFiles_)
        return std::nullopt;
    const Folder& facts = FolderFacts(std::string(platform::FolderOfPath(path)));
    if (facts.Resolved.empty())
        return std::nullopt;
    const std::string full = (facts.Resolved == "/" ? "" : facts.Resolved) + "/" + std::string(name);
    switch (ignoreFileRules_.Judge(full, folder)) {
    case IgnoreVerdict::LeftOut:
        return WalkLeftOut::Ignored;
    case IgnoreVerdict::TakenBack:
        return std::nullopt;
    case IgnoreVerdict::NoRule:
        break;
    }
    if (!facts.Repository || !full.starts_with(facts.Workdir))
        return std::nullopt;
    // A folder is asked for with its slash, which rules like "build/" need.
    const std::string relative = full.substr(facts.Workdir.size()) + (folder ? "/" : "");
    int ignored = 0;
    if (git_ignore_path_is_ignored(&ignored, facts.Repository, relative.c_str()) == 0 && ignored)
        return WalkLeftOut::Ignored;
    return std::nullopt;
}
