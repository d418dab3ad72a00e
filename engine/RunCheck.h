#pragma once
#include "engine/ReplaceJob.h"

// Why a job must not run at all. Checked before anything is touched; each program words
// the reason for its user.
enum class RunRefusal {
    None,
    // A pattern of the run is a regular expression, and the library is not loaded.
    NoRegexLibrary,
};

// The first reason the job cannot be carried out, or None.
RunRefusal CheckRun(const ReplaceJob& job);
