#pragma once
#include <string>

#include "engine/rewrite/ReplaceJob.h"

// Why a job must not run at all. Checked before anything is touched; each program words
// the reason for its user.
enum class RunRefusal {
    None,
    // A full-automatic run, and its replace list was not found, could not be read or holds
    // no pattern: the run would apply nothing and still touch every file.
    ReplaceListNotFound,
    ReplaceListUnreadable,
    ReplaceListEmpty,
    // A pattern of the run is a regular expression, and the library is not loaded.
    NoRegexLibrary,
    // The library does not accept a regular expression of the run.
    RejectedExpression,
};

struct RunCheck {
    RunRefusal Refusal = RunRefusal::None;
    // With RejectedExpression: the find text, and the library's own words about it.
    std::string Expression;
    std::string LibraryMessage;

    bool Refused() const { return Refusal != RunRefusal::None; }
};

// The first reason the job cannot be carried out, if any. Each regular expression of the
// run is compiled once by the library, as the run would give it.
RunCheck CheckRun(const ReplaceJob& job);
