#pragma once
// The native command end to end: the real program, copied with the regular-expression
// library into a folder of its own (where it keeps its settings), run in a working folder,
// with a folder of undo journals of its own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/engine/support/ExpectedLog.h"
#include "tests/support/TestFiles.h"

using Arguments = std::vector<std::string>;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

constexpr uid_t Nobody = 65534;

class NativeCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        program_ = home_ / "tarvelox";
        std::filesystem::copy_file(TARVELOX_PROGRAM, program_);
        std::filesystem::copy_file(TARVELOX_REGEX_LIBRARY, home_ / "libbregexp.so");
    }

    // Starts the program in the C locale unless told, so that texts are bytes; as an
    // ordinary user, when the test runs as root, whom permission bits stop.
    pid_t Start(const Arguments& arguments, bool ordinaryUser = false, const char* locale = "C",
                const std::string* input = nullptr, const std::string& tag = "")
    {
        const std::string out = home_ / ("stdout" + tag), err = home_ / ("stderr" + tag), in = home_ / "stdin";
        if (input)
            WriteBytes(in, *input);
        // The undo journal lies in a folder of the test's own, one the user can write.
        const std::string state = home_ / (ordinaryUser ? "state-of-a-user" : "state");
        if (ordinaryUser) {
            ::chmod(home_.Path().c_str(), 0755);
            ::chmod(work_.Path().c_str(), 0777);
            ::mkdir(state.c_str(), 0777);
            ::chmod(state.c_str(), 0777);
        }
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(work_.Path().c_str()) != 0 || ::setenv("LC_ALL", locale, 1) != 0 ||
                ::setenv("XDG_STATE_HOME", state.c_str(), 1) != 0)
                ::_exit(100);
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            if (input)
                ::dup2(::open(in.c_str(), O_RDONLY), 0);
            if (ordinaryUser && ::geteuid() == 0 && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
                ::_exit(102);
            std::vector<char*> argv{program_.data()};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(program_.c_str(), argv.data());
            ::_exit(101);
        }
        return child;
    }
    Outcome Wait(pid_t child, const std::string& tag = "")
    {
        int status = -1;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(home_ / ("stdout" + tag)),
                ReadBytes(home_ / ("stderr" + tag))};
    }
    Outcome Run(const Arguments& arguments, const char* locale = "C") { return Wait(Start(arguments, false, locale)); }
    Outcome Filter(const Arguments& arguments, const std::string& input)
    {
        return Wait(Start(arguments, false, "C", &input));
    }
    Outcome RunAsOrdinaryUser(const Arguments& arguments) { return Wait(Start(arguments, true)); }
    std::string Work(const std::string& name) const { return work_ / name; }
    std::string LogLine(const std::string& name, const std::string& column) const
    {
        return ExpectedLogLine(Work(name), column);
    }

    TempFolder home_;
    TempFolder work_;
    std::string program_;
};
