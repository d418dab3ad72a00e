#pragma once
// Text placed right against an inaccessible page, so that a read past its end (or, placed
// at the start, before its start) faults even inside code the sanitizers do not see,
// such as Oniguruma. POSIX only.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string_view>

class GuardedText {
public:
    static constexpr std::size_t Capacity = 4096;

    GuardedText()
    {
        page_ = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t usable = (Capacity + page_ - 1) / page_ * page_;
        size_ = usable + 2 * page_;
        base_ = static_cast<char*>(::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        ::mprotect(base_, page_, PROT_NONE);
        ::mprotect(base_ + page_ + usable, page_, PROT_NONE);
        end_ = base_ + page_ + usable;
    }
    ~GuardedText() { ::munmap(base_, size_); }
    GuardedText(const GuardedText&) = delete;
    GuardedText& operator=(const GuardedText&) = delete;

    // Places `text` (at most Capacity bytes) so that it ends at the guard page; returns its start.
    const char* Place(std::string_view text)
    {
        char* start = end_ - text.size();
        std::memcpy(start, text.data(), text.size());
        return start;
    }
    const char* End() const { return end_; }
    // A text at the very start of the usable pages, right after the first guard page.
    const char* PlaceAtStart(std::string_view text)
    {
        char* start = base_ + page_;
        std::memcpy(start, text.data(), text.size());
        return start;
    }

private:
    std::size_t page_ = 0;
    std::size_t size_ = 0;
    char* base_ = nullptr;
    char* end_ = nullptr;
};
