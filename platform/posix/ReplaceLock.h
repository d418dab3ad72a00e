#pragma once
#include <string>

namespace platform {

// Held on the file a replace is about to take the name of, from the check that it is the
// file read until the rename: another run of the program that replaces the same file waits,
// and then finds it replaced, so that each run's report matches what is on disk. A lock
// held for long by another program (flock on the user's file) fails the replace after a
// second rather than stop the run.
class ReplaceLock {
public:
    explicit ReplaceLock(const std::string& path);
    ~ReplaceLock();
    ReplaceLock(const ReplaceLock&) = delete;
    ReplaceLock& operator=(const ReplaceLock&) = delete;

    bool Failed() const { return failed_; }

private:
    int fd_ = -1;
    bool failed_ = false;
};

}  // namespace platform
