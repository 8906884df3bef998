// Build step: writes the demo catalogue that ships inside the browser.
//   lf_catalogue_gen OUTDIR
// OUTDIR receives item_table.txt and icon_sheet_01.jpg to icon_sheet_16.jpg.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "catalogue/catalogue_format.h"
#include "common/file_io.h"
#include "demo_catalogue/demo_sheets.h"
#include "demo_catalogue/demo_table.h"
#include "demo_catalogue/icon_plan.h"

namespace {

int Failure(const std::string& message) {
    std::fprintf(stderr, "lf_catalogue_gen: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lf_catalogue_gen OUTDIR\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return Failure("cannot create " + folder.string() + ": " + error.message());

    const std::string table = lf::demo::GenerateItemTable();
    if (auto written = lf::WriteFileAtomically(folder / "item_table.txt", lf::AsBytes(table));
        !written) {
        return Failure(written.error().message);
    }
    for (int sheet = 0; sheet < lf::kIconSheetCount; ++sheet) {
        auto jpeg = lf::demo::EncodeIconSheet(sheet);
        if (!jpeg) return Failure(jpeg.error().message);
        char name[32];
        std::snprintf(name, sizeof name, "icon_sheet_%02d.jpg", sheet + 1);
        const auto file = folder / name;
        if (auto written = lf::WriteFileAtomically(file, *jpeg); !written) {
            return Failure(written.error().message);
        }
    }
    return 0;
}
