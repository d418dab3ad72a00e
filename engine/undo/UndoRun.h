// undo/: the journal that keeps the originals of the files a run puts in place, the runs it
// keeps, the check that a run's originals fit before it starts, and the undo that puts them
// back.
#pragma once
#include <cstddef>
#include <string>

#include "engine/flow/AbortFlag.h"
#include "engine/undo/RunFolder.h"
#include "engine/undo/UndoLog.h"

// One file of an undo, as soon as its result is known, in the order of the files' paths.
struct UndoReport {
    std::size_t Index;
    const std::string& Path;
    UndoResult Result;
};

// What an undo tells while it works, from one thread at a time, in the order of the paths.
class UndoObserver {
public:
    virtual ~UndoObserver() = default;
    // `done` of the run's `count` files are done.
    virtual void OnProgress(std::size_t /*done*/, std::size_t /*count*/) {}
    virtual void OnFileUndone(const UndoReport& /*file*/) {}
};

struct UndoJob {
    RunFolder Run;
    // Tells what an undo would do, touching nothing.
    bool Preview = false;
    // Files worked on at once, as a run's workers (0: as many as a run would have).
    int Workers = 0;
    AbortFlag AbortRequested{false};
};

enum class UndoOutcome {
    // Every file of the run was taken.
    Completed,
    // Stopped: the files after the stop are as they were, and a next undo takes them.
    Aborted,
    // The run is being written, or another undo of it works: nothing was done.
    InUse,
    // No run's journal is there, or it cannot be written: nothing was done.
    NotARun,
};

// Takes back the run's files: each one that is still exactly what the run wrote (its
// identity and stamp, and its content) gets its original back, in one step, with the
// original's content, bits, owner and attributes; every other file is left as it is and
// reported. Files the run did not get to put in place (a run killed before their rename)
// are not touched and not reported. What was restored is noted, so that an undo that is
// stopped, even killed, is taken up by the next one.
UndoOutcome UndoRun(const UndoJob& job, UndoObserver& observer);

// The same undo with its results written into `log`, which it resets: one line per file,
// then the totals, also after a stop.
UndoOutcome UndoRun(const UndoJob& job, UndoLog& log, UndoObserver& observer);
