#pragma once
#include <atomic>
#include <cstddef>
#include <string>

#include "platform/FileReader.h"
#include "platform/FileSystem.h"

namespace platform {

// A regular file's bytes in memory for reading, opened as ReadWholeFile opens it. A larger
// file is mapped, not copied: its text then takes no memory beyond the pages the system
// caches for the file anyway. A small one is read, which is quicker than mapping it. There
// is no byte after the last one.
class FileView {
public:
    // Files of at least this many bytes are mapped.
    static constexpr std::size_t DefaultMapFrom = 256 * 1024;

    FileView() = default;
    ~FileView();
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    ReadStatus Open(const std::string& path, std::size_t mapFrom = DefaultMapFrom);
    // The same for a file already open; the view needs it no longer once this returns.
    ReadStatus Open(const FileReader& file, std::size_t mapFrom = DefaultMapFrom);
    void Close();

    const char* Data() const { return mapped_ ? mapped_ : content_.Data(); }
    std::size_t Size() const { return mapped_ ? mappedSize_ : content_.Size(); }
    bool IsMapped() const { return mapped_ != nullptr; }
    // The file as it was when it was opened.
    const FileStamp& Stamp() const { return content_.Stamp(); }
    // The name the bytes were opened under (see FileContent::ReadPath).
    const std::string& ReadPath() const { return content_.ReadPath(); }

    // Whether bytes of the mapped file went missing while it was mapped, because another
    // program made the file shorter: they read as zeros, instead of stopping the program
    // with a fault, and the text is no longer the file's.
    bool LostBytes() const { return lost_.load(std::memory_order_relaxed); }

private:
    static void Unmap(const char* mapped, std::size_t size);
    // Reads the whole of a file that is not mapped.
    ReadStatus ReadWhole(const FileReader& file);
    // Closes what was open and takes the file's name and stamp; whether the file is to be
    // mapped (otherwise it is read whole).
    bool BeginOpen(const FileReader& file, std::size_t mapFrom);

    FileContent content_;  // a small file's bytes; the stamp and name of every file
    const char* mapped_ = nullptr;
    std::size_t mappedSize_ = 0;
    std::atomic<bool> lost_{false};
};

}  // namespace platform
