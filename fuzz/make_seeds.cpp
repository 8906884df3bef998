// Writes the seed corpora of the fuzz targets into the folder given (fuzz/corpus): item tables and
// rows as the catalogue has them, description markup, resource trees, and tiny Windows (32- and
// 64-bit) and ELF executables built here, so that every seed comes from our own code.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_order.h"
#include "common/elf_file.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/pe_file.h"
#include "common/resource_tree.h"
#include "modding/table_csv.h"
#include "tests/support/tiny_executables.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// ---- item rows ----------------------------------------------------------------------------

// A record of 76 fields; the description is the one before the trailing empty field.
std::string Row(int id, std::string_view name, int kind,
                std::vector<std::pair<int, std::string>> numbers, std::string_view description,
                int icon) {
    std::vector<std::string> fields(76);
    fields[0] = std::to_string(id);
    fields[1] = name;
    fields[2] = std::to_string(kind);
    fields[73] = std::to_string(icon);
    for (auto& [index, value] : numbers) fields[index] = value;
    fields[74] = description;
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) row += (i ? "|" : "") + fields[i];
    return row;
}

std::vector<std::string> Rows() {
    return {
        Row(1, "长剑", 4,
            {{6, "120"},
             {12, "8"},
             {17, "35"},
             {20, "5"},
             {35, "1500"},
             {36, "750"},
             {44, "80"},
             {70, "3"},
             {71, "7"},
             {3, "20"},
             {58, "15"},
             {10, "4"}},
            "#R#锋利#N#一把长剑", 5),
        Row(2, "Red Potion", 1, {{37, "50"}, {39, "0"}, {35, "20"}, {36, "10"}},
            "Restores health.#N##N#", 12),
        Row(3, "铁矿石", 23, {{71, "65535"}, {3, "1.5"}, {35, "4"}}, "#G#material", 40),
        Row(4, "Letter", 24, {{5, "3"}, {9, "2"}, {11, "1"}}, "#B#Deliver it.#X#now", 41),
        Row(5, "Gem", 0, {{35, "2147483647"}, {36, "-1"}}, "", 77),
        Row(6, "木盾", 11, {{44, "-5"}, {18, "1"}, {70, "9"}, {40, "3e2"}}, "盾", 3),
    };
}

std::string Table(const std::vector<std::string>& rows, std::string_view count) {
    std::string table(count);
    for (const std::string& row : rows) table += "\r\n" + row;
    return EncodeGbk(table + "\r\n");
}

// ---- executables --------------------------------------------------------------------------

std::vector<Resource> SampleResources() {
    auto data = [](std::string_view text) { return BytesOf(text); };
    return {
        {ResourceName(u"CUSTOM"), 101, 2052, data("2\r\n1|x|")},
        {ResourceName(u"CUSTOM"), 1001, 2052, Bytes(40, 0xD8)},
        {ResourceName(u"Notes"), ResourceName(u"Intro"), 1033, data("intro"), 936},
        {3, 1, 1033, data("icon")},
        {ResourceName(u"CUSTOM"), 101, 1033, data("")},
    };
}

template <typename T>
T Must(Result<T> result) {
    if (!result) {
        std::fprintf(stderr, "seed generation failed: %s\n", result.error().message.c_str());
        std::exit(1);
    }
    return std::move(*result);
}

// The writers' seeds start with the four bytes that choose what to write.
Bytes WriterSeed(std::initializer_list<std::uint8_t> choice, const Bytes& file) {
    Bytes seed(choice);
    seed.insert(seed.end(), file.begin(), file.end());
    return seed;
}

void Save(const fs::path& folder, const std::string& name, ByteView bytes) {
    fs::create_directories(folder);
    if (!WriteFileAtomically(folder / name, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
        std::exit(1);
    }
}

void WriteTextSeeds(const fs::path& root) {
    const std::vector<std::string> rows = Rows();
    Save(root / "fuzz_item_table", "table", BytesOf(Table(rows, "6")));
    Save(root / "fuzz_item_table", "count_too_large", BytesOf(Table({rows[0], rows[1]}, "5")));
    Save(root / "fuzz_item_table", "count_text", BytesOf(Table({rows[2]}, "1.5e0|x")));
    Save(root / "fuzz_item_table", "icon_overflow",
         BytesOf(Table({Row(9, "x", 4, {{73, "99999999999"}}, "d", 0)}, "1")));
    const std::string table = Table(rows, "6") + std::string(1, '\0');
    // Table() encodes UTF-8, so the byte that is not GBK goes in after it.
    const std::string irregular =
        Table({rows[0] + "|x|y|", rows[1] + "\rz"}, " 2|x") + "more \xFF\r\n";
    Save(root / "fuzz_table_csv", "table", BytesOf(table));
    Save(root / "fuzz_table_csv", "irregular", BytesOf(irregular));
    Save(root / "fuzz_table_csv", "csv", BytesOf(*ItemTableToCsv(table, false)));
    Save(root / "fuzz_table_csv", "irregular_csv", BytesOf(*ItemTableToCsv(irregular, true)));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Save(root / "fuzz_card", "row" + std::to_string(i + 1), BytesOf(rows[i]));
    }
    Save(root / "fuzz_card", "short_row", BytesOf("7|名字"));
    const char* descriptions[] = {"plain words", "#R#红色#G#绿色#N##N#结束#X#普通", "a#N#b#N#",
                                  "#B#x#Q#not a code##R", "lead #N#\r\nnext line#X#"};
    int n = 0;
    for (const char* d : descriptions) {
        Save(root / "fuzz_description", "markup" + std::to_string(++n), BytesOf(d));
    }
}

void WriteExecutableSeeds(const fs::path& root) {
    Save(root / "fuzz_resource_tree", "sample", BuildResourceTree(SampleResources(), 0));
    Save(root / "fuzz_resource_tree", "one", BuildResourceTree({SampleResources()[0]}, 0));
    Save(root / "fuzz_resource_tree", "empty", BuildResourceTree({}, 0));

    using namespace testing;
    const Bytes rsrcLast = TinyPe({TextSection(), ResourceSection(0x2000, SampleResources())});
    const Bytes relocLast = TinyPe(
        {TextSection(), ResourceSection(0x2000, SampleResources()), RelocationSection(0x3000)});
    const Bytes noResources = TinyPe({TextSection()});
    Bytes withOverlay = TinyPe({TextSection(), ResourceSection(0x2000, SampleResources())}, 0x1234);
    for (char c : std::string_view("appended archive")) withOverlay.push_back(c);
    const Bytes added = Must(WithPeResources(noResources, SampleResources()));
    const Bytes wide = TinyPe(
        {TextSection(), ResourceSection(0x2000, SampleResources()), RelocationSection(0x3000)}, 0,
        true);
    const std::pair<const char*, const Bytes*> pes[] = {
        {"rsrc_last", &rsrcLast},       {"reloc_last", &relocLast},
        {"no_resources", &noResources}, {"overlay_checksum", &withOverlay},
        {"added_section", &added},      {"wide_reloc_last", &wide}};
    for (const auto& [name, pe] : pes) {
        Save(root / "fuzz_pe_reader", name, *pe);
        Save(root / "fuzz_pe_writer", name, WriterSeed({0x00, 0x10, 0x00, 0x41}, *pe));
    }
    Save(root / "fuzz_pe_writer", "grow_reloc_last", WriterSeed({0x90, 0x00, 0x06, 7}, relocLast));

    const Bytes elf = TinyElf();
    const Bytes elfWithTree =
        Must(WithElfSection(elf, ".rsrc", BuildResourceTree(SampleResources(), 0)));
    const Bytes elfRewritten = Must(WithElfSection(elfWithTree, ".rsrc", BuildResourceTree({}, 0)));
    const std::pair<const char*, const Bytes*> elves[] = {
        {"no_resources", &elf}, {"resources", &elfWithTree}, {"rewritten", &elfRewritten}};
    for (const auto& [name, file] : elves) {
        Save(root / "fuzz_elf_reader", name, *file);
        Save(root / "fuzz_elf_writer", name, WriterSeed({0x01, 0x20, 0x00, 0x33}, *file));
    }
    Save(root / "fuzz_elf_writer", "add", WriterSeed({0xA5, 0x00, 0x01, 9}, elfWithTree));
    // A section that takes no room in the file may name any offset, even one far past its end.
    Bytes farNobits = elfWithTree;
    const std::uint64_t text = tiny_elf::SectionHeader(farNobits, 1);
    WriteLe<std::uint32_t>(farNobits, text + 4, 8);
    WriteLe<std::uint64_t>(farNobits, text + 24, ~0ull);
    Save(root / "fuzz_elf_writer", "nobits_far_away",
         WriterSeed({0x01, 0x20, 0x00, 0x33}, farNobits));
}

}  // namespace
}  // namespace lf

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    lf::WriteTextSeeds(argv[1]);
    lf::WriteExecutableSeeds(argv[1]);
    return 0;
}
