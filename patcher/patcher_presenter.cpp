#include "patcher/patcher_presenter.h"

#include "common/catalogue_format.h"
#include "common/file_io.h"

namespace lf::patcher {
namespace {

constexpr PatcherCaptions kChineseCaptions{"Tablepatch", "导入", "导出", "注", "导入"};
constexpr Bilingual kNotBesideBrowser{"本文件夹找不到Lorefinder.exe....",
                                      "Lorefinder.exe not found...please put me together..."};
constexpr Bilingual kHelp{
    "本工具是用来替换 Lorefinder.exe 里面的道具数据文件的,\r\n"
    "数据文件格式如不清楚，\r\n"
    "请把本工具和 Lorefinder.exe 放一起,\r\n"
    "按下[导出]把原数据导出以作参考。",
    "This tool is used to replace the item data file inside Lorefinder.exe, \r\n"
    " if you dont know data file's format, \r\n"
    " please put me and Lorefinder.exe together, \r\n"
    "and press[Export]the export of raw data for reference."};
constexpr std::string_view kOverwriteQuestion =
    "File (item.txt) is extist...do you want overwrite it";
constexpr Bilingual kExportFailed{"无法写入 item.txt，原文件未改动：\n",
                                  "item.txt was not written; any old item.txt is unchanged:\n"};
constexpr Bilingual kSourceUnreadable{"无法读取文件，Lorefinder.exe 未改动：\n",
                                      "Cannot read the file; Lorefinder.exe is unchanged:\n"};
constexpr Bilingual kSourceEmpty{"文件是空的，Lorefinder.exe 未改动：\n",
                                 "The file is empty; Lorefinder.exe is unchanged:\n"};
constexpr Bilingual kRewriteFailed{"无法写入 Lorefinder.exe，文件未改动：\n",
                                   "Lorefinder.exe could not be rewritten and is unchanged:\n"};
// Every failure but a missing executable names its cause after these words.
Bilingual WordingOf(WriteFailure failure) {
    switch (failure) {
        case WriteFailure::SourceUnreadable:
            return kSourceUnreadable;
        case WriteFailure::SourceEmpty:
            return kSourceEmpty;
        default:
            return kRewriteFailed;
    }
}

constexpr FileFilter kTableFilter{"TXT", "*.txt"};
constexpr FileFilter kSheetFilter{"JPG", "*.jpg"};

}  // namespace

PatcherPresenter::PatcherPresenter(PatcherView& view, SystemPort& system, std::string folder)
    : view_(view), system_(system), folder_(std::move(folder)) {}

bool PatcherPresenter::Start() {
    language_ = LanguageOf(system_.SystemLocaleIsChinese());
    if (language_ == Language::Chinese) view_.ShowCaptions(kChineseCaptions);
    if (!FileIsPresent(BrowserPath())) {
        Tell(kNotBesideBrowser.In(language_));
        return false;
    }
    iconIndex_ = 0;
    const std::string cd = MyPathCD(folder_);
    dialogFolder_ = cd.empty() ? "/" : cd;
    helpClicks_ = 0;
    SetOuterHeight(kCollapsedOuterTwips);
    return true;
}

// ---- help and the reveal gesture ---------------------------------------------------------------

void PatcherPresenter::OnHelp() {
    Tell(kHelp.In(language_));
    ++helpClicks_;
    // Once revealed, the panel stays until the patcher ends.
    if (helpClicks_ == kRevealCount && outerHeightTwips_ == kCollapsedOuterTwips) {
        SetOuterHeight(kRevealedOuterTwips);
    }
}

// ---- export ------------------------------------------------------------------------------------

void PatcherPresenter::OnExport() {
    const std::string exePath = BrowserPath().string();
    auto bytes = ReadResource(exePath, "CUSTOM", "#101");
    if (!bytes) {
        Tell("Resource #101 Found not found in " + exePath + " !");
        ended_ = true;
        view_.End();
        return;
    }
    const std::filesystem::path target = MyPathPrefix(folder_) + kExportFileName;
    if (FileIsPresent(target) && !system_.AskYesNo(kPatcherTitle, kOverwriteQuestion)) return;
    if (auto saved = WriteFileAtomically(target, *bytes); !saved) {
        Tell(std::string(kExportFailed.In(language_)) + saved.error().message);
        return;
    }
    Tell("ok");
}

// ---- replacement -------------------------------------------------------------------------------

void PatcherPresenter::OnReplace() { ImportResource(kTableFilter, kItemTableId); }

void PatcherPresenter::OnImportIcon() {
    dialogFolder_ = folder_;
    ImportResource(kSheetFilter, IconSheetId(iconIndex_));
}

// The completion message comes only after Lorefinder.exe was really rewritten.
void PatcherPresenter::ImportResource(FileFilter filter, std::uint16_t id) {
    const std::filesystem::path chosen = system_.ChooseFileToOpen(dialogFolder_, filter);
    if (chosen.empty()) return;
    const std::filesystem::path exePath = BrowserPath();
    auto written = WriteResource(exePath, chosen, "CUSTOM", id);
    if (!written) {
        ReportWriteFailure(written.error(), exePath);
        return;
    }
    Tell("Import " + chosen.string() + " to " + kBrowserFileName + " Finish...");
}

void PatcherPresenter::ReportWriteFailure(const WriteError& error,
                                          const std::filesystem::path& exePath) {
    if (error.failure == WriteFailure::ExecutableMissing) {
        Tell(exePath.string() + "not found !!");
        return;
    }
    Tell(std::string(WordingOf(error.failure).In(language_)) + error.detail);
}

void PatcherPresenter::Tell(std::string_view text) { system_.ShowMessage(kPatcherTitle, text); }

void PatcherPresenter::SetOuterHeight(int twips) {
    outerHeightTwips_ = twips;
    view_.SetOuterHeightTwips(twips);
}

std::filesystem::path PatcherPresenter::BrowserPath() const {
    return MyPathPrefix(folder_) + kBrowserFileName;
}

}  // namespace lf::patcher
