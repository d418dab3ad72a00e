#include "tests/support/FileSystemFaults.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

SmallFileSystem::SmallFileSystem(std::size_t bytes)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tarvelox-small-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        reason_ = "no folder to mount on";
        return;
    }
    folder_ = pattern;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::mount("tarvelox-small", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        reason_ = std::string("cannot mount a small file system here: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted_ && ::umount2(folder_.c_str(), MNT_DETACH) != 0)
        ADD_FAILURE() << "cannot unmount " << folder_;
    if (!folder_.empty())
        ::rmdir(folder_.c_str());
}

FileSizeLimit::FileSizeLimit(std::size_t bytes)
{
    // The signal would end the process; the write is to fail instead.
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit;
    ::getrlimit(RLIMIT_FSIZE, &limit);
    previous_ = limit.rlim_cur;
    limit.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ADD_FAILURE() << "cannot limit the size of files";
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit limit;
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previous_;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

OrdinaryUser::OrdinaryUser(const std::string& folder)
{
    if (::geteuid() != 0)
        return;
    ::chmod(folder.c_str(), 0777);
    switched_ = ::setegid(NobodyId) == 0 && ::seteuid(NobodyId) == 0;
    if (!switched_)
        ADD_FAILURE() << "cannot act as an ordinary user: " << std::strerror(errno);
}

OrdinaryUser::~OrdinaryUser()
{
    if (switched_ && (::seteuid(0) != 0 || ::setegid(0) != 0))
        ADD_FAILURE() << "cannot return to root";
}
