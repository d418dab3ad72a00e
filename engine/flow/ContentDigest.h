#pragma once
#include <cstddef>
#include <cstdint>

// A 64-bit digest of a stream of bytes, fed in pieces of any size: the same bytes give the
// same digest however they are cut. It tells a file the run wrote from one changed since,
// which the stamp alone cannot when a change kept its size and time; a quick hash, not one
// that stands against someone who means to forge it.
class ContentDigest {
public:
    ContentDigest();
    void Add(const char* data, std::size_t size);
    std::uint64_t Value() const;

private:
    void AddStripe(const unsigned char* stripe);

    std::uint64_t lanes_[4];
    unsigned char pending_[32];
    std::size_t pendingSize_ = 0;
    std::uint64_t total_ = 0;
};
