#include "common/file_plan.h"

#include <algorithm>
#include <functional>

namespace lf {

bool FilePlan::InSource(ByteView bytes) const {
    const std::less_equal<const std::uint8_t*> notAfter;
    return !source_.empty() && notAfter(source_.data(), bytes.data()) &&
           notAfter(bytes.data() + bytes.size(), source_.data() + source_.size());
}

void FilePlan::Append(ByteView bytes) {
    if (bytes.empty()) return;
    size_ += bytes.size();
    if (InSource(bytes)) {
        const auto offset = static_cast<std::uint64_t>(bytes.data() - source_.data());
        if (!pieces_.empty() && pieces_.back().fromSource &&
            pieces_.back().sourceOffset + pieces_.back().size == offset) {
            pieces_.back().size += bytes.size();
        } else {
            pieces_.push_back({true, offset, bytes.size(), {}, {}});
        }
        return;
    }
    if (pieces_.empty() || pieces_.back().fromSource || !pieces_.back().borrowed.empty()) {
        pieces_.push_back({});
    }
    Piece& last = pieces_.back();
    last.owned.insert(last.owned.end(), bytes.begin(), bytes.end());
    last.size = last.owned.size();
}

void FilePlan::Append(Bytes&& bytes) {
    if (bytes.empty()) return;
    size_ += bytes.size();
    const std::uint64_t size = bytes.size();
    pieces_.push_back({false, 0, size, std::move(bytes), {}});
}

void FilePlan::Append(FilePlan&& other) {
    for (Piece& piece : other.pieces_) {
        size_ += piece.size;
        pieces_.push_back(std::move(piece));
    }
    other.pieces_.clear();
    other.size_ = 0;
}

void FilePlan::AppendBorrowed(ByteView bytes) {
    if (InSource(bytes) || bytes.empty()) return Append(bytes);
    size_ += bytes.size();
    pieces_.push_back({false, 0, bytes.size(), {}, bytes});
}

void FilePlan::PadTo(std::uint64_t size) {
    if (size > size_) Append(Bytes(size - size_, 0));
}

FilePlan::Piece FilePlan::Part(const Piece& whole, std::uint64_t from, std::uint64_t count) {
    if (whole.fromSource) return {true, whole.sourceOffset + from, count, {}, {}};
    return {false, 0, count, {}, whole.borrowed.subspan(from, count)};
}

// Splits a piece that does not own its bytes so that `count` bytes from `from` on become owned;
// returns the index of the owned piece.
std::size_t FilePlan::OwnPart(std::size_t index, std::uint64_t from, std::uint64_t count) {
    const Piece whole = pieces_[index];
    std::vector<Piece> parts;
    if (from > 0) parts.push_back(Part(whole, 0, from));
    const ByteView middle = BytesOf(whole).subspan(from, count);
    parts.push_back({false, 0, count, Bytes(middle.begin(), middle.end()), {}});
    if (from + count < whole.size) {
        parts.push_back(Part(whole, from + count, whole.size - from - count));
    }
    const auto at = pieces_.begin() + static_cast<std::ptrdiff_t>(index);
    pieces_.insert(pieces_.erase(at), parts.begin(), parts.end());
    return index + (from > 0 ? 1 : 0);
}

void FilePlan::Overwrite(std::uint64_t offset, ByteView bytes) {
    std::uint64_t start = 0;
    for (std::size_t i = 0; i < pieces_.size() && !bytes.empty(); ++i) {
        const std::uint64_t end = start + pieces_[i].size;
        if (offset >= end) {
            start = end;
            continue;
        }
        std::uint64_t within = offset - start;
        const std::uint64_t count = std::min<std::uint64_t>(bytes.size(), end - offset);
        if (pieces_[i].fromSource || !pieces_[i].borrowed.empty()) {
            i = OwnPart(i, within, count);
            start = offset;
            within = 0;
        }
        std::copy_n(bytes.begin(), count,
                    pieces_[i].owned.begin() + static_cast<std::ptrdiff_t>(within));
        bytes = bytes.subspan(count);
        offset += count;
        start += pieces_[i].size;
    }
}

void FilePlan::ForEachChunk(const std::function<void(ByteView)>& visit) const {
    for (const Piece& piece : pieces_) visit(BytesOf(piece));
}

Bytes FilePlan::Flatten() const {
    Bytes out;
    out.reserve(size_);
    ForEachChunk([&](ByteView chunk) { out.insert(out.end(), chunk.begin(), chunk.end()); });
    return out;
}

}  // namespace lf
