#pragma once
// The rules of the file list: which files get in (the extension and duplicate checks,
// folder walks, file-name lists), the step that ends every batch of additions, removal and
// the selection commands. They run the same over the main window's list box and over the
// command line's plain list.
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/ExtensionList.h"
#include "app/FileListControl.h"
#include "app/WalkFilter.h"
#include "platform/Folders.h"

// Why a name the user gave, or one met in a walk, was passed over.
enum class PassedOverReason {
    NotFound,           // names nothing
    NotFileOrFolder,    // a device, a pipe
    UnreadableFolder,   // a folder whose entries cannot be read
    LinkToNothing,      // a link that leads nowhere
    UnreadableNameList, // a file-name list that cannot be read
    NameNotCarried,     // its name holds a character code page 932 lacks (platform::SystemName)
};

// Why `path`, which leads to nothing, is passed over: a link to nothing, or no name at all.
PassedOverReason MissingReason(const std::string& path);

struct PassedOverName {
    std::string Name;
    PassedOverReason Reason;
    bool operator==(const PassedOverName&) const = default;
};

class FileList {
public:
    explicit FileList(FileListControl& control) : control_(control) {}
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    FileListControl& Control() { return control_; }

    void BuildExtensionList(std::string_view text) { extensions_ = ::BuildExtensionList(text); }
    // Off only while a batch is added without the extension check.
    void SetExtensionCheck(bool on) { extensionCheck_ = on; }
    // Whether folder walks enter subfolders.
    void SetSubfolderRule(bool on) { subfolders_ = on; }
    // Whether the extension check applies to files named one by one as well as to those of
    // walked folders (the window's rule); the native command lets a named file in, as sed does.
    void SetNamedFilesChecked(bool on) { namedFilesChecked_ = on; }
    // What walks leave out besides the extension check and the folders of version control;
    // null for nothing more. It must outlive the walks.
    void SetWalkFilter(WalkFilter* filter) { walkFilter_ = filter; }
    // Collects the files walks add, so that the run can tell them from named ones.
    void SetWalkedFiles(std::unordered_set<std::string>* walked) { walked_ = walked; }
    // A folder of the program's own (the undo journal's) that walks never enter, as they
    // never take a run's own files, however their paths spell it; it need not exist yet.
    void SetOwnFolder(std::string folder) { ownFolder_ = std::move(folder); }

    // Appends the path unless the extension check refuses it, silently, or it is listed
    // already, in any letter case (also by this batch), which the end of the batch reports.
    void AddFile(const std::string& path);
    // Adds the folder's files in the file system's order, hidden ones included unless the
    // walk filter leaves them out, entering subfolders depth first when the subfolder rule
    // is on, never the folders of version control systems. A folder that cannot be read
    // adds nothing; a linked folder met inside a walk is not entered, so no link can make a
    // walk go round for ever. A folder that cannot be read and a link that leads nowhere
    // are passed over (PassedOver).
    void WalkFolder(const std::string& path);
    // One name per line, as list files are read: missing names are skipped, folders are
    // walked. A relative line is made absolute against the current directory now, so that
    // a later change of directory cannot make a run rewrite another file than the listed
    // one. A file that cannot be read adds nothing and is passed over, as are lines that
    // name nothing.
    void ReadFileNameList(const std::string& path);
    // A name given by the user: a folder is walked, a file added, anything else passed over.
    void AddFileOrFolder(const std::string& path);

    // A name of the user's that names nothing to add; kept with the others in PassedOver.
    void PassOver(const std::string& name, PassedOverReason reason);
    // A file or folder whose name the program cannot carry: never added, so that no
    // look-alike of it is rewritten, and told at the end of the batch. `readableName` is the
    // form SystemName gives to read.
    void RefuseName(const std::string& readableName);
    // Every name passed over since the list was made, in the order met. The window passes
    // them over without a word; automatic runs tell of them.
    const std::vector<PassedOverName>& PassedOver() const { return passedOver_; }

    // Ends every batch: reports the duplicates and the names refused, selects what the
    // batch added (the last entry when it added nothing) and updates the count.
    void EndBatch();
    // Deletes the selected entries (never the files) and selects the entry that took the
    // place of the first removed one, or the new last entry.
    void RemoveSelected();
    void SelectAll();
    // Reverses every entry's selection, one range of equal state at a time.
    void InvertSelection();
    // Takes every entry out of the selection, as a batch from the user begins.
    void DeselectAll();

    // The files the extension check refused since the list was made: those named one by
    // one (on the command line, in a file-name list), and how many a folder walk met.
    const std::vector<std::string>& NamedFilesLeftOut() const { return namedLeftOut_; }
    // How many entries walks left out for `why`.
    std::size_t WalkEntriesLeftOut(WalkLeftOut why) const { return walkLeftOut_[static_cast<std::size_t>(why)]; }
    // Files of a run's own (MadeBesideOf) that walks met and left out: what a run that was
    // stopped hard left behind, or another run's, which is at work.
    const std::vector<std::string>& MadeByRuns() const { return madeByRuns_; }

private:
    bool IsListed(const std::string& path);
    void Measure(const std::string& path);

    FileListControl& control_;
    ExtensionList extensions_;
    bool extensionCheck_ = true;
    bool subfolders_ = true;
    std::string duplicates_;
    std::string refusedNames_;
    std::vector<std::string> madeByRuns_;
    std::string ownFolder_;
    // Which folder ownFolder_ is, as a walk begins: a run may have made it since.
    std::optional<platform::EntryIdentity> ownIdentity_;
    std::vector<PassedOverName> passedOver_;
    std::size_t previousCount_ = 0;
    int widest_ = 0;
    // The listed paths, folded, gathered once per batch for the duplicate check.
    std::optional<std::unordered_set<std::string>> listed_;
    std::size_t walkDepth_ = 0;
    std::vector<std::string> namedLeftOut_;
    std::size_t walkLeftOut_[WalkLeftOutKinds] = {};
    bool namedFilesChecked_ = true;
    WalkFilter* walkFilter_ = nullptr;
    std::unordered_set<std::string>* walked_ = nullptr;
};
