#include "engine/flow/ContentDigest.h"

#include <cstring>

namespace {

// Four lanes of 64-bit multiply and rotate over stripes of 32 bytes, the constants those
// hashes commonly take: a few bytes a cycle, so that it costs a rewrite next to nothing.
constexpr std::uint64_t Prime1 = 0x9E3779B185EBCA87u;
constexpr std::uint64_t Prime2 = 0xC2B2AE3D27D4EB4Fu;
constexpr std::uint64_t Prime3 = 0x165667B19E3779F9u;
constexpr std::uint64_t Prime4 = 0x85EBCA77C2B2AE63u;
constexpr std::uint64_t Prime5 = 0x27D4EB2F165667C5u;

std::uint64_t RotateLeft(std::uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

std::uint64_t Word(const unsigned char* bytes)
{
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i)
        word = (word << 8) | bytes[i];
    return word;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t input)
{
    return RotateLeft(lane + input * Prime2, 31) * Prime1;
}

std::uint64_t Merge(std::uint64_t hash, std::uint64_t lane)
{
    return (hash ^ Round(0, lane)) * Prime1 + Prime4;
}

}  // namespace

ContentDigest::ContentDigest() : lanes_{Prime1 + Prime2, Prime2, 0, 0 - Prime1}
{
}

void ContentDigest::AddStripe(const unsigned char* stripe)
{
    for (int lane = 0; lane < 4; ++lane)
        lanes_[lane] = Round(lanes_[lane], Word(stripe + 8 * lane));
}

void ContentDigest::Add(const char* data, std::size_t size)
{
    auto bytes = reinterpret_cast<const unsigned char*>(data);
    total_ += size;
    if (pendingSize_ > 0) {
        const std::size_t taken = size < sizeof pending_ - pendingSize_ ? size : sizeof pending_ - pendingSize_;
        std::memcpy(pending_ + pendingSize_, bytes, taken);
        pendingSize_ += taken;
        bytes += taken;
        size -= taken;
        if (pendingSize_ < sizeof pending_)
            return;
        AddStripe(pending_);
        pendingSize_ = 0;
    }
    for (; size >= sizeof pending_; bytes += sizeof pending_, size -= sizeof pending_)
        AddStripe(bytes);
    std::memcpy(pending_, bytes, size);
    pendingSize_ = size;
}

std::uint64_t ContentDigest::Value() const
{
    std::uint64_t hash;
    if (total_ >= sizeof pending_) {
        hash = RotateLeft(lanes_[0], 1) + RotateLeft(lanes_[1], 7) + RotateLeft(lanes_[2], 12) +
               RotateLeft(lanes_[3], 18);
        for (const std::uint64_t lane : lanes_)
            hash = Merge(hash, lane);
    } else {
        hash = Prime5;
    }
    hash += total_;
    std::size_t at = 0;
    for (; at + 8 <= pendingSize_; at += 8)
        hash = RotateLeft(hash ^ Round(0, Word(pending_ + at)), 27) * Prime1 + Prime4;
    for (; at < pendingSize_; ++at)
        hash = RotateLeft(hash ^ (pending_[at] * Prime5), 11) * Prime1;
    hash ^= hash >> 33;
    hash *= Prime2;
    hash ^= hash >> 29;
    hash *= Prime3;
    hash ^= hash >> 32;
    return hash;
}
