#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/flow/TextOutput.h"
#include "platform/LargeBlock.h"

// Keeps a text as the list of its pieces, to be written elsewhere later: a piece of `least`
// bytes or more is pointed at where it is, and must stay there; shorter ones are gathered
// in memory of its own, and so is whatever is written in words (RoomFor), up to the end of
// the memory gathered in. A new text that is mostly the old one so takes little memory.
// Throws std::bad_alloc when it cannot have memory.
class PieceListOutput final : public TextOutput {
public:
    explicit PieceListOutput(std::size_t least = 64) : least_(least) {}

    // The bytes written so far.
    std::uint64_t Size() const { return listed_ + static_cast<std::uint64_t>(cursor_ - gathered_); }
    // Writes the text from `offset` on to `out`: false when `out` refused it. Once only: the
    // memory gathered in is given back as its pieces are written.
    bool WriteFrom(std::uint64_t offset, TextOutput& out);

private:
    struct Piece {
        const char* Data;
        std::size_t Size;
        std::size_t Chunk;  // 1 + the index of the chunk it was gathered in; 0 pointed at
    };

    bool WriteOut(const char* data, std::size_t size) override;
    // The pieces gathered since the last one listed become one.
    void ListGathered();
    void Room() { room_ = std::min(least_, static_cast<std::size_t>(chunkEnd_ - cursor_)); }

    static constexpr std::size_t ChunkSize = 2 << 20;

    const std::size_t least_;
    std::vector<Piece> pieces_;
    std::vector<platform::LargeBlock> chunks_;
    char* gathered_ = nullptr;  // where the bytes gathered and not yet listed begin
    char* chunkEnd_ = nullptr;
    std::uint64_t listed_ = 0;  // the bytes in pieces_
};
