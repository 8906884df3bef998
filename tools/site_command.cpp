// lftool site: the web catalogue of a catalogue, as a folder that any static server serves. The
// page's program files come from the folder "web" beside lftool; the catalogue's files go into
// OUTDIR/catalogue as they are (the table stays GBK: the page decodes it with the same core).
// OUTDIR is written whole or not at all: the site is made in a folder beside it and renamed.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "catalogue/catalogue_format.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "tools/catalogue_source.h"
#include "tools/commands.h"
#include "web/site_layout.h"

namespace lf::tool {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCommand = "site";
constexpr const char* kPageFolder = "web";
constexpr const char* kMarkerText =
    "This folder is a web catalogue written by lftool site, which may replace it whole.\n";

struct SiteRequest {
    std::string source;
    std::string outDir;
    std::string sheets;
};

struct Failure {
    int status;
    std::string message;
};

fs::path OwnExecutable() {
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    return path;
#else
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
#endif
}

// The catalogue's files by resource id, as they are in the source.
std::expected<std::vector<std::pair<web::CatalogueFile, Bytes>>, Failure> CatalogueOf(
    const SiteRequest& request, std::vector<std::string>& notes) {
    const auto source = ReadCatalogueSource(request.source);
    if (!source) return std::unexpected(Failure{kExitFailure, source.error().message});
    if (source->executable && !request.sheets.empty()) {
        return std::unexpected(
            Failure{kExitFailure, "--sheets is for an item table; an executable carries its own"});
    }
    if (const auto items = LoadSourceTable(*source); !items) {
        return std::unexpected(
            Failure{kExitFound, "the browser would refuse this table: " + items.error()});
    }
    std::vector<std::pair<web::CatalogueFile, Bytes>> files;
    for (const web::CatalogueFile& file : web::CatalogueFiles()) {
        if (file.id == kItemTableId) {
            files.emplace_back(file, Bytes(source->table.begin(), source->table.end()));
            continue;
        }
        std::optional<Bytes> sheet;
        if (source->executable) {
            if (auto data = ReadResource(source->file, ResourceName(kCatalogueType), file.id)) {
                sheet = Bytes(data->begin(), data->end());
            }
        } else if (!request.sheets.empty()) {
            const fs::path path = PathFromUtf8(request.sheets) / PathFromUtf8(file.name);
            std::error_code error;
            if (fs::exists(path, error)) {
                auto data = ReadWholeFile(path);
                if (!data) return std::unexpected(Failure{kExitFailure, data.error().message});
                sheet = std::move(*data);
            }
        }
        if (sheet) {
            files.emplace_back(file, std::move(*sheet));
        } else {
            notes.push_back(file.name);
        }
    }
    return files;
}

bool IsEmptyFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_empty(folder, error) && !error;
}

// A name beside OUTDIR that no other run picks: ".NAME.lftool-WORD-RANDOM".
fs::path BesideOutDir(const fs::path& outDir, const std::string& word) {
    std::random_device random;
    return outDir.parent_path() / PathFromUtf8("." + Utf8OfPath(outDir.filename()) + ".lftool-" +
                                               word + "-" + std::to_string(random()));
}

// Folders that killed runs left beside OUTDIR.
void RemoveLeftovers(const fs::path& outDir) {
    const std::string prefix = "." + Utf8OfPath(outDir.filename()) + ".lftool-";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(outDir.parent_path(), error)) {
        if (Utf8OfPath(entry.path().filename()).starts_with(prefix)) {
            std::error_code ignored;
            fs::remove_all(entry.path(), ignored);
        }
    }
}

std::optional<Failure> WriteSite(const fs::path& folder, const fs::path& pageFolder,
                                 const std::vector<std::pair<web::CatalogueFile, Bytes>>& files) {
    const auto failed = [](const std::string& what, const std::error_code& error) {
        return Failure{kExitFailure, what + ": " + error.message()};
    };
    std::error_code error;
    fs::create_directories(folder / web::kCatalogueFolder, error);
    if (error) return failed("cannot create " + Utf8OfPath(folder), error);
    // File by file: a recursive copy into a folder that exists fails on Windows.
    for (fs::recursive_directory_iterator entry(pageFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path to = folder / entry->path().lexically_relative(pageFolder);
        if (entry->is_directory(error)) {
            fs::create_directories(to, error);
        } else if (!error) {
            fs::copy_file(entry->path(), to, fs::copy_options::overwrite_existing, error);
        }
        if (error) break;
    }
    if (error)
        return failed("cannot copy the web page's files from " + Utf8OfPath(pageFolder), error);
    for (const auto& [file, bytes] : files) {
        const fs::path path = folder / web::kCatalogueFolder / PathFromUtf8(file.name);
        if (auto written = WriteFileAtomically(path, bytes); !written) {
            return Failure{kExitFailure, written.error().message};
        }
    }
    if (auto written = WriteFileAtomically(folder / web::kSiteMarkerFile, AsBytes(kMarkerText));
        !written) {
        return Failure{kExitFailure, written.error().message};
    }
    return std::nullopt;
}

// The new site takes OUTDIR's place; an old one goes only once the new one is in place.
std::optional<Failure> PutInPlace(const fs::path& made, const fs::path& outDir) {
    std::error_code error;
    const bool replacing = fs::exists(outDir, error);
    const fs::path old = BesideOutDir(outDir, "old");
    if (replacing) {
        fs::rename(outDir, old, error);
        if (error)
            return Failure{kExitFailure,
                           "cannot replace " + Utf8OfPath(outDir) + ": " + error.message()};
    }
    fs::rename(made, outDir, error);
    if (error) {
        std::error_code ignored;
        if (replacing) fs::rename(old, outDir, ignored);
        return Failure{kExitFailure, "cannot write " + Utf8OfPath(outDir) + ": " + error.message()};
    }
    if (replacing) fs::remove_all(old, error);
    return std::nullopt;
}

int RunSite(const SiteRequest& request) {
    const fs::path outDir = fs::absolute(PathFromUtf8(request.outDir)).lexically_normal();
    const fs::path target = outDir.has_filename() ? outDir : outDir.parent_path();
    std::error_code error;
    if (fs::exists(target, error)) {
        if (!fs::is_directory(target, error)) {
            return Fail(kCommand, Utf8OfPath(target) + " is a file, not a folder");
        }
        if (!IsEmptyFolder(target) && !fs::exists(target / web::kSiteMarkerFile, error)) {
            return Fail(kCommand, Utf8OfPath(target) +
                                      " is not empty and was not written by lftool site; "
                                      "name a new or empty folder");
        }
    }
    const fs::path pageFolder = OwnExecutable().parent_path() / kPageFolder;
    if (!fs::exists(pageFolder / "index.html", error)) {
        return Fail(kCommand, "the web page's files are missing: lftool looks for them in " +
                                  Utf8OfPath(pageFolder));
    }
    std::vector<std::string> missing;
    auto files = CatalogueOf(request, missing);
    if (!files) {
        Fail(kCommand, files.error().message);
        return files.error().status;
    }
    RemoveLeftovers(target);
    const fs::path made = BesideOutDir(target, "new");
    std::optional<Failure> failure = WriteSite(made, pageFolder, *files);
    if (!failure) failure = PutInPlace(made, target);
    if (failure) {
        fs::remove_all(made, error);
        Fail(kCommand, failure->message);
        return failure->status;
    }
    std::string out = Utf8OfPath(target) + ": the web catalogue, " +
                      std::to_string(files->size() - 1) + " of " + std::to_string(kIconSheetCount) +
                      " icon sheets\n";
    if (!missing.empty()) {
        std::string names;
        for (const std::string& name : missing) names += (names.empty() ? "" : ", ") + name;
        out += "note: no " + names + ": the items of " +
               (missing.size() == 1 ? "that sheet show" : "those sheets show") +
               " a grey icon box\n";
    }
    if (!Print(out) || std::fflush(stdout) != 0) return Fail(kCommand, "cannot write the output");
    return kExitSuccess;
}

}  // namespace

void AddSiteCommand(CLI::App& lftool, Work& chosen) {
    auto request = std::make_shared<SiteRequest>();
    CLI::App* site = lftool.add_subcommand(
        "site", "Write the web catalogue of a catalogue: a folder any static server serves");
    site->footer(
        "OUTDIR receives index.html and the page's files (from the folder \"web\" beside lftool) "
        "and, in OUTDIR/catalogue, the item table and the icon sheets as they are. OUTDIR must be "
        "new, empty, or written by lftool site before; it is replaced whole or not at all.\n"
        "Exit status: 0 written, 1 the browser would refuse the table, 2 misuse or a file that "
        "cannot be read or written.");
    site->add_option("SOURCE", request->source,
                     "Lorefinder.exe (Windows or Linux), or an item table file")
        ->required();
    site->add_option("OUTDIR", request->outDir, "The folder to write")->required();
    site->add_option("--sheets", request->sheets,
                     "For an item table: the folder of its icon sheets, icon_sheet_01.jpg to "
                     "icon_sheet_16.jpg");
    site->callback([request, &chosen] { chosen = [request] { return RunSite(*request); }; });
}

}  // namespace lf::tool
