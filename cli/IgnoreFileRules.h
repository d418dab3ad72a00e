#pragma once
// The rules of .ignore files, as the search tools Unix users pair this command with read
// them: .gitignore's syntax, in any folder, inside a git working tree or outside one, and
// over the rules of the repository's own ignore files. libgit2 matches them, as git does
// its own: all rules are anchored at their folders and kept in private scratch repositories.
#include <set>
#include <string>
#include <vector>

struct git_repository;

enum class IgnoreVerdict {
    NoRule,     // no rule of a .ignore file matches
    LeftOut,    // the last rule that matches leaves the entry out
    TakenBack,  // the last rule that matches is a "!" rule: the entry is in, whatever else says
};

// A .ignore file that is there but cannot be read, and why.
struct IgnoreFileProblem {
    std::string Path;
    std::string Reason;
};

class IgnoreFileRules {
public:
    IgnoreFileRules() = default;
    ~IgnoreFileRules();
    IgnoreFileRules(const IgnoreFileRules&) = delete;
    IgnoreFileRules& operator=(const IgnoreFileRules&) = delete;

    // Reads the .ignore file of `folder` (absolute, links resolved), after those of the
    // folders above it not read yet, so that a deeper file's rules come later and win.
    void ReadFolder(const std::string& folder);
    // What the rules read so far say of the entry `path` (absolute, its folder's links resolved).
    IgnoreVerdict Judge(const std::string& path, bool folder);
    const std::vector<IgnoreFileProblem>& Problems() const { return problems_; }

private:
    bool StartScratch(const std::string& forFile);
    void Add(const std::string& file, const std::string& rules);
    void Fail(const std::string& file, const std::string& reason);

    std::set<std::string> read_;
    bool anyRules_ = false;
    bool started_ = false;
    bool askFailed_ = false;
    // Its rules under "!*": ignored there = the last matching rule leaves the entry out.
    git_repository* leftOut_ = nullptr;
    // Its rules under "*": not ignored there = the last matching rule is a "!" rule.
    git_repository* anyRule_ = nullptr;
    std::vector<IgnoreFileProblem> problems_;
};
