#pragma once
// A run with its journal, and undos of it, in a fresh folder that holds the files and the
// folder of runs alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include "engine/undo/KeptRuns.h"
#include "engine/undo/RunJournal.h"
#include "engine/undo/UndoRun.h"
#include "tests/engine/support/RunInFolder.h"

// The modification time of a file exactly as the system keeps it, to be put back after the
// file was written (the standard library's may round it).
class WriteTime {
public:
    explicit WriteTime(const std::string& path)
    {
#ifdef _WIN32
        HANDLE file = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_TRUE(file != INVALID_HANDLE_VALUE && ::GetFileTime(file, nullptr, nullptr, &time_)) << path;
        ::CloseHandle(file);
#else
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        time_ = info.st_mtim;
#endif
    }
    void PutBack(const std::string& path) const
    {
#ifdef _WIN32
        HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_TRUE(file != INVALID_HANDLE_VALUE && ::SetFileTime(file, nullptr, nullptr, &time_)) << path;
        ::CloseHandle(file);
#else
        const struct timespec times[2] = {{0, UTIME_OMIT}, time_};
        EXPECT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
#endif
    }

private:
#ifdef _WIN32
    FILETIME time_{};
#else
    struct timespec time_ {};
#endif
};

// Each file of an undo as "name=Word", the name relative to `folder`; the undo can be
// stopped once a number of files are done.
class RecordingUndo final : public UndoObserver {
public:
    RecordingUndo(const std::string& folder, AbortFlag* stop = nullptr, std::size_t stopAfter = 0)
        : folder_(folder), stop_(stop), stopAfter_(stopAfter)
    {
    }
    void OnFileUndone(const UndoReport& file) override
    {
        const std::string word = UndoWord(file.Result);
        files.push_back(file.Path.substr(folder_.size() + 1) + "=" + word.substr(word.find_first_not_of(' ')));
        if (stop_ && files.size() == stopAfter_)
            *stop_ = true;
    }
    std::vector<std::string> files;

private:
    std::string folder_;
    AbortFlag* stop_;
    std::size_t stopAfter_;
};

class UndoTest : public RunInFolderTest {
protected:
    std::string Runs() const { return folder / "runs"; }

    // Runs the job with a journal kept in `runs`; the run's folder.
    RunFolder RunWithJournal(std::string runs = std::string())
    {
        if (runs.empty())
            runs = Runs();
        RunJournal journal;
        EXPECT_TRUE(journal.Open(runs, {folder.Path(), "old -> new"}));
        job.Commits = &journal;
        Run();
        job.Commits = nullptr;
        journal.Close(true);
        return RunFolder(runs, journal.Id());
    }

    // An undo of `run`: its outcome, each file as RecordingUndo has it.
    std::vector<std::string> Undo(const RunFolder& run, bool preview = false, std::size_t stopAfter = 0)
    {
        UndoJob undo;
        undo.Run = run;
        undo.Preview = preview;
        undo.Workers = 3;
        RecordingUndo recording(folder.Path(), &undo.AbortRequested, stopAfter);
        outcome = UndoRun(undo, undoLog, recording);
        return recording.files;
    }

    UndoLog undoLog;
    UndoOutcome outcome = UndoOutcome::NotARun;
};
