// lftool list / export / import: the resources of an executable, Linux or Windows.

#include <charconv>
#include <cstdio>
#include <string>

#include "common/executable_resources.h"
#include "common/file_io.h"
#include "tools/commands.h"

namespace lf::tool {
namespace {

int Failure(const std::string& message) {
    std::fprintf(stderr, "lftool: %s\n", message.c_str());
    return 2;
}

int Usage(const char* usage) {
    std::fprintf(stderr, "usage: lftool %s\n", usage);
    return 2;
}

ResourceName NameArg(std::string_view text) { return ResourceName::Parse(text); }

}  // namespace

int RunList(Args args) {
    if (args.size() != 1) return Usage("list EXE");
    auto file = ReadWholeFile(std::string(args[0]));
    if (!file) return Failure(file.error().message);
    auto entries = ReadResources(*file);
    if (!entries) return Failure(entries.error().message);
    for (const ResourceEntry& e : *entries) {
        std::printf("%s %s %u %zu\n", e.type.ToString().c_str(), e.name.ToString().c_str(),
                    unsigned{e.language}, e.data.size());
    }
    return 0;
}

int RunExport(Args args) {
    if (args.size() != 4) return Usage("export EXE TYPE ID OUT");
    auto file = ReadWholeFile(std::string(args[0]));
    if (!file) return Failure(file.error().message);
    auto data = ReadResource(*file, NameArg(args[1]), NameArg(args[2]));
    if (!data) return Failure(data.error().message);
    if (auto written = WriteFileAtomically(std::string(args[3]), *data); !written) {
        return Failure(written.error().message);
    }
    return 0;
}

int RunImport(Args args) {
    constexpr const char* kUsage = "import EXE TYPE ID IN [--lang N]";
    std::uint16_t language = kCatalogueLanguage;
    if (args.size() == 6 && args[4] == "--lang") {
        const std::string_view lang = args[5];
        if (std::from_chars(lang.data(), lang.data() + lang.size(), language).ptr !=
            lang.data() + lang.size()) {
            return Usage(kUsage);
        }
    } else if (args.size() != 4) {
        return Usage(kUsage);
    }
    const std::string exe(args[0]);
    auto data = MappedFile::Open(std::string(args[3]), kLargestResources);
    if (!data) return Failure(data.error().message);
    auto written = ReplaceResource(exe, {NameArg(args[1]), NameArg(args[2]), language, 0, data->Bytes()});
    if (!written) return Failure(written.error().message);
    return 0;
}

}  // namespace lf::tool
