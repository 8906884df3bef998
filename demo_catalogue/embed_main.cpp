// Build step: writes the catalogue into the linked browser as its CUSTOM resources.
//   lf_embed INPUT OUTPUT ITEM_TABLE SHEET_1 ... SHEET_16

#include <cstdio>
#include <filesystem>
#include <string>

#include "catalogue/catalogue_format.h"
#include "common/executable_resources.h"
#include "common/file_io.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: lf_embed INPUT OUTPUT ITEM_TABLE SHEET_1 ... SHEET_%d\n",
                 lf::kIconSheetCount);
    return 2;
}

int Failure(const lf::Error& error) {
    std::fprintf(stderr, "lf_embed: %s\n", error.message.c_str());
    return 1;
}

// The files after OUTPUT are the item table, then the sheets in order.
std::uint16_t IdOfFile(int index) {
    return index == 0 ? lf::kItemTableId : lf::IconSheetId(index - 1);
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int kFirstFile = 3;
    if (argc != kFirstFile + 1 + lf::kIconSheetCount) return Usage();
    auto image = lf::ReadWholeFile(argv[1]);
    if (!image) return Failure(image.error());
    for (int i = kFirstFile; i < argc; ++i) {
        auto data = lf::ReadWholeFile(argv[i]);
        if (!data) return Failure(data.error());
        auto next = lf::WithResource(
            *image, {lf::ResourceName(lf::kCatalogueType), IdOfFile(i - kFirstFile),
                     lf::kCatalogueLanguage, std::move(*data)});
        if (!next) return Failure(next.error());
        image = std::move(*next);
    }
    if (auto written = lf::WriteFileAtomically(argv[2], *image); !written) {
        return Failure(written.error());
    }
    // The output is the program itself: it must stay executable like the linked input.
    std::error_code ec;
    std::filesystem::permissions(argv[2], std::filesystem::status(argv[1]).permissions(), ec);
    if (ec) {
        return Failure(
            {lf::Error::Kind::Io, "cannot make " + std::string(argv[2]) + " executable"});
    }
    return 0;
}
