#include "engine/flow/PieceListOutput.h"

void PieceListOutput::ListGathered()
{
    if (cursor_ == gathered_)
        return;
    const auto size = static_cast<std::size_t>(cursor_ - gathered_);
    pieces_.push_back({gathered_, size, chunks_.size()});
    listed_ += size;
    gathered_ = cursor_;
}

bool PieceListOutput::WriteOut(const char* data, std::size_t size)
{
    if (size == 0)
        return true;
    if (size >= least_) {
        ListGathered();
        pieces_.push_back({data, size, 0});
        listed_ += size;
        return true;
    }
    if (static_cast<std::size_t>(chunkEnd_ - cursor_) < size) {
        ListGathered();
        chunks_.push_back(platform::NewLargeBlock(ChunkSize));
        gathered_ = cursor_ = chunks_.back().get();
        roomEnd_ = chunkEnd_ = cursor_ + ChunkSize;
    }
    std::memcpy(cursor_, data, size);
    cursor_ += size;
    Room();
    return true;
}

bool PieceListOutput::WriteFrom(std::uint64_t offset, TextOutput& out)
{
    ListGathered();
    const std::vector<Piece> pieces = std::move(pieces_);
    pieces_.clear();
    cursor_ = gathered_ = chunkEnd_ = roomEnd_ = nullptr;
    room_ = 0;
    std::uint64_t at = 0;      // where the piece begins in the text
    std::size_t released = 0;  // the chunks given back, all written
    for (const Piece& piece : pieces) {
        // The chunks before this piece's hold nothing still to write: given back now, while
        // the writing of a large text waits for the file, rather than all at its end.
        for (; piece.Chunk > released + 1; ++released)
            chunks_[released].reset();
        if (at + piece.Size > offset) {
            const std::size_t skipped = offset > at ? static_cast<std::size_t>(offset - at) : 0;
            if (!out.Write(piece.Data + skipped, piece.Size - skipped))
                return false;
        }
        at += piece.Size;
    }
    chunks_.clear();
    return true;
}
