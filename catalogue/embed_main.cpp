// Build step: writes the catalogue into the linked browser as CUSTOM resources, language 2052.
//   lf_embed INPUT OUTPUT ID=FILE...

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/executable_resources.h"
#include "common/file_io.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: lf_embed INPUT OUTPUT ID=FILE...\n");
    return 2;
}

int Failure(const lf::Error& error) {
    std::fprintf(stderr, "lf_embed: %s\n", error.message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    auto image = lf::ReadWholeFile(argv[1]);
    if (!image) return Failure(image.error());
    for (int i = 3; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::size_t eq = arg.find('=');
        std::uint16_t id = 0;
        if (eq == std::string_view::npos ||
            std::from_chars(arg.data(), arg.data() + eq, id).ptr != arg.data() + eq) {
            return Usage();
        }
        auto data = lf::ReadWholeFile(std::string(arg.substr(eq + 1)));
        if (!data) return Failure(data.error());
        auto next = lf::WithResource(
            *image, {lf::ResourceName(u"CUSTOM"), id, lf::kCatalogueLanguage, std::move(*data)});
        if (!next) return Failure(next.error());
        image = std::move(*next);
    }
    if (auto written = lf::WriteFileAtomically(argv[2], *image); !written) {
        return Failure(written.error());
    }
    // The output is the program itself: it must stay executable like the linked input.
    std::error_code ec;
    std::filesystem::permissions(argv[2], std::filesystem::status(argv[1]).permissions(), ec);
    if (ec) return Failure({lf::Error::Kind::Io, "cannot make " + std::string(argv[2]) + " executable"});
    return 0;
}
