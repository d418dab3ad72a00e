#pragma once
// A run with its journal, and undos of it, in a fresh folder that holds the files and the
// folder of runs alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/undo/KeptRuns.h"
#include "engine/undo/RunJournal.h"
#include "engine/undo/UndoRun.h"
#include "tests/engine/support/RunInFolder.h"

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
