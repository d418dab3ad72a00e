#pragma once
// A block of memory in another process, for the messages of the common controls that carry
// a pointer the system does not carry across processes (list view, header, status bar).
#include <windows.h>

#include <cstddef>

class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The block's address in the other process, `offset` bytes in.
    void* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size) const;
    bool Read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_;
    void* address_;
};
