#pragma once
// Conditions under which writing fails, made real for one test on POSIX: a small file
// system of its own that fills up, and running as an ordinary user, whom permission bits
// stop (root passes every permission check).
#include <sys/types.h>

#include <cstdint>
#include <string>

// A tmpfs of `bytes` mounted on a fresh folder, unmounted again at the end; mounting needs
// root and a system that allows it. Why it could not be mounted is in Reason().
class SmallFileSystem {
public:
    explicit SmallFileSystem(std::size_t bytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool IsMounted() const { return mounted_; }
    const std::string& Reason() const { return reason_; }
    std::string operator/(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
    std::string reason_;
    bool mounted_ = false;
};

// While it lives, writing a file beyond `bytes` fails as on a full disk (EFBIG), for any
// user and on any file system.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t previous_;
    void (*previousHandler_)(int);
};

// While it lives, the process's file accesses are those of the user "nobody" when the test
// runs as root; as an ordinary user nothing changes. `folder` is opened to everyone first,
// so that the user can still reach the test's files.
class OrdinaryUser {
public:
    explicit OrdinaryUser(const std::string& folder);
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

private:
    bool switched_ = false;
};

inline constexpr uid_t NobodyId = 65534;
