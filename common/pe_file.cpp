#include "common/pe_file.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "common/byte_order.h"

namespace lf {
namespace {

constexpr std::size_t kDosHeaderSize = 0x40;
constexpr std::size_t kPeHeaderOffsetField = 0x3C;
constexpr std::size_t kSignatureSize = 4;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionCountField = 2;
constexpr std::size_t kSymbolTableField = 8;
constexpr std::size_t kOptionalHeaderSizeField = 16;

// Fields the optional header of both widths has at the same place.
constexpr std::size_t kInitializedDataField = 8;
constexpr std::size_t kEntryPointField = 16;
constexpr std::size_t kSectionAlignmentField = 32;
constexpr std::size_t kFileAlignmentField = 36;
constexpr std::size_t kImageSizeField = 56;
constexpr std::size_t kHeadersSizeField = 60;
constexpr std::size_t kChecksumField = 64;
constexpr std::size_t kDirectoryEntrySize = 8;

// Where the two widths differ: the 64-bit header has no BaseOfData, an 8-byte ImageBase and
// 8-byte stack and heap sizes, which push the data directories 16 bytes further. Addresses
// (RVAs) and sizes of the image stay 32 bits in both.
struct OptionalHeaderKind {
    std::uint16_t magic;
    std::size_t directoryCountField;
    std::size_t directoriesField;
};
constexpr OptionalHeaderKind kPe32{0x10B, 92, 96};
constexpr OptionalHeaderKind kPe32Plus{0x20B, 108, 112};

constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kVirtualSizeField = 8;
constexpr std::size_t kAddressField = 12;
constexpr std::size_t kRawSizeField = 16;
constexpr std::size_t kRawPointerField = 20;
constexpr std::size_t kCharacteristicsField = 36;

constexpr std::size_t kResourceDirectory = 2;
constexpr std::size_t kCertificateDirectory = 4;  // holds a file offset, not an address
constexpr std::size_t kRelocationDirectory = 5;

constexpr std::uint32_t kInitializedData = 0x00000040;
constexpr std::uint32_t kReadable = 0x40000000;
constexpr std::uint64_t kMaxFileAlignment = 0x10000;
constexpr std::uint64_t kMax32 = 0xFFFFFFFF;

// Wider than the file's fields so that a new layout can be checked before it is written.
struct Section {
    std::uint64_t virtualSize = 0;
    std::uint64_t address = 0;
    std::uint64_t rawSize = 0;
    std::uint64_t rawPointer = 0;
    std::uint32_t characteristics = 0;

    // A section without a virtual size spans its file data, as the loader sees it.
    std::uint64_t VirtualEnd() const {
        return address + (virtualSize != 0 ? virtualSize : rawSize);
    }
    std::uint64_t RawEnd() const { return rawPointer + rawSize; }
    std::uint64_t FileBackedSize() const { return std::min(rawSize, VirtualEnd() - address); }
    bool Overlaps(std::uint64_t start, std::uint64_t size) const {
        return start < VirtualEnd() && start + std::max<std::uint64_t>(size, 1) > address;
    }
};

struct Directory {
    std::uint32_t address = 0;
    std::uint32_t size = 0;
};

struct PeLayout {
    std::uint64_t coffHeader = 0;
    std::uint64_t optionalHeader = 0;
    std::uint64_t sectionTable = 0;
    OptionalHeaderKind kind = kPe32;
    std::uint64_t sectionAlignment = 0;
    std::uint64_t fileAlignment = 0;
    std::uint64_t headersSize = 0;
    std::uint32_t entryPoint = 0;
    std::vector<Directory> directories;
    std::vector<Section> sections;

    Directory DirectoryOf(std::size_t index) const {
        return index < directories.size() ? directories[index] : Directory{};
    }
    std::uint64_t DirectoryEntryAt(std::size_t index) const {
        return optionalHeader + kind.directoriesField + index * kDirectoryEntrySize;
    }
    std::uint64_t SectionHeaderAt(std::size_t index) const {
        return sectionTable + index * kSectionHeaderSize;
    }
    // Where the headers and the sections' data end in the file; anything after is appended data.
    std::uint64_t RawEnd() const {
        std::uint64_t end = std::max(headersSize, SectionHeaderAt(sections.size()));
        for (const Section& s : sections) {
            if (s.rawSize != 0) end = std::max(end, s.RawEnd());
        }
        return end;
    }
};

std::unexpected<Error> Bad(const std::string& what) {
    return Fail(Error::Kind::Malformed, "malformed Windows executable: " + what);
}

std::unexpected<Error> Refuse(const std::string& what) {
    return Fail(Error::Kind::Unsupported, "cannot rewrite this Windows executable safely: " + what);
}

bool IsPowerOfTwo(std::uint64_t value) { return value != 0 && (value & (value - 1)) == 0; }

Result<PeLayout> ReadHeaders(ByteView file) {
    if (!IsPeFile(file)) return Fail(Error::Kind::Unsupported, "not a Windows executable");
    if (file.size() < kDosHeaderSize) return Bad("the MS-DOS header is cut short");
    const std::uint64_t signature = ReadLe<std::uint32_t>(file, kPeHeaderOffsetField);
    if (!InBounds(signature, kSignatureSize + kCoffHeaderSize, file.size())) {
        return Bad("the file header is cut short");
    }
    if (std::memcmp(file.data() + signature, "PE\0\0", kSignatureSize) != 0) {
        return Bad("no PE signature (an MS-DOS program?)");
    }
    PeLayout layout;
    layout.coffHeader = signature + kSignatureSize;
    layout.optionalHeader = layout.coffHeader + kCoffHeaderSize;
    const std::uint16_t optionalSize =
        ReadLe<std::uint16_t>(file, layout.coffHeader + kOptionalHeaderSizeField);
    if (!InBounds(layout.optionalHeader, optionalSize, file.size()) || optionalSize < 2) {
        return Bad("the optional header is cut short");
    }
    const auto magic = ReadLe<std::uint16_t>(file, layout.optionalHeader);
    if (magic == kPe32Plus.magic) {
        layout.kind = kPe32Plus;
    } else if (magic != kPe32.magic) {
        return Bad("unknown optional header");
    }
    if (optionalSize < layout.kind.directoriesField) return Bad("the optional header is cut short");
    layout.sectionTable = layout.optionalHeader + optionalSize;
    return layout;
}

Result<void> ReadOptionalHeader(ByteView file, PeLayout& layout) {
    const std::uint64_t opt = layout.optionalHeader;
    layout.sectionAlignment = ReadLe<std::uint32_t>(file, opt + kSectionAlignmentField);
    layout.fileAlignment = ReadLe<std::uint32_t>(file, opt + kFileAlignmentField);
    layout.headersSize = ReadLe<std::uint32_t>(file, opt + kHeadersSizeField);
    layout.entryPoint = ReadLe<std::uint32_t>(file, opt + kEntryPointField);
    if (!IsPowerOfTwo(layout.sectionAlignment) || !IsPowerOfTwo(layout.fileAlignment) ||
        layout.fileAlignment > kMaxFileAlignment ||
        layout.fileAlignment > layout.sectionAlignment) {
        return Bad("unusable section or file alignment");
    }
    const std::uint64_t count = ReadLe<std::uint32_t>(file, opt + layout.kind.directoryCountField);
    if (layout.DirectoryEntryAt(count) > layout.sectionTable) {
        return Bad("the data directories run past the end of the optional header");
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = layout.DirectoryEntryAt(i);
        layout.directories.push_back(
            {ReadLe<std::uint32_t>(file, at), ReadLe<std::uint32_t>(file, at + 4)});
    }
    return {};
}

Result<void> ReadSections(ByteView file, PeLayout& layout) {
    const std::uint64_t count = ReadLe<std::uint16_t>(file, layout.coffHeader + kSectionCountField);
    if (!InBounds(layout.sectionTable, count * kSectionHeaderSize, file.size())) {
        return Bad("the section table runs past the end of the file");
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = layout.SectionHeaderAt(i);
        Section s{ReadLe<std::uint32_t>(file, at + kVirtualSizeField),
                  ReadLe<std::uint32_t>(file, at + kAddressField),
                  ReadLe<std::uint32_t>(file, at + kRawSizeField),
                  ReadLe<std::uint32_t>(file, at + kRawPointerField),
                  ReadLe<std::uint32_t>(file, at + kCharacteristicsField)};
        if (s.rawSize != 0 && !InBounds(s.rawPointer, s.rawSize, file.size())) {
            return Bad("the data of section " + std::to_string(i + 1) +
                       " runs past the end of the file");
        }
        if (s.VirtualEnd() > kMax32) {
            return Bad("section " + std::to_string(i + 1) + " ends beyond 4 GiB");
        }
        layout.sections.push_back(s);
    }
    return {};
}

Result<PeLayout> ReadLayout(ByteView file) {
    auto layout = ReadHeaders(file);
    if (!layout) return layout;
    if (auto ok = ReadOptionalHeader(file, *layout); !ok) return std::unexpected(ok.error());
    if (auto ok = ReadSections(file, *layout); !ok) return std::unexpected(ok.error());
    return layout;
}

// The section that holds the resource directory; none when the executable has no resources.
Result<std::optional<std::size_t>> ResourceSection(const PeLayout& layout) {
    const Directory directory = layout.DirectoryOf(kResourceDirectory);
    if (directory.address == 0) return std::nullopt;
    for (std::size_t i = 0; i < layout.sections.size(); ++i) {
        if (layout.sections[i].Overlaps(directory.address, 1)) return i;
    }
    return Bad("the resource directory lies in no section");
}

// ---- rewriting ----------------------------------------------------------------------------

// Sections must follow each other in memory and in the file, as linkers lay them out;
// anything else (often a packed program) could not be moved or grown safely.
Result<void> CheckRewritable(ByteView file, const PeLayout& layout) {
    if (layout.sections.empty()) return Refuse("it has no sections");
    if (layout.directories.size() <= kResourceDirectory)
        return Refuse("it has no resource directory");
    if (layout.headersSize > file.size()) return Bad("the headers run past the end of the file");
    const Section* previousWithData = nullptr;
    const std::size_t count = layout.sections.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Section& s = layout.sections[i];
        if (s.address < layout.headersSize) {
            return Refuse("a section overlaps the headers in memory");
        }
        if (i > 0 &&
            s.address < AlignUp(layout.sections[i - 1].VirtualEnd(), layout.sectionAlignment)) {
            return Refuse("its sections overlap or are out of order in memory");
        }
        if (s.rawSize == 0) continue;
        if (s.rawPointer < std::max(layout.headersSize, layout.SectionHeaderAt(count))) {
            return Refuse("a section's data overlaps the headers");
        }
        if (s.rawPointer % layout.fileAlignment != 0) {
            return Refuse("a section's data is not aligned in the file");
        }
        if (previousWithData != nullptr && s.rawPointer < previousWithData->RawEnd()) {
            return Refuse("its sections overlap or are out of order in the file");
        }
        previousWithData = &s;
    }
    const Directory signature = layout.DirectoryOf(kCertificateDirectory);
    if (signature.size != 0 && (signature.address < layout.RawEnd() ||
                                !InBounds(signature.address, signature.size, file.size()))) {
        return Bad("the signature lies outside the data appended after the sections");
    }
    return {};
}

// True when the section starts with that directory's data and holds nothing else the program
// uses: no other directory and not the entry point.
bool HoldsOnly(const PeLayout& layout, std::size_t index, std::size_t directory) {
    const Section& s = layout.sections[index];
    if (layout.DirectoryOf(directory).address != s.address) return false;
    if (layout.entryPoint != 0 && s.Overlaps(layout.entryPoint, 1)) return false;
    for (std::size_t d = 0; d < layout.directories.size(); ++d) {
        const Directory& other = layout.directories[d];
        if (d != directory && d != kCertificateDirectory && other.address != 0 &&
            s.Overlaps(other.address, other.size)) {
            return false;
        }
    }
    return true;
}

// A new section header needs 40 unused bytes between the section table and the first data.
bool HasRoomForSectionHeader(ByteView file, const PeLayout& layout) {
    std::uint64_t limit = std::min<std::uint64_t>(layout.headersSize, file.size());
    for (const Section& s : layout.sections) {
        if (s.rawSize != 0) limit = std::min(limit, s.rawPointer);
    }
    const std::uint64_t slot = layout.SectionHeaderAt(layout.sections.size());
    if (layout.sections.size() >= 0xFFFF || slot + kSectionHeaderSize > limit) return false;
    return std::ranges::all_of(file.subspan(slot, kSectionHeaderSize),
                               [](std::uint8_t b) { return b == 0; });
}

// The sum the loader checks for drivers and system files, over the image with its checksum
// field set to zero: 16-bit words, which may straddle two pieces of the plan.
std::uint32_t Checksum(const FilePlan& image) {
    std::uint64_t sum = 0;
    const auto add = [&](std::uint32_t word) {
        sum += word;
        sum = (sum & 0xFFFF) + (sum >> 16);
    };
    std::optional<std::uint8_t> low;
    image.ForEachChunk([&](ByteView chunk) {
        std::size_t i = 0;
        if (low && !chunk.empty()) {
            add(*low | std::uint32_t{chunk[0]} << 8);
            low.reset();
            i = 1;
        }
        for (; i + 1 < chunk.size(); i += 2) add(chunk[i] | std::uint32_t{chunk[i + 1]} << 8);
        if (i < chunk.size()) low = chunk[i];
    });
    if (low) add(*low);
    return static_cast<std::uint32_t>(sum + image.Size());
}

class PeRewriter {
  public:
    PeRewriter(ByteView file, PeLayout layout)
        : file_(file), layout_(std::move(layout)), sections_(layout_.sections), out_(file) {}

    Result<FilePlan> Rewrite(std::vector<ResourceEntry> resources) {
        if (auto ok = CheckRewritable(file_, layout_); !ok) return std::unexpected(ok.error());
        auto found = ResourceSection(layout_);
        if (!found) return std::unexpected(found.error());
        const std::optional<std::size_t> index = *found;
        if (index && !HoldsOnly(layout_, *index, kResourceDirectory)) {
            return Refuse("its resource section holds other data too (is it packed?)");
        }
        if (index && sections_[*index].rawSize == 0) {
            return Refuse("its resources are not in the file (is it packed?)");
        }
        if (index && OnlyRelocationsFollow(*index)) {
            GrowInPlace(*index, PlanResourceTree(std::move(resources), Address(*index), file_));
            return Finish(*index);
        }
        if (index) {
            FilePlan tree = PlanResourceTree(resources, Address(*index), file_);
            if (FitsInPlace(*index, tree.Size())) {
                ReuseInPlace(*index, std::move(tree));
                return Finish(*index);
            }
        }
        if (!HasRoomForSectionHeader(file_, layout_)) {
            return Refuse("there is no room for another section header");
        }
        AppendSection(index, std::move(resources));
        return Finish(sections_.size() - 1);
    }

  private:
    std::uint32_t Address(std::size_t index) const {
        return static_cast<std::uint32_t>(sections_[index].address);
    }

    bool OnlyRelocationsFollow(std::size_t index) const {
        const std::size_t after = sections_.size() - index - 1;
        return after == 0 || (after == 1 && HoldsOnly(layout_, index + 1, kRelocationDirectory));
    }

    bool FitsInPlace(std::size_t index, std::uint64_t size) const {
        const Section& s = sections_[index];
        return size <= s.rawSize && s.address + size <= sections_[index + 1].address;
    }

    // The file's bytes up to end; the headers, which change, as new bytes.
    void StartWithFileUpTo(std::uint64_t end) {
        const std::uint64_t headers = std::min(end, layout_.headersSize);
        out_.Append(Bytes(file_.begin(), file_.begin() + static_cast<std::ptrdiff_t>(headers)));
        out_.Append(file_.subspan(headers, end - headers));
    }

    // The resource section takes the new tree where it stands; the relocations after it move.
    void GrowInPlace(std::size_t index, FilePlan tree) {
        StartWithFileUpTo(RawPointer(index));
        sections_[index].virtualSize = tree.Size();
        std::vector<FilePlan> contents;
        contents.push_back(std::move(tree));
        for (std::size_t i = index + 1; i < sections_.size(); ++i) {
            contents.emplace_back(file_).Append(file_.subspan(RawPointer(i), sections_[i].rawSize));
        }
        LayOut(index, std::move(contents));
    }

    void ReuseInPlace(std::size_t index, FilePlan tree) {
        Section& s = sections_[index];
        StartWithFileUpTo(s.rawPointer);
        s.virtualSize = tree.Size();
        out_.Append(std::move(tree));
        out_.PadTo(s.RawEnd());
        out_.Append(file_.subspan(s.RawEnd(), layout_.RawEnd() - s.RawEnd()));
    }

    // The old section keeps its place, since the sections after it keep their addresses, but not
    // its bytes: an outdated copy of the resources would only mislead.
    void AppendSection(std::optional<std::size_t> old, std::vector<ResourceEntry> resources) {
        StartWithFileUpTo(layout_.RawEnd());
        if (old) out_.Overwrite(RawPointer(*old), Bytes(sections_[*old].rawSize, 0));
        Section added;
        added.address = AlignUp(sections_.back().VirtualEnd(), layout_.sectionAlignment);
        added.characteristics = kInitializedData | kReadable;
        FilePlan tree = PlanResourceTree(std::move(resources),
                                         static_cast<std::uint32_t>(added.address), file_);
        added.virtualSize = tree.Size();
        sections_.push_back(added);
        std::vector<FilePlan> contents;
        contents.push_back(std::move(tree));
        LayOut(sections_.size() - 1, std::move(contents));
    }

    std::uint64_t RawPointer(std::size_t index) const { return sections_[index].rawPointer; }

    // Places the sections from `first` on one after the other, in memory and in the file.
    void LayOut(std::size_t first, std::vector<FilePlan> contents) {
        for (std::size_t k = 0; k < contents.size(); ++k) {
            Section& s = sections_[first + k];
            if (k > 0) {
                s.address =
                    AlignUp(sections_[first + k - 1].VirtualEnd(), layout_.sectionAlignment);
            }
            const std::uint64_t size = contents[k].Size();
            s.rawPointer = size == 0 ? 0 : AlignUp(out_.Size(), layout_.fileAlignment);
            s.rawSize = AlignUp(size, layout_.fileAlignment);
            if (size == 0) continue;
            out_.PadTo(s.rawPointer);
            out_.Append(std::move(contents[k]));
            out_.PadTo(s.RawEnd());
        }
    }

    Result<FilePlan> Finish(std::size_t treeIndex) {
        const std::uint64_t rawEnd = out_.Size();
        const std::uint64_t imageSize =
            AlignUp(sections_.back().VirtualEnd(), layout_.sectionAlignment);
        if (rawEnd > kMax32 || imageSize > kMax32) {
            return Refuse("the resources would make it larger than an executable can be");
        }
        AppendOverlay();
        WriteSectionHeaders();
        const std::uint64_t opt = layout_.optionalHeader;
        WriteLe<std::uint16_t>(out_, layout_.coffHeader + kSectionCountField,
                               static_cast<std::uint16_t>(sections_.size()));
        WriteLe<std::uint32_t>(out_, opt + kImageSizeField, static_cast<std::uint32_t>(imageSize));
        WriteLe<std::uint32_t>(out_, opt + kInitializedDataField, InitializedDataSize());
        MoveDirectories();
        const Section& tree = sections_[treeIndex];
        WriteDirectory(kResourceDirectory, {static_cast<std::uint32_t>(tree.address),
                                            static_cast<std::uint32_t>(tree.virtualSize)});
        if (layout_.DirectoryOf(kCertificateDirectory).size != 0) {
            WriteDirectory(kCertificateDirectory, {});
        }
        MoveSymbolTable(rawEnd);
        if (ReadLe<std::uint32_t>(file_, opt + kChecksumField) != 0) {
            WriteLe<std::uint32_t>(out_, opt + kChecksumField, 0);
            WriteLe<std::uint32_t>(out_, opt + kChecksumField, Checksum(out_));
        }
        return std::move(out_);
    }

    // The signature no longer matches the changed file, so it is left out; other appended data
    // (installers and games keep archives there) stays.
    void AppendOverlay() {
        const std::uint64_t start = layout_.RawEnd();
        const Directory signature = layout_.DirectoryOf(kCertificateDirectory);
        if (signature.size == 0) {
            out_.Append(file_.subspan(start));
            return;
        }
        out_.Append(file_.subspan(start, signature.address - start));
        out_.Append(file_.subspan(std::uint64_t{signature.address} + signature.size));
    }

    void WriteSectionHeaders() {
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const std::uint64_t at = layout_.SectionHeaderAt(i);
            if (i >= layout_.sections.size()) {
                Bytes header(kSectionHeaderSize, 0);
                std::memcpy(header.data(), ".rsrc", 5);
                out_.Overwrite(at, header);
            }
            const Section& s = sections_[i];
            WriteLe<std::uint32_t>(out_, at + kVirtualSizeField,
                                   static_cast<std::uint32_t>(s.virtualSize));
            WriteLe<std::uint32_t>(out_, at + kAddressField, static_cast<std::uint32_t>(s.address));
            WriteLe<std::uint32_t>(out_, at + kRawSizeField, static_cast<std::uint32_t>(s.rawSize));
            WriteLe<std::uint32_t>(out_, at + kRawPointerField,
                                   static_cast<std::uint32_t>(s.rawPointer));
            WriteLe<std::uint32_t>(out_, at + kCharacteristicsField, s.characteristics);
        }
    }

    // Changed by the change in size of the sections that carry initialised data, whatever the
    // linker counted in it.
    std::uint32_t InitializedDataSize() const {
        const auto total = [](const std::vector<Section>& sections) {
            std::int64_t sum = 0;
            for (const Section& s : sections) {
                if (s.characteristics & kInitializedData)
                    sum += static_cast<std::int64_t>(s.rawSize);
            }
            return sum;
        };
        const std::int64_t old =
            ReadLe<std::uint32_t>(file_, layout_.optionalHeader + kInitializedDataField);
        return static_cast<std::uint32_t>(
            std::clamp<std::int64_t>(old + total(sections_) - total(layout_.sections), 0,
                                     static_cast<std::int64_t>(kMax32)));
    }

    // Directories follow the section they lie in when it moves (the relocations do).
    void MoveDirectories() {
        for (std::size_t d = 0; d < layout_.directories.size(); ++d) {
            const Directory directory = layout_.directories[d];
            if (d == kCertificateDirectory || directory.address == 0) continue;
            for (std::size_t i = 0; i < layout_.sections.size(); ++i) {
                const Section& old = layout_.sections[i];
                if (!old.Overlaps(directory.address, 1)) continue;
                const std::uint64_t moved = directory.address - old.address + sections_[i].address;
                WriteDirectory(d, {static_cast<std::uint32_t>(moved), directory.size});
                break;
            }
        }
    }

    void WriteDirectory(std::size_t index, Directory directory) {
        const std::uint64_t at = layout_.DirectoryEntryAt(index);
        WriteLe<std::uint32_t>(out_, at, directory.address);
        WriteLe<std::uint32_t>(out_, at + 4, directory.size);
    }

    // Debugging symbols that sit in the appended data move with it.
    void MoveSymbolTable(std::uint64_t rawEnd) {
        const std::uint64_t field = layout_.coffHeader + kSymbolTableField;
        const std::uint64_t table = ReadLe<std::uint32_t>(file_, field);
        const std::uint64_t start = layout_.RawEnd();
        if (table < start || table >= file_.size()) return;
        const Directory signature = layout_.DirectoryOf(kCertificateDirectory);
        const std::uint64_t dropped =
            signature.size != 0 && table >= signature.address ? signature.size : 0;
        WriteLe<std::uint32_t>(out_, field,
                               static_cast<std::uint32_t>(rawEnd + table - start - dropped));
    }

    ByteView file_;
    PeLayout layout_;
    std::vector<Section> sections_;  // the new layout
    FilePlan out_;
};

}  // namespace

bool IsPeFile(ByteView file) { return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z'; }

Result<PeResourceTree> FindPeResourceTree(ByteView file) {
    auto layout = ReadLayout(file);
    if (!layout) return std::unexpected(layout.error());
    auto index = ResourceSection(*layout);
    if (!index) return std::unexpected(index.error());
    if (!*index) return Fail(Error::Kind::NotFound, "the executable has no resources");
    const Section& s = layout->sections[**index];
    const std::uint32_t address = layout->DirectoryOf(kResourceDirectory).address;
    const std::uint64_t offset = address - s.address;
    if (offset >= s.FileBackedSize()) {
        return Bad("the resource directory lies beyond its section's data in the file");
    }
    return PeResourceTree{file.subspan(s.rawPointer + offset, s.FileBackedSize() - offset),
                          address};
}

Result<FilePlan> PlanWithPeResources(ByteView file, std::vector<ResourceEntry> resources) {
    auto layout = ReadLayout(file);
    if (!layout) return std::unexpected(layout.error());
    return PeRewriter(file, std::move(*layout)).Rewrite(std::move(resources));
}

Result<Bytes> WithPeResources(ByteView file, const std::vector<Resource>& resources) {
    auto plan = PlanWithPeResources(file, ViewsOf(resources));
    if (!plan) return std::unexpected(plan.error());
    return plan->Flatten();
}

}  // namespace lf
