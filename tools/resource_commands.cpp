// lftool list / export / import: the resources of an executable, Linux or Windows.

#include <cstdio>
#include <memory>
#include <string>

#include "catalogue/catalogue_format.h"
#include "common/executable_file.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "tools/commands.h"

namespace lf::tool {
namespace {

// Their messages name no command: scripts have read them so since the first release.
const std::string kUnnamed;

struct ResourceRequest {
    std::string exe;
    std::string type;
    std::string id;
    std::string file;  // OUT of export, IN of import
    std::uint16_t language = kCatalogueLanguage;
};

int RunList(const ResourceRequest& request) {
    auto file = ReadWholeFile(PathFromUtf8(request.exe));
    if (!file) return Fail(kUnnamed, file.error().message);
    auto entries = ReadResources(*file);
    if (!entries) return Fail(kUnnamed, entries.error().message);
    for (const ResourceEntry& e : *entries) {
        std::printf("%s %s %u %zu\n", e.type.ToString().c_str(), e.name.ToString().c_str(),
                    unsigned{e.language}, e.data.size());
    }
    return kExitSuccess;
}

int RunExport(const ResourceRequest& request) {
    auto file = ReadWholeFile(PathFromUtf8(request.exe));
    if (!file) return Fail(kUnnamed, file.error().message);
    auto data =
        ReadResource(*file, ResourceName::Parse(request.type), ResourceName::Parse(request.id));
    if (!data) return Fail(kUnnamed, data.error().message);
    if (auto written = WriteFileAtomically(PathFromUtf8(request.file), *data); !written) {
        return Fail(kUnnamed, written.error().message);
    }
    return kExitSuccess;
}

int RunImport(const ResourceRequest& request) {
    auto data = MappedFile::Open(PathFromUtf8(request.file), kLargestResources);
    if (!data) return Fail(kUnnamed, data.error().message);
    auto written = ReplaceResource(PathFromUtf8(request.exe), {ResourceName::Parse(request.type),
                                                               ResourceName::Parse(request.id),
                                                               request.language, 0, data->Bytes()});
    if (!written) return Fail(kUnnamed, written.error().message);
    return kExitSuccess;
}

// Registers one command that takes EXE and then the given resource arguments.
CLI::App* AddCommand(CLI::App& lftool, Work& chosen, const std::string& name,
                     const std::string& description, int (*run)(const ResourceRequest&),
                     const std::shared_ptr<ResourceRequest>& request) {
    CLI::App* command = lftool.add_subcommand(name, description);
    command->add_option("EXE", request->exe, "Executable (Windows PE or Linux ELF)")->required();
    command->callback(
        [request, run, &chosen] { chosen = [request, run] { return run(*request); }; });
    return command;
}

void AddTypeAndId(CLI::App* command, ResourceRequest& request) {
    command->add_option("TYPE", request.type, "Resource type: a name, or a number as N or #N")
        ->required();
    command->add_option("ID", request.id, "Resource name: a name, or a number as N or #N")
        ->required();
}

}  // namespace

void AddResourceCommands(CLI::App& lftool, Work& chosen) {
    auto list = std::make_shared<ResourceRequest>();
    AddCommand(lftool, chosen, "list", "List the resources: TYPE ID LANGUAGE SIZE, one per line",
               RunList, list);

    auto exported = std::make_shared<ResourceRequest>();
    CLI::App* exportCommand = AddCommand(
        lftool, chosen, "export", "Write the bytes of one resource to a file", RunExport, exported);
    AddTypeAndId(exportCommand, *exported);
    exportCommand->add_option("OUT", exported->file, "File to write")->required();

    auto imported = std::make_shared<ResourceRequest>();
    CLI::App* importCommand =
        AddCommand(lftool, chosen, "import",
                   "Put a file's bytes into the executable as one resource", RunImport, imported);
    AddTypeAndId(importCommand, *imported);
    importCommand->add_option("IN", imported->file, "File to read")->required();
    importCommand->add_option("--lang", imported->language,
                              "Language of the resource (default 2052)");
}

}  // namespace lf::tool
