#include "app/FileList.h"

#include "engine/rewrite/DerivedNames.h"
#include "lists/TextLines.h"
#include "platform/DoubleByte.h"
#include "platform/Folders.h"
#include "platform/FullPath.h"

namespace {

// Room between the widest entry and the end of the sideways scrolling range.
constexpr int ExtentMargin = 5;

}  // namespace

PassedOverReason MissingReason(const std::string& path)
{
    return platform::IsLink(path) ? PassedOverReason::LinkToNothing : PassedOverReason::NotFound;
}

bool FileList::IsListed(const std::string& path)
{
    // Gathered once per batch, so that a large batch is not quadratic in the list's length;
    // the paths the batch adds join it, so a file offered twice in one batch is caught too.
    if (!listed_) {
        listed_.emplace();
        for (std::size_t i = 0; i < control_.Count(); ++i)
            listed_->insert(LowerAsciiLetters(control_.Entry(i)));
    }
    return !listed_->insert(LowerAsciiLetters(path)).second;
}

void FileList::Measure(const std::string& path)
{
    const int width = control_.TextWidth(path);
    if (width > widest_) {
        widest_ = width;
        control_.SetHorizontalExtent(widest_ + ExtentMargin);
    }
}

void FileList::AddFile(const std::string& path)
{
    const bool walked = walkDepth_ > 0;
    if (extensionCheck_ && (walked || namedFilesChecked_) && !PassesExtensionCheck(extensions_, path)) {
        if (walked)
            ++walkLeftOut_[static_cast<std::size_t>(WalkLeftOut::Extension)];
        else
            namedLeftOut_.push_back(path);
        return;
    }
    if (IsListed(path)) {
        duplicates_ += path;
        duplicates_ += '\n';
        return;
    }
    control_.Append(path);
    if (walked && walked_)
        walked_->insert(path);
    Measure(path);
}

bool IsRepositoryFolderName(std::string_view name)
{
    for (const std::string_view repository : {".git", ".svn", ".hg", ".bzr", "CVS", "_darcs"})
        if (name == repository)
            return true;
    return false;
}

namespace {

// Whether a folder on the way to `path` is a repository's own (IsRepositoryFolderName).
bool LiesInRepositoryFolder(const std::string& path)
{
    for (std::string folder = platform::FolderPartOf(path); !folder.empty();) {
        folder.pop_back();
        const std::string above = platform::FolderPartOf(folder);
        if (IsRepositoryFolderName(std::string_view(folder).substr(above.size())))
            return true;
        folder = above;
    }
    return false;
}

}  // namespace

void FileList::PassOver(const std::string& name, PassedOverReason reason)
{
    passedOver_.push_back({name, reason});
}

void FileList::RefuseName(const std::string& readableName)
{
    refusedNames_ += readableName;
    refusedNames_ += '\n';
    PassOver(readableName, PassedOverReason::NameNotCarried);
}

void FileList::WalkFolder(const std::string& path)
{
    if (walkDepth_ == 0)
        ownIdentity_ = ownFolder_.empty() ? std::nullopt : platform::IdentityOf(ownFolder_);
    std::vector<platform::FolderEntry> entries;
    if (!platform::ListFolder(path, entries)) {
        PassOver(path, PassedOverReason::UnreadableFolder);
        return;
    }
    ++walkDepth_;
    for (const platform::FolderEntry& entry : entries) {
        const std::string entryPath = platform::JoinPath(path, entry.Name);
        const bool folder = entry.Kind == platform::EntryKind::Folder;
        if (folder && !subfolders_)
            continue;
        if (!entry.Named) {
            RefuseName(entryPath);
            continue;
        }
        // A run's own file is never the user's text, nor the journal of the runs.
        if (entry.Kind == platform::EntryKind::File && !entry.Link && MadeBesideOf(entryPath)) {
            madeByRuns_.push_back(entryPath);
            continue;
        }
        if (folder && ownIdentity_ && platform::IdentityOf(entryPath) == ownIdentity_)
            continue;
        std::optional<WalkLeftOut> leftOut;
        // A link that leads into a repository's own folder leads to its insides too, and a
        // file .git is git's link to a repository kept elsewhere (a submodule, a worktree).
        if ((folder && IsRepositoryFolderName(entry.Name)) ||
            (entry.Kind == platform::EntryKind::File && entry.Name == ".git") ||
            (entry.Link && entry.Kind == platform::EntryKind::File && LiesInRepositoryFolder(platform::FinalPath(entryPath))))
            leftOut = WalkLeftOut::RepositoryFolder;
        else if (walkFilter_ && (folder || entry.Kind == platform::EntryKind::File))
            leftOut = walkFilter_->LeftOut(entryPath, entry.Name, folder);
        if (leftOut) {
            ++walkLeftOut_[static_cast<std::size_t>(*leftOut)];
            continue;
        }
        switch (entry.Kind) {
        case platform::EntryKind::File:
            AddFile(entryPath);
            break;
        case platform::EntryKind::Folder:
            WalkFolder(entryPath);
            break;
        // A listed entry that is no longer there is a link whose target is gone.
        case platform::EntryKind::Missing:
            PassOver(entryPath, PassedOverReason::LinkToNothing);
            break;
        case platform::EntryKind::FolderLink:
        case platform::EntryKind::Other:
            break;
        }
    }
    --walkDepth_;
}

void FileList::AddFileOrFolder(const std::string& path)
{
    switch (platform::KindOf(path)) {
    case platform::EntryKind::Folder:
        WalkFolder(path);
        break;
    case platform::EntryKind::File:
        AddFile(path);
        break;
    case platform::EntryKind::Missing:
        PassOver(path, MissingReason(path));
        break;
    case platform::EntryKind::FolderLink:
    case platform::EntryKind::Other:
        PassOver(path, PassedOverReason::NotFileOrFolder);
        break;
    }
}

void FileList::ReadFileNameList(const std::string& path)
{
    const bool read = ForEachFileLine(path, [&](std::string_view line) {
        if (!line.empty())
            AddFileOrFolder(platform::AbsolutePath(std::string(line)));
    });
    if (!read)
        PassOver(path, PassedOverReason::UnreadableNameList);
}

void FileList::EndBatch()
{
    listed_.reset();
    if (!duplicates_.empty()) {
        control_.ShowDuplicates(duplicates_);
        duplicates_.clear();
    }
    if (!refusedNames_.empty()) {
        control_.ShowNamesNotCarried(refusedNames_);
        refusedNames_.clear();
    }
    const std::size_t count = control_.Count();
    if (count > previousCount_ + 1)
        control_.SetRangeSelected(previousCount_, count - 1, true);
    if (count > 0)
        control_.SetRangeSelected(count - 1, count - 1, true);
    previousCount_ = count;
    control_.CountChanged(count);
}

void FileList::RemoveSelected()
{
    listed_.reset();
    std::size_t top = control_.TopIndex();
    widest_ = 0;
    std::size_t firstRemoved = 0;
    for (std::size_t i = control_.Count(); i-- > 0;) {
        if (control_.IsSelected(i)) {
            control_.Delete(i);
            firstRemoved = i;
        } else {
            widest_ = std::max(widest_, control_.TextWidth(control_.Entry(i)));
        }
    }
    const std::size_t count = control_.Count();
    if (count > 0) {
        const std::size_t selected = std::min(firstRemoved, count - 1);
        top = std::min(top, selected);
        control_.SetTopIndex(top);
        control_.SetCaretIndex(selected);
        control_.SetRangeSelected(selected, selected, true);
    }
    previousCount_ = count;
    control_.CountChanged(count);
    control_.SetHorizontalExtent(widest_ + ExtentMargin);
}

void FileList::SelectAll()
{
    if (control_.Count() > 0)
        control_.SetRangeSelected(0, control_.Count() - 1, true);
}

void FileList::DeselectAll()
{
    if (control_.Count() > 0)
        control_.SetRangeSelected(0, control_.Count() - 1, false);
}

void FileList::InvertSelection()
{
    const std::size_t count = control_.Count();
    for (std::size_t first = 0; first < count;) {
        const bool selected = control_.IsSelected(first);
        std::size_t last = first;
        while (last + 1 < count && control_.IsSelected(last + 1) == selected)
            ++last;
        control_.SetRangeSelected(first, last, !selected);
        first = last + 1;
    }
}
