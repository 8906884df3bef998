#include "patcher/patcher_presenter.h"

#include "catalogue/catalogue_format.h"
#include "common/executable_resources.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "modding/item_table_check.h"
#include "patcher/patcher_layout.h"

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
constexpr Bilingual kReadOnly{
    " 是只读的，Tablepatch 无法在这里修改它。\n"
    "个人安装（make install）或便携文件夹里的 Lorefinder.exe 可以修改。",
    " is read-only for you, so Tablepatch cannot patch it here.\n"
    "A per-user install (make install) or the portable folder can be patched."};
constexpr std::string_view kOverwriteQuestion =
    "File (item.txt) is extist...do you want overwrite it";
constexpr Bilingual kExportFailed{"无法写入 item.txt，原文件未改动：\n",
                                  "item.txt was not written; any old item.txt is unchanged:\n"};
constexpr Bilingual kSourceUnreadable{"无法读取文件，Lorefinder.exe 未改动：\n",
                                      "Cannot read the file; Lorefinder.exe is unchanged:\n"};
constexpr Bilingual kSourceTooLarge{"文件太大，Lorefinder.exe 未改动：\n",
                                    "The file is too large; Lorefinder.exe is unchanged:\n"};
constexpr Bilingual kOutOfMemory{"内存不足，未导出：\n",
                                 "Not enough memory; nothing was exported:\n"};
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
        case WriteFailure::SourceTooLarge:
            return kSourceTooLarge;
        default:
            return kRewriteFailed;
    }
}

constexpr Bilingual kRefusedTable{"浏览器将无法载入这个道具表：",
                                  "The browser would refuse this table: "};
constexpr Bilingual kRefusedWhere{"第 {line} 行，第 {field} 栏：", "line {line}, field {field}: "};
constexpr Bilingual kWriteAnyway{"。\r\n仍然写入 Lorefinder.exe 吗？",
                                 ".\r\nWrite it into Lorefinder.exe anyway?"};

std::string Filled(std::string_view pattern, std::size_t line, std::size_t field) {
    std::string text(pattern);
    text.replace(text.find("{line}"), 6, std::to_string(line));
    text.replace(text.find("{field}"), 7, std::to_string(field));
    return text;
}

constexpr FileFilter kTableFilter{"TXT", "*.txt"};
constexpr FileFilter kSheetFilter{"JPG", "*.jpg"};

// The catalogue's resources as the patcher names them in text: "CUSTOM" and "#101".
std::string CatalogueTypeText() { return ResourceName(std::u16string(kCatalogueType)).ToString(); }
std::string ItemTableNameText() { return ResourceName(kItemTableId).ToString(); }

}  // namespace

std::string IconOptionCaption(int k) { return "Item Icon " + std::to_string(k + 1); }

PatcherPresenter::PatcherPresenter(PatcherView& view, SystemPort& system, std::string folder)
    : view_(view), system_(system), folder_(std::move(folder)) {}

bool PatcherPresenter::Start() {
    language_ = LanguageOf(system_.SystemLocaleIsChinese());
    if (language_ == Language::Chinese) view_.ShowCaptions(kChineseCaptions);
    if (!FileIsPresent(BrowserPath())) {
        Tell(kNotBesideBrowser.In(language_));
        return false;
    }
    // A system-wide install run by a normal user: said before any dialog, not after a failure.
    if (!CanReplace(BrowserPath()))
        Tell(Utf8OfPath(BrowserPath()) + std::string(kReadOnly.In(language_)));
    iconIndex_ = 0;
    const std::string cd = MyPathCD(folder_);
    dialogFolder_ = PathFromUtf8(cd.empty() ? "/" : cd);
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
    auto bytes = ReadResource(BrowserPath(), CatalogueTypeText(), ItemTableNameText());
    if (!bytes && bytes.error().kind == Error::Kind::TooLarge) {  // the memory ran short
        Tell(std::string(kOutOfMemory.In(language_)) + bytes.error().message);
        return;
    }
    if (!bytes) {
        Tell("Resource " + ItemTableNameText() + " Found not found in " +
             Utf8OfPath(BrowserPath()) + " !");
        ended_ = true;
        view_.End();
        return;
    }
    const std::filesystem::path target = PathFromUtf8(MyPathPrefix(folder_) + kExportFileName);
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
    dialogFolder_ = PathFromUtf8(folder_);
    ImportResource(kSheetFilter, IconSheetId(iconIndex_));
}

// The completion message comes only after Lorefinder.exe was really rewritten.
void PatcherPresenter::ImportResource(FileFilter filter, std::uint16_t id) {
    const std::filesystem::path chosen = system_.ChooseFileToOpen(dialogFolder_, filter);
    if (chosen.empty()) return;
    if (id == kItemTableId && !TableMayBeWritten(chosen)) return;
    const std::filesystem::path exePath = BrowserPath();
    auto written = WriteResource(exePath, chosen, CatalogueTypeText(), id);
    if (!written) {
        ReportWriteFailure(written.error(), exePath);
        return;
    }
    Tell("Import " + Utf8OfPath(chosen) + " to " + kBrowserFileName + " Finish...");
}

// A table the browser would refuse would keep it from starting, the working table overwritten:
// the user is asked first, and No (the default) writes nothing. Tables that load go in unasked.
bool PatcherPresenter::TableMayBeWritten(const std::filesystem::path& table) {
    // A missing executable, an unreadable or an empty table: the write itself says what is wrong.
    if (!FileIsPresent(BrowserPath())) return true;
    auto file = MappedFile::Open(table, kLargestResources);
    if (!file || file->Bytes().empty()) return true;
    const TableCheck check = CheckItemTable(AsText(file->Bytes()));
    const Finding* error = check.FirstError();
    if (check.Loads() || !error) return true;
    const std::string question =
        std::string(kRefusedTable.In(language_)) +
        Filled(kRefusedWhere.In(language_), error->line, error->field.value_or(0)) + error->kind +
        std::string(kWriteAnyway.In(language_));
    return system_.AskYesNo(kPatcherTitle, question);
}

void PatcherPresenter::ReportWriteFailure(const WriteError& error,
                                          const std::filesystem::path& exePath) {
    if (error.failure == WriteFailure::ExecutableMissing) {
        Tell(Utf8OfPath(exePath) + "not found !!");
        return;
    }
    Tell(std::string(WordingOf(error.failure).In(language_)) + error.detail);
}

void PatcherPresenter::Tell(std::string_view text) { system_.ShowMessage(kPatcherTitle, text); }

void PatcherPresenter::SetOuterHeight(int twips) {
    outerHeightTwips_ = twips;
    view_.SetOuterHeight(layout::PixelsOfTwips(twips));
}

std::filesystem::path PatcherPresenter::BrowserPath() const {
    return PathFromUtf8(MyPathPrefix(folder_) + kBrowserFileName);
}

}  // namespace lf::patcher
