#pragma once

// A file to be written, planned as pieces: ranges of a source file that stay as they are, and
// new bytes. Writing the unchanged ranges file to file spares copying them through memory.

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "common/bytes.h"

namespace lf {

class FilePlan {
  public:
    // `size` bytes at `sourceOffset` of the source, or borrowed bytes, or bytes it owns.
    struct Piece {
        bool fromSource = false;
        std::uint64_t sourceOffset = 0;
        std::uint64_t size = 0;
        Bytes owned;
        ByteView borrowed;
    };

    explicit FilePlan(ByteView source) : source_(source) {}

    ByteView Source() const { return source_; }
    std::uint64_t Size() const { return size_; }
    const std::vector<Piece>& Pieces() const { return pieces_; }
    ByteView BytesOf(const Piece& piece) const {
        if (piece.fromSource) return source_.subspan(piece.sourceOffset, piece.size);
        return piece.borrowed.empty() ? ByteView(piece.owned) : piece.borrowed;
    }

    // Bytes that lie inside the source are planned as a range of it; others are copied.
    void Append(ByteView bytes);
    void Append(Bytes&& bytes);
    // The pieces of a plan over the same source.
    void Append(FilePlan&& other);
    // Bytes outside the source that outlive the plan, planned without a copy.
    void AppendBorrowed(ByteView bytes);
    // Zeros up to that size.
    void PadTo(std::uint64_t size);
    // Replaces planned bytes, which must already be there, from that offset on.
    void Overwrite(std::uint64_t offset, ByteView bytes);

    // Calls visit with the planned bytes, in order.
    void ForEachChunk(const std::function<void(ByteView)>& visit) const;
    Bytes Flatten() const;

  private:
    bool InSource(ByteView bytes) const;
    static Piece Part(const Piece& whole, std::uint64_t from, std::uint64_t count);
    std::size_t OwnPart(std::size_t index, std::uint64_t from, std::uint64_t count);

    ByteView source_;
    std::vector<Piece> pieces_;
    std::uint64_t size_ = 0;
};

template <typename T>
void WriteLe(FilePlan& plan, std::uint64_t offset, T value) {
    std::uint8_t bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    plan.Overwrite(offset, bytes);
}

}  // namespace lf
