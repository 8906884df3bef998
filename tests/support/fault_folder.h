#pragma once

// A folder with the small Lorefinder.exe in which the tests of failing writes strike: the
// faults themselves, and the check that a failed write changed nothing.

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/executable_folder.h"

namespace lf::testing {

class FaultFolder : public ExecutableFolder {
  protected:
    static std::string Reason(int error) { return std::strerror(error); }

    // Puts the folder as each case finds it: the small Lorefinder.exe, an older item.txt for an
    // export to overwrite, a table and a sheet to import.
    void Reset() {
        std::filesystem::permissions(folder_, kFolderPerms);
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            std::filesystem::remove_all(entry.path());
        }
        ASSERT_TRUE(WriteFileAtomically(Exe(), original_));
        WriteFile("item.txt", "an older item.txt\r\n");
        WriteFile("new table.txt", "1\r\nnew table|");
        WriteFile("sheet.jpg", "new sheet");
    }

    std::filesystem::path Table() const { return folder_ / "new table.txt"; }
    std::filesystem::path Sheet() const { return folder_ / "sheet.jpg"; }
    std::filesystem::path ItemTxt() const { return folder_ / "item.txt"; }

    static void MakeReadOnly(const std::filesystem::path& file) {
        using std::filesystem::perms;
        std::filesystem::permissions(file,
                                     perms::owner_read | perms::group_read | perms::others_read);
    }
    static void ReplaceByFolder(const std::filesystem::path& file) {
        std::filesystem::remove(file);
        std::filesystem::create_directory(file);
    }
    void ReplaceByDanglingLink(const std::filesystem::path& file) const {
        std::filesystem::remove(file);
        std::filesystem::create_symlink(folder_ / "gone.exe", file);
    }

    // A folder that nobody may write into, owned by the user of an unprivileged child (as root,
    // its permission bits would stop nothing).
    void MakeFolderReadOnly() {
        if (const auto user = UnprivilegedUser()) {
            ASSERT_EQ(::chown(folder_.c_str(), user->pw_uid, user->pw_gid), 0);
            for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
                ASSERT_EQ(::lchown(entry.path().c_str(), user->pw_uid, user->pw_gid), 0);
            }
        }
        std::filesystem::permissions(folder_, kFolderPerms & ~std::filesystem::perms::owner_write);
    }

    std::set<std::string> FolderNames() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    // Lets the fault strike, then makes the write and returns what it said. Whatever the write
    // aimed at keeps its kind and its bytes, and the folder gains no file (the write may remove
    // `removedByWrite`, a file that vanishes under it).
    std::string Strike(const std::filesystem::path& target, const std::function<void()>& fault,
                       const std::function<std::string()>& write,
                       const std::filesystem::path& removedByWrite = {}) {
        fault();
        const auto kind = std::filesystem::symlink_status(target).type();
        const auto bytes = ReadWholeFile(target);
        std::set<std::string> names = FolderNames();
        names.erase(removedByWrite.filename().string());

        const std::string message = write();
        EXPECT_EQ(std::filesystem::symlink_status(target).type(), kind);
        if (bytes) {
            EXPECT_EQ(*ReadWholeFile(target), *bytes) << target << " changed";
        }
        EXPECT_EQ(FolderNames(), names) << "a temporary file stayed behind";
        return message;
    }

  private:
    static constexpr auto kFolderPerms =
        std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
        std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
        std::filesystem::perms::others_exec;
};

}  // namespace lf::testing
