// The module's entry points: the page hands over the catalogue's files, then forwards each event
// of its controls here and asks for the texts of the rows it shows. A reactor module: the page
// calls _initialize once, first.

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "web/page_imports.h"
#include "web/site_layout.h"
#include "web/web_session.h"

#define LF_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

using lf::web::WebSession;

// Without exceptions a failed allocation would hand back a null pointer, and address 0 is
// writable memory here: it traps instead, and the page says so.
[[maybe_unused]] const bool kTrapOnOutOfMemory =
    (std::set_new_handler([] { __builtin_trap(); }), true);

// The page's own captions, which no window has.
constexpr lf::Bilingual kLanguageSwitch{"English", "中文"};
constexpr lf::Bilingual kItemNameLabel{"道具名称", "Item name"};
constexpr lf::Bilingual kCloseFinder{"关闭", "Close"};

lf::web::WebCatalogue g_catalogue;
std::unique_ptr<WebSession> g_session;
// Text from the page for the call that follows, and text for the page, read right after a call.
std::string g_text;
std::string g_replyText;
struct TextReply {
    const char* data;
    std::uint32_t size;
} g_reply;
static_assert(sizeof(TextReply) == 8, "two 32-bit words");

std::string_view Text(std::uint32_t size) { return std::string_view(g_text).substr(0, size); }

const TextReply* Reply(std::string_view text) {
    g_reply = {text.data(), static_cast<std::uint32_t>(text.size())};
    return &g_reply;
}

std::unique_ptr<WebSession> NewSession(bool chinese) {
    auto session = std::make_unique<WebSession>(g_catalogue, chinese);
    const lf::Language language = lf::LanguageOf(chinese);
    lf::web::page::ShowText("language-switch", kLanguageSwitch.In(language));
    lf::web::page::ShowText("item-name-label", kItemNameLabel.In(language));
    lf::web::page::ShowText("finder-close-label", kCloseFinder.In(language));
    return session;
}

lf::finder::FinderPresenter* Finder() { return g_session ? g_session->Finder() : nullptr; }

}  // namespace

// ---- the catalogue and the run ----------------------------------------------------------------

LF_EXPORT("lf_text_room") char* TextRoom(std::uint32_t size) {
    if (g_text.size() < size) g_text.resize(size);
    return g_text.data();
}

LF_EXPORT("lf_file_room") std::uint8_t* FileRoom(std::uint32_t id, std::uint32_t size) {
    return g_catalogue.Room(static_cast<std::uint16_t>(id), size);
}

// The catalogue's files that the page fetches from the site, by index: the resource id and the
// name; none after the last.
LF_EXPORT("lf_catalogue_file_id") std::uint32_t CatalogueFileId(std::uint32_t index) {
    const auto files = lf::web::CatalogueFiles();
    return index < files.size() ? files[index].id : 0;
}
LF_EXPORT("lf_catalogue_file_name") const TextReply* CatalogueFileName(std::uint32_t index) {
    const auto files = lf::web::CatalogueFiles();
    g_replyText = index < files.size()
                      ? std::string(lf::web::kCatalogueFolder) + "/" + files[index].name
                      : std::string();
    return Reply(g_replyText);
}

LF_EXPORT("lf_is_chinese_language") int IsChineseLanguage(std::uint32_t size) {
    return lf::web::IsChinesePageLanguage(Text(size)) ? 1 : 0;
}

// 1 when the catalogue was loaded; otherwise the page shows the loader's message.
LF_EXPORT("lf_start") int Start(int chinese) {
    g_session = NewSession(chinese != 0);
    if (g_session->Start()) return 1;
    g_session.reset();
    return 0;
}

LF_EXPORT("lf_switch_language") int SwitchLanguage(int chinese) {
    if (!g_session) return 0;
    auto next = NewSession(chinese != 0);
    if (!next->Start()) return 0;
    next->TakeOver(*g_session);
    g_session = std::move(next);
    return 1;
}

// The page's address after "#": the path, then each parameter's key and value, all separated by
// a zero byte.
LF_EXPORT("lf_open_link") void OpenLink(std::uint32_t size) {
    if (!g_session) return;
    std::vector<std::string_view> words;
    const std::string_view text = Text(size);
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\0', start);
        words.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    lf::web::PageLink link{std::string(words.front()), {}};
    for (std::size_t i = 1; i + 1 < words.size(); i += 2) {
        link.parameters.emplace_back(words[i], words[i + 1]);
    }
    g_session->OpenLink(link);
}

// ---- the main window --------------------------------------------------------------------------

LF_EXPORT("lf_row_name") const TextReply* RowName(std::uint32_t row) {
    if (!g_session) return Reply({});
    const lf::ItemTable& items = g_session->Presenter().Items();
    return Reply(row < items.size() ? items[row].Name : std::string_view());
}

LF_EXPORT("lf_search_text_changed") void SearchTextChanged() {
    if (g_session) g_session->Presenter().OnSearchTextChanged();
}

LF_EXPORT("lf_search") void Search(std::uint32_t size) {
    if (g_session) g_session->Presenter().OnSearch(Text(size));
}

// -1: the selection was cleared.
LF_EXPORT("lf_row_selected") void RowSelected(int row) {
    if (!g_session) return;
    g_session->Presenter().OnRowSelected(
        row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
}

LF_EXPORT("lf_item_number_changed") void ItemNumberChanged(std::uint32_t size) {
    if (!g_session) return;
    g_session->View().NumberTyped(Text(size));
    g_session->Presenter().OnItemNumberChanged(Text(size));
}

LF_EXPORT("lf_icon_box_clicked") void IconBoxClicked() {
    if (g_session) g_session->Presenter().OnIconBoxClicked();
}

LF_EXPORT("lf_find") void Find() {
    if (g_session) g_session->OpenFinder();
}

// ---- the Item Finder --------------------------------------------------------------------------

LF_EXPORT("lf_finder_name") void FinderName(std::uint32_t size) {
    if (g_session) g_session->FinderName(Text(size));
}
LF_EXPORT("lf_finder_slot") void FinderSlot(std::uint32_t choice) {
    if (g_session) g_session->FinderSlot(choice);
}
LF_EXPORT("lf_finder_class") void FinderClass(std::uint32_t choice) {
    if (g_session) g_session->FinderClass(choice);
}
LF_EXPORT("lf_finder_level_from") void FinderLevelFrom(std::uint32_t size) {
    if (g_session) g_session->FinderLevelFrom(Text(size));
}
LF_EXPORT("lf_finder_level_to") void FinderLevelTo(std::uint32_t size) {
    if (g_session) g_session->FinderLevelTo(Text(size));
}
LF_EXPORT("lf_finder_stat") void FinderStat(std::uint32_t choice) {
    if (g_session) g_session->FinderStat(choice);
}
LF_EXPORT("lf_finder_stat_minimum") void FinderStatMinimum(std::uint32_t size) {
    if (g_session) g_session->FinderStatMinimum(Text(size));
}
LF_EXPORT("lf_finder_special") void FinderSpecial(int specialOnly) {
    if (g_session) g_session->FinderSpecialOnly(specialOnly != 0);
}
LF_EXPORT("lf_finder_header") void FinderHeader(std::uint32_t column) {
    if (g_session) g_session->FinderHeader(column);
}
LF_EXPORT("lf_finder_compare") void FinderCompare() {
    if (g_session) g_session->FinderCompare();
}
LF_EXPORT("lf_finder_clear") void FinderClear() {
    if (g_session) g_session->FinderClear();
}
LF_EXPORT("lf_finder_move") void FinderMove(int step) {
    if (Finder()) Finder()->OnMoveCurrent(step);
}
LF_EXPORT("lf_finder_result_clicked") void FinderResultClicked(std::uint32_t result) {
    if (Finder()) Finder()->OnResultClicked(result);
}
LF_EXPORT("lf_finder_activate") void FinderActivate() {
    if (Finder()) Finder()->OnActivate();
}
LF_EXPORT("lf_finder_result_activated") void FinderResultActivated(std::uint32_t result) {
    if (Finder()) Finder()->OnResultActivated(result);
}
LF_EXPORT("lf_finder_escape") void FinderEscape() {
    if (Finder()) Finder()->OnEscape();
}

LF_EXPORT("lf_result_row") int ResultRow(std::uint32_t result) {
    if (!Finder() || result >= Finder()->ResultCount()) return -1;
    return static_cast<int>(Finder()->ResultRow(result));
}

LF_EXPORT("lf_result_cell")
const TextReply* ResultCell(std::uint32_t result, std::uint32_t column) {
    if (!Finder() || result >= Finder()->ResultCount() || column >= lf::finder::kResultColumns) {
        return Reply({});
    }
    g_replyText = Finder()->ResultCell(result, column);
    return Reply(g_replyText);
}
