#pragma once

// The Windows resource directory tree (type -> name -> language -> data), the one container
// format of executable resources on every platform the programs run on.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/error.h"
#include "common/file_plan.h"

namespace lf {

// The language id of Chinese as used in the PRC: the language every resource of the programs
// carries, and the system locale in which they speak Chinese.
inline constexpr std::uint16_t kLanguageChinesePrc = 0x0804;

// A resource type or name: an integer id or a UTF-16 name, names compared case-insensitively.
class ResourceName {
  public:
    ResourceName(std::uint16_t id) : id_(id) {}  // NOLINT: ids read naturally as numbers
    explicit ResourceName(std::u16string name);

    // "#101" or "101" is the id 101; any other text is a name.
    static ResourceName Parse(std::string_view text);

    bool IsId() const { return name_.empty(); }
    std::uint16_t Id() const { return id_; }
    const std::u16string& Name() const { return name_; }

    // The name in UTF-8, or "#" and the id.
    std::string ToString() const;

    bool operator==(const ResourceName& other) const;
    // Table order: names first (upper-cased UTF-16 order), then ids ascending.
    std::strong_ordering operator<=>(const ResourceName& other) const;

  private:
    std::u16string name_;  // empty for an id; kept upper-case
    std::uint16_t id_ = 0;
};

// One resource as found in a parsed tree; data points into the parsed bytes.
struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    std::uint16_t language;
    std::uint32_t codePage;
    ByteView data;
};

// One resource to be written, owning its bytes.
struct Resource {
    ResourceName type;
    ResourceName name;
    std::uint16_t language;
    Bytes data;
    std::uint32_t codePage = 0;
};

// Parses a tree. sectionBase is the address that data-entry offsets count from (the section's
// virtual address in a Windows executable, 0 where offsets are relative to the section).
// Every offset is checked; a directory reached twice (a loop) or a tree deeper or shallower
// than type/name/language is malformed.
Result<std::vector<ResourceEntry>> ParseResourceTree(ByteView section, std::uint32_t sectionBase);

// Builds a tree: tables sorted for binary search, names upper-case, data 8-byte aligned.
// Later duplicates of a type/name/language replace earlier ones.
Bytes BuildResourceTree(const std::vector<Resource>& resources, std::uint32_t sectionBase);

// The same tree as a plan over a source file: data that lies in the source stays a range of it,
// other data is borrowed, so the resources' data must outlive the plan.
FilePlan PlanResourceTree(std::vector<ResourceEntry> resources, std::uint32_t sectionBase,
                          ByteView source);

// Views of the resources, for planning a tree of them.
std::vector<ResourceEntry> ViewsOf(const std::vector<Resource>& resources);

// The resource of that type and name in the preferred language, else in the first language the
// tree holds for it.
const ResourceEntry* FindResource(const std::vector<ResourceEntry>& entries,
                                  const ResourceName& type, const ResourceName& name,
                                  std::uint16_t preferredLanguage);

}  // namespace lf
