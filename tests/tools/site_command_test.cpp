// lftool site: the site's files from each kind of source, and OUTDIR written whole or not at all.
// lftool runs from a copy beside a stand-in for the page's files, as it finds them when installed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/executable_resources.h"
#include "common/file_io.h"
#include "tests/support/child_process.h"
#include "tests/support/test_catalogue.h"
#include "tests/support/test_folder.h"
#include "tests/support/tiny_executables.h"
#include "web/site_layout.h"

namespace lf {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string output;
};

std::string Read(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Every file under the folder with its bytes, by path within it.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files[fs::relative(entry, folder).string()] = Read(entry);
    }
    return files;
}

class LftoolSite : public testing::FolderTest {
  protected:
    void SetUp() override {
        FolderTest::SetUp();
        fs::create_directories(folder_ / "tool" / "web");
        fs::copy_file(LF_BIN_DIR "/lftool", folder_ / "tool" / "lftool");
        Write("tool/web/index.html", "<!doctype html><title>page</title>");
        Write("tool/web/lorefinder.wasm", std::string("\0asm\1\0\0\0", 8));
        table_ = testing::Table({testing::Record(0, "0"), testing::Record(1, "铁剑")}, "2");
        Write("table.txt", table_);
        for (int sheet = 0; sheet < kIconSheetCount; ++sheet)
            sheets_.push_back(testing::SheetJpeg(sheet));
    }

    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::vector<lf::Resource> Catalogue() const {
        std::vector<lf::Resource> resources{{ResourceName(kCatalogueType), kItemTableId,
                                             kCatalogueLanguage,
                                             Bytes(table_.begin(), table_.end())}};
        for (int sheet = 0; sheet < kIconSheetCount; ++sheet) {
            resources.push_back({ResourceName(kCatalogueType), IconSheetId(sheet),
                                 kCatalogueLanguage, sheets_[std::size_t(sheet)]});
        }
        return resources;
    }

    // The files a site of the test's catalogue holds; sheets missing from `without`.
    std::map<std::string, std::string> ExpectedSite(int without = -1) const {
        std::map<std::string, std::string> files = Contents(folder_ / "tool" / "web");
        files[web::kSiteMarkerFile] = Read(folder_ / "out" / web::kSiteMarkerFile);
        for (const web::CatalogueFile& file : web::CatalogueFiles()) {
            const std::string path = std::string(web::kCatalogueFolder) + "/" + file.name;
            if (file.id == kItemTableId) {
                files[path] = table_;
            } else if (file.id != IconSheetId(without)) {
                const Bytes& sheet = sheets_[file.id - kFirstIconSheetId];
                files[path] = std::string(sheet.begin(), sheet.end());
            }
        }
        return files;
    }

    ToolRun Lftool(const std::string& arguments, const testing::ChildLimits& limits = {}) {
        const std::string command =
            "cd " + folder_.string() + " && tool/lftool site " + arguments + " 2>&1";
        const testing::ChildRun run = testing::RunInChild(limits, [&] {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            return std::string("cannot run the shell");
        });
        return {run.status, run.output};
    }

    // What lftool left beside OUTDIR besides OUTDIR itself.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".out.")) names.push_back(name);
        }
        return names;
    }

    std::string table_;
    std::vector<Bytes> sheets_;
};

TEST_F(LftoolSite, ATableAndItsSheetsFolderMakeTheSite) {
    for (int sheet = 0; sheet < kIconSheetCount; ++sheet) {
        if (sheet == 2) continue;  // a sheet the folder lacks shows grey boxes in the page
        const std::string name = web::CatalogueFiles()[std::size_t(sheet) + 1].name;
        Write("sheets/" + name,
              std::string(sheets_[std::size_t(sheet)].begin(), sheets_[std::size_t(sheet)].end()));
    }
    const ToolRun run = Lftool("table.txt out --sheets sheets");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("note: no icon_sheet_03.jpg"), std::string::npos) << run.output;
    EXPECT_EQ(Contents(folder_ / "out"), ExpectedSite(2));
}

TEST_F(LftoolSite, AnExecutableOfEitherPlatformGivesTheCatalogueItCarries) {
    const auto elf = WithResource(testing::TinyElf(), Catalogue()[0]);
    ASSERT_TRUE(elf);
    Bytes linuxExe = *elf;
    for (const lf::Resource& resource : Catalogue()) linuxExe = *WithResource(linuxExe, resource);
    const Bytes windowsExe =
        testing::TinyPe({testing::TextSection(), testing::ResourceSection(0x2000, Catalogue())});
    for (const Bytes& exe : {linuxExe, windowsExe}) {
        fs::remove_all(folder_ / "out");
        Write("Lorefinder.exe", std::string(exe.begin(), exe.end()));
        const ToolRun run = Lftool("Lorefinder.exe out");
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(Contents(folder_ / "out"), ExpectedSite());
    }
}

TEST_F(LftoolSite, RefusalsLeaveEveryFolderAsItWas) {
    Write("mine/notes.txt", "my own notes");
    const ToolRun foreign = Lftool("table.txt mine");
    EXPECT_EQ(foreign.status, 2);
    EXPECT_NE(foreign.output.find("is not empty and was not written by lftool site"),
              std::string::npos)
        << foreign.output;
    EXPECT_EQ(Contents(folder_ / "mine"),
              (std::map<std::string, std::string>{{"notes.txt", "my own notes"}}));

    Write("bad.txt", testing::Table({testing::Record(0, "0")}, "two"));
    const ToolRun refused = Lftool("bad.txt out");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("the browser would refuse this table: type mismatch"),
              std::string::npos)
        << refused.output;

    const Bytes elf = testing::TinyElf();
    Write("Lorefinder.exe", std::string(elf.begin(), elf.end()));
    EXPECT_EQ(Lftool("Lorefinder.exe out --sheets sheets").status, 2);

    fs::remove_all(folder_ / "tool" / "web");
    const ToolRun pageless = Lftool("table.txt out");
    EXPECT_EQ(pageless.status, 2);
    EXPECT_NE(pageless.output.find("the web page's files are missing"), std::string::npos)
        << pageless.output;

    EXPECT_FALSE(fs::exists(folder_ / "out"));
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(LftoolSite, ASecondRunReplacesItsSiteWholeAndAFailedOneKeepsIt) {
    ASSERT_EQ(Lftool("table.txt out").status, 0);
    Write("out/stale.txt", "from an older site");
    table_ = testing::Table({testing::Record(0, "0"), testing::Record(1, "新剑")}, "2");
    Write("table.txt", table_);
    ASSERT_EQ(Lftool("table.txt out").status, 0);
    const auto site = Contents(folder_ / "out");
    EXPECT_FALSE(site.contains("stale.txt"));
    EXPECT_EQ(site.at("catalogue/item_table.txt"), table_);

    // Writes beyond a few bytes fail: the site written before stays, nothing is left beside it.
    Write("table.txt", testing::Table({testing::Record(0, "0")}, "1"));
    const ToolRun failed = Lftool("table.txt out", {.fileSizeLimit = 64});
    EXPECT_EQ(failed.status, 2) << failed.output;
    EXPECT_NE(failed.output.find(std::strerror(EFBIG)), std::string::npos) << failed.output;
    EXPECT_EQ(Contents(folder_ / "out"), site);
    EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
}  // namespace lf
