#pragma once
// What the native command's walks leave out besides the extension list, as the search
// tools Unix users pair it with do: hidden files and folders, what .ignore files exclude,
// and in a git working tree what its ignore files (.gitignore, .git/info/exclude, the
// user's excludes) exclude. A .ignore rule goes before the repository's rules.
#include <map>
#include <string>
#include <vector>

#include "app/WalkFilter.h"
#include "cli/IgnoreFileRules.h"

struct git_repository;

class NativeWalkFilter final : public WalkFilter {
public:
    NativeWalkFilter(bool hidden, bool ignoreFiles);
    ~NativeWalkFilter();
    NativeWalkFilter(const NativeWalkFilter&) = delete;
    NativeWalkFilter& operator=(const NativeWalkFilter&) = delete;

    std::optional<WalkLeftOut> LeftOut(const std::string& path, std::string_view name, bool folder) override;
    // The .ignore files met that could not be read: their rules are unknown.
    const std::vector<IgnoreFileProblem>& Problems() const { return ignoreFileRules_.Problems(); }

private:
    struct Folder {
        std::string Resolved;  // links resolved; empty when that failed
        std::string Workdir;   // of the git working tree it lies in, with a final slash
        git_repository* Repository = nullptr;
    };
    // What a folder's entries are asked against, found once per folder.
    const Folder& FolderFacts(const std::string& folder);
    // Whether `resolved` or a folder above it may hold an entry named ".git", as the top of
    // every working tree does: only then is a repository looked for.
    bool MayLieInWorkingTree(const std::string& resolved);

    bool leaveOutHidden_;
    bool ignoreFiles_;
    std::map<std::string, Folder> folders_;
    std::map<std::string, bool> holdsGitEntry_;  // by folder, resolved
    // libgit2 is started when the first repository is looked for: its start reads the
    // system's certificates, which took a run over a tree outside any repository 3 ms.
    bool gitStarted_ = false;
    // By working tree.
    std::map<std::string, git_repository*> opened_;
    IgnoreFileRules ignoreFileRules_;
};
