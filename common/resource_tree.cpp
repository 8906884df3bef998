#include "common/resource_tree.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <tuple>

#include "common/byte_order.h"
#include "common/utf8.h"

namespace lf {
namespace {

constexpr std::size_t kDirectorySize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::uint64_t kDataAlignment = 8;
// Bytes of names a parse may copy: four per byte of the section and 1 MiB, far more than any
// real tree's names repeated once per language take.
constexpr std::uint64_t kNameBudgetPerByte = 4;
constexpr std::uint64_t kNameBudgetFloor = 1 << 20;

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c; }

std::u16string Upper(std::u16string s) {
    std::ranges::transform(s, s.begin(), UpperAscii);
    return s;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = NextCodePoint(utf8, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacementCharacter;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

// ---- parsing ------------------------------------------------------------------------------

class TreeParser {
  public:
    TreeParser(ByteView section, std::uint32_t base)
        : section_(section),
          base_(base),
          dataBudget_(section.size()),
          nameBudget_(kNameBudgetPerByte * section.size() + kNameBudgetFloor) {}

    Result<std::vector<ResourceEntry>> Parse() {
        std::vector<ResourceEntry> entries;
        ResourceName path[2] = {ResourceName(0), ResourceName(0)};
        if (auto ok = ParseDirectory(0, 0, path, entries); !ok) return std::unexpected(ok.error());
        return entries;
    }

  private:
    using Unit = Result<bool>;

    static std::unexpected<Error> Bad(const std::string& what) {
        return Fail(Error::Kind::Malformed, "malformed resource tree: " + what);
    }

    // Directories and data entries may not share bytes: each is read once, which bounds the
    // work and the number of entries by the section's size, and a loop cannot go round.
    bool Claim(std::uint64_t offset, std::uint64_t size) {
        auto next = claimed_.lower_bound(offset);
        if (next != claimed_.end() && next->first < offset + size) return false;
        if (next != claimed_.begin() && std::prev(next)->second > offset) return false;
        claimed_.emplace_hint(next, offset, offset + size);
        return true;
    }

    // The names copied into entries may not outgrow the section by much, however often a
    // hostile tree points at one long name.
    bool SpendOnNames(std::size_t units) {
        const std::uint64_t bytes = 2ull * units;
        if (bytes > nameBudget_) return false;
        nameBudget_ -= bytes;
        return true;
    }

    Unit ParseDirectory(std::uint32_t offset, int level, ResourceName* path,
                        std::vector<ResourceEntry>& out) {
        if (!InBounds(offset, kDirectorySize, section_.size()))
            return Bad("directory past the end");
        const std::uint32_t count = std::uint32_t{ReadLe<std::uint16_t>(section_, offset + 12)} +
                                    ReadLe<std::uint16_t>(section_, offset + 14);
        const std::uint64_t first = std::uint64_t{offset} + kDirectorySize;
        if (!InBounds(first, std::uint64_t{count} * kEntrySize, section_.size())) {
            return Bad("directory entries past the end");
        }
        if (!Claim(offset, kDirectorySize + std::uint64_t{count} * kEntrySize)) {
            return Bad("a directory is reached twice or overlaps another");
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t at = first + i * kEntrySize;
            const std::uint32_t nameField = ReadLe<std::uint32_t>(section_, at);
            const std::uint32_t target = ReadLe<std::uint32_t>(section_, at + 4);
            auto name = ReadName(nameField);
            if (!name) return std::unexpected(name.error());
            const bool isDirectory = (target & kHighBit) != 0;
            if (level < 2) {
                if (!isDirectory) return Bad("data where a directory belongs");
                path[level] = *name;
                if (auto ok = ParseDirectory(target & ~kHighBit, level + 1, path, out); !ok)
                    return ok;
            } else {
                if (isDirectory) return Bad("tree deeper than type, name and language");
                if (!name->IsId()) return Bad("named language");
                auto entry = ReadDataEntry(target, path, name->Id());
                if (!entry) return std::unexpected(entry.error());
                out.push_back(*entry);
            }
        }
        return true;
    }

    Result<ResourceName> ReadName(std::uint32_t field) {
        if ((field & kHighBit) == 0) {
            if (field > 0xFFFF) return Bad("id above 65535");
            return ResourceName(static_cast<std::uint16_t>(field));
        }
        const std::uint32_t offset = field & ~kHighBit;
        if (!InBounds(offset, 2, section_.size())) return Bad("name past the end");
        const std::uint16_t length = ReadLe<std::uint16_t>(section_, offset);
        if (!InBounds(offset + 2ull, length * 2ull, section_.size()))
            return Bad("name past the end");
        if (!SpendOnNames(length)) return Bad("names repeated beyond what the section holds");
        std::u16string name(length, u'\0');
        std::memcpy(name.data(), section_.data() + offset + 2, length * 2ull);
        if (name.empty()) return Bad("empty name");
        return ResourceName(std::move(name));
    }

    Result<ResourceEntry> ReadDataEntry(std::uint32_t offset, const ResourceName* path,
                                        std::uint16_t language) {
        if (!InBounds(offset, kDataEntrySize, section_.size()))
            return Bad("data entry past the end");
        if (!Claim(offset, kDataEntrySize)) return Bad("a data entry is reached twice");
        const std::uint32_t address = ReadLe<std::uint32_t>(section_, offset);
        const std::uint32_t size = ReadLe<std::uint32_t>(section_, offset + 4);
        const std::uint32_t codePage = ReadLe<std::uint32_t>(section_, offset + 8);
        if (address < base_ || !InBounds(address - base_, size, section_.size())) {
            return Bad("data of " + path[0].ToString() + "/" + path[1].ToString() +
                       " lies outside the resource section");
        }
        // Data shared between entries would be copied once per entry by a rewrite.
        if (size > dataBudget_) return Bad("the resources' data add up to more than the section");
        dataBudget_ -= size;
        if (!SpendOnNames(path[0].Name().size() + path[1].Name().size())) {
            return Bad("names repeated beyond what the section holds");
        }
        return ResourceEntry{path[0], path[1], language, codePage,
                             section_.subspan(address - base_, size)};
    }

    ByteView section_;
    std::uint32_t base_;
    std::map<std::uint64_t, std::uint64_t> claimed_;  // start -> end
    std::uint64_t dataBudget_;
    std::uint64_t nameBudget_;
};

// ---- building -----------------------------------------------------------------------------

struct NameNode {
    ResourceName name;
    std::vector<const ResourceEntry*> languages;
};
struct TypeNode {
    ResourceName type;
    std::vector<NameNode> names;
};

std::vector<TypeNode> GroupByType(const std::vector<ResourceEntry>& sorted) {
    std::vector<TypeNode> types;
    for (const ResourceEntry& r : sorted) {
        if (types.empty() || !(types.back().type == r.type)) types.push_back({r.type, {}});
        auto& names = types.back().names;
        if (names.empty() || !(names.back().name == r.name)) names.push_back({r.name, {}});
        names.back().languages.push_back(&r);
    }
    return types;
}

class TreeBuilder {
  public:
    TreeBuilder(const std::vector<TypeNode>& types, std::uint32_t base)
        : types_(types), base_(base) {}

    // The directories, names and data entries as new bytes, then each resource's data.
    FilePlan Build(ByteView source) {
        Layout();
        out_.assign(dataStart_, 0);
        std::uint64_t nameDir = kDirectorySize + types_.size() * kEntrySize;
        std::uint64_t langDir = nameDirsEnd_;
        std::uint64_t dataEntry = langDirsEnd_;
        WriteDirectoryHeader(0, types_);
        for (std::size_t t = 0; t < types_.size(); ++t) {
            WriteEntry(EntryAt(0, t), types_[t].type, nameDir | kHighBit);
            WriteDirectoryHeader(nameDir, types_[t].names);
            for (std::size_t n = 0; n < types_[t].names.size(); ++n) {
                const NameNode& node = types_[t].names[n];
                WriteEntry(EntryAt(nameDir, n), node.name, langDir | kHighBit);
                WriteDirectoryHeader(langDir, node.languages);
                for (std::size_t l = 0; l < node.languages.size(); ++l) {
                    WriteEntry(EntryAt(langDir, l), ResourceName(node.languages[l]->language),
                               dataEntry);
                    WriteDataEntry(dataEntry, *node.languages[l]);
                    dataEntry += kDataEntrySize;
                }
                langDir += kDirectorySize + node.languages.size() * kEntrySize;
            }
            nameDir += kDirectorySize + types_[t].names.size() * kEntrySize;
        }
        FilePlan plan(source);
        plan.Append(std::move(out_));
        for (const auto& [offset, data] : data_) {
            plan.PadTo(offset);
            plan.AppendBorrowed(data);
        }
        plan.PadTo(total_);
        return plan;
    }

  private:
    static std::uint64_t EntryAt(std::uint64_t dir, std::size_t i) {
        return dir + kDirectorySize + i * kEntrySize;
    }

    void Layout() {
        std::uint64_t offset = kDirectorySize + types_.size() * kEntrySize;
        std::size_t resources = 0;
        for (const TypeNode& t : types_) {
            offset += kDirectorySize + t.names.size() * kEntrySize;
        }
        nameDirsEnd_ = offset;
        for (const TypeNode& t : types_) {
            for (const NameNode& n : t.names) {
                offset += kDirectorySize + n.languages.size() * kEntrySize;
                resources += n.languages.size();
            }
        }
        langDirsEnd_ = offset;
        offset += resources * kDataEntrySize;
        for (const TypeNode& t : types_) {
            AddString(t.type, offset);
            for (const NameNode& n : t.names) AddString(n.name, offset);
        }
        dataStart_ = offset;
        for (const TypeNode& t : types_) {
            for (const NameNode& n : t.names) {
                for (const ResourceEntry* r : n.languages) {
                    offset = AlignUp(offset, kDataAlignment);
                    dataOffsets_[r] = offset;
                    data_.emplace_back(offset, r->data);
                    offset += r->data.size();
                }
            }
        }
        total_ = AlignUp(offset, kDataAlignment);
    }

    void AddString(const ResourceName& name, std::uint64_t& offset) {
        if (name.IsId() || stringOffsets_.contains(name.Name())) return;
        stringOffsets_[name.Name()] = offset;
        offset += 2 + 2 * name.Name().size();
    }

    template <typename Children>
    void WriteDirectoryHeader(std::uint64_t at, const Children& children) {
        std::uint16_t named = 0;
        for (const auto& child : children) named += NameOf(child).IsId() ? 0 : 1;
        WriteLe<std::uint16_t>(out_, at + 12, named);
        WriteLe<std::uint16_t>(out_, at + 14, static_cast<std::uint16_t>(children.size() - named));
    }
    static const ResourceName& NameOf(const TypeNode& t) { return t.type; }
    static const ResourceName& NameOf(const NameNode& n) { return n.name; }
    static ResourceName NameOf(const ResourceEntry* r) { return ResourceName(r->language); }

    void WriteEntry(std::uint64_t at, const ResourceName& name, std::uint64_t target) {
        std::uint32_t field = name.Id();
        if (!name.IsId()) {
            const std::uint64_t offset = stringOffsets_.at(name.Name());
            field = static_cast<std::uint32_t>(offset) | kHighBit;
            WriteLe<std::uint16_t>(out_, offset, static_cast<std::uint16_t>(name.Name().size()));
            std::memcpy(out_.data() + offset + 2, name.Name().data(), 2 * name.Name().size());
        }
        WriteLe<std::uint32_t>(out_, at, field);
        WriteLe<std::uint32_t>(out_, at + 4, static_cast<std::uint32_t>(target));
    }

    void WriteDataEntry(std::uint64_t at, const ResourceEntry& r) {
        const std::uint64_t offset = dataOffsets_.at(&r);
        WriteLe<std::uint32_t>(out_, at, static_cast<std::uint32_t>(base_ + offset));
        WriteLe<std::uint32_t>(out_, at + 4, static_cast<std::uint32_t>(r.data.size()));
        WriteLe<std::uint32_t>(out_, at + 8, r.codePage);
    }

    const std::vector<TypeNode>& types_;
    std::uint32_t base_;
    std::uint64_t nameDirsEnd_ = 0;
    std::uint64_t langDirsEnd_ = 0;
    std::uint64_t dataStart_ = 0;
    std::uint64_t total_ = 0;
    std::map<std::u16string, std::uint64_t> stringOffsets_;
    std::map<const ResourceEntry*, std::uint64_t> dataOffsets_;
    std::vector<std::pair<std::uint64_t, ByteView>> data_;  // in the order of their offsets
    Bytes out_;
};

}  // namespace

ResourceName::ResourceName(std::u16string name) : name_(Upper(std::move(name))) {}

ResourceName ResourceName::Parse(std::string_view text) {
    std::string_view digits = text.starts_with('#') ? text.substr(1) : text;
    if (!digits.empty() && digits.size() <= 5 &&
        std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        const unsigned long value = std::stoul(std::string(digits));
        if (value <= 0xFFFF) return ResourceName(static_cast<std::uint16_t>(value));
    }
    return ResourceName(Utf8ToUtf16(text));
}

std::string ResourceName::ToString() const {
    return IsId() ? "#" + std::to_string(id_) : Utf16ToUtf8(name_);
}

bool ResourceName::operator==(const ResourceName& other) const {
    return name_ == other.name_ && id_ == other.id_;
}

std::strong_ordering ResourceName::operator<=>(const ResourceName& other) const {
    if (IsId() != other.IsId())
        return IsId() ? std::strong_ordering::greater : std::strong_ordering::less;
    if (IsId()) return id_ <=> other.id_;
    return name_.compare(other.name_) <=> 0;
}

Result<std::vector<ResourceEntry>> ParseResourceTree(ByteView section, std::uint32_t sectionBase) {
    return TreeParser(section, sectionBase).Parse();
}

FilePlan PlanResourceTree(std::vector<ResourceEntry> resources, std::uint32_t sectionBase,
                          ByteView source) {
    // Stable sort, then keep the last of each type/name/language: a later entry replaces.
    std::ranges::stable_sort(resources, [](const ResourceEntry& a, const ResourceEntry& b) {
        return std::tie(a.type, a.name, a.language) < std::tie(b.type, b.name, b.language);
    });
    std::vector<ResourceEntry> unique;
    for (ResourceEntry& r : resources) {
        if (!unique.empty() && unique.back().type == r.type && unique.back().name == r.name &&
            unique.back().language == r.language) {
            unique.back() = std::move(r);
        } else {
            unique.push_back(std::move(r));
        }
    }
    return TreeBuilder(GroupByType(unique), sectionBase).Build(source);
}

std::vector<ResourceEntry> ViewsOf(const std::vector<Resource>& resources) {
    std::vector<ResourceEntry> views;
    views.reserve(resources.size());
    for (const Resource& r : resources) {
        views.push_back({r.type, r.name, r.language, r.codePage, r.data});
    }
    return views;
}

Bytes BuildResourceTree(const std::vector<Resource>& resources, std::uint32_t sectionBase) {
    return PlanResourceTree(ViewsOf(resources), sectionBase, {}).Flatten();
}

const ResourceEntry* FindResource(const std::vector<ResourceEntry>& entries,
                                  const ResourceName& type, const ResourceName& name,
                                  std::uint16_t preferredLanguage) {
    const ResourceEntry* first = nullptr;
    for (const ResourceEntry& e : entries) {
        if (!(e.type == type && e.name == name)) continue;
        if (e.language == preferredLanguage) return &e;
        if (!first) first = &e;
    }
    return first;
}

}  // namespace lf
