// The modder's table tools in process: check, the CSV round trip, diff.

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/gbk.h"
#include "modding/item_table_check.h"
#include "modding/table_csv.h"
#include "modding/table_diff.h"
#include "tests/support/test_catalogue.h"

namespace lf {
namespace {

using testing::Record;
using testing::Table;

std::string ShippedTable() {
    const auto bytes = ReadWholeFile(LF_CATALOGUE_DIR "/item_table.txt");
    return bytes ? std::string(AsText(*bytes)) : std::string();
}

std::string RoundTrip(const std::string& table) {
    const auto csv = ItemTableToCsv(table, true);
    if (!csv) return "to-csv: " + csv.error().detail;
    const auto back = ItemTableFromCsv(*csv);
    return back ? *back : "from-csv: " + back.error().message;
}

// Every loadable table comes back byte for byte, whatever its records and the bytes around them.
TEST(TableCsv, LoadableTablesComeBackByteForByte) {
    const std::string shipped = ShippedTable();
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(RoundTrip(shipped) == shipped) << "the shipped table";

    const std::string quirky =
        EncodeGbk(Record(0, "Tonic \"x\", the 1st", "007") + "\r\n" + Record(1, "", "-0") + "\r\n" +
                  Record(2, " 草药 ", "0.500000", 87, "a,b \"c\""));
    const std::string invalidGbk = "\xFF\x81|\x80\xFE\xA1";  // the loader shows these as U+FFFD
    const std::string bareBreaks = "x\ry\nz";                // a record line ends at CR LF only
    const std::string tables[] = {
        "3\r\n" + quirky + "\r\n" + std::string("\0", 1),
        "3\r\n" + quirky,                              // no CR LF after the last record
        " 3|x\r\n" + quirky + "\r\nignored|line\r\n",  // count line and lines beyond the count
        "1\r\n" + Record(0, invalidGbk + bareBreaks) + "\r\n",
        "2\r\n" + Record(0, "short", "5", 80) + "\r\n" + Record(1, "long", "5", 95) + "\r\n",
        "1\r\n" + Record(0, "open") + "tail\r\n",  // does not end with "|"
    };
    for (const std::string& table : tables) {
        ASSERT_TRUE(LoadItemTable(table)) << table;
        EXPECT_EQ(RoundTrip(table), table);
    }
}

TEST(TableCsv, CellsHoldTheFieldsTextAsItStands) {
    const auto csv = ItemTableToCsv(
        EncodeGbk("1\r\n" + Record(0, "Tonic \"x\", 1st", "007", 87, "0.500000")), false);
    ASSERT_TRUE(csv);
    EXPECT_TRUE(csv->starts_with("number,name,kind,level_requirement,"));
    EXPECT_NE(csv->find(",description\r\n0,\"Tonic \"\"x\"\", 1st\",0,"), std::string::npos);
    EXPECT_NE(csv->find(",007,"), std::string::npos);
    EXPECT_NE(csv->find(",0.500000\r\n|layout|,end,,"), std::string::npos) << "no CR LF at the end";
}

TEST(TableCsv, CellsThatCannotBeATableAreRefusedWhereTheyStand) {
    const std::string csv = *ItemTableToCsv("1\r\n" + Record(0, "A") + "\r\n", false);
    const std::size_t name = csv.find("\r\n0,A,") + 4;  // offset of the record's name cell
    const struct {
        std::string csv;
        std::size_t column;
        std::string says;
    } cases[] = {
        {csv.substr(0, name) + "A✓" + csv.substr(name + 1), 4, "has no GBK form"},
        {csv.substr(0, name) + "A|B" + csv.substr(name + 1), 4, "\"|\""},
        {csv.substr(0, name) + "A\uF77C" + csv.substr(name + 1), 3, "split"},  // "|" as a kept byte
        {csv.substr(0, name) + "\"A\nB\"" + csv.substr(name + 1), 5, "line break"},
        {csv.substr(0, name) + "A,B" + csv.substr(name + 1), 1, "88 cells; the header has 87"},
    };
    for (const auto& c : cases) {
        const auto table = ItemTableFromCsv(c.csv);
        ASSERT_FALSE(table) << c.says;
        EXPECT_EQ(table.error().line, 2u) << c.says;
        EXPECT_EQ(table.error().column, c.column) << c.says;
        EXPECT_NE(table.error().message.find(c.says), std::string::npos) << table.error().message;
    }
}

// Each way the browser refuses a table comes back as one error, where loading stopped.
TEST(CheckItemTable, NamesTheLineFieldAndKindOfEachLoadFailure) {
    const std::string two = Record(0, "A") + "\r\n" + Record(1, "B") + "\r\n";
    const struct {
        std::string table;
        std::string kind;
        std::size_t line, column;
        std::optional<std::size_t> field;
    } cases[] = {
        {"x\r\n" + two, "type mismatch", 1, 1, std::nullopt},
        {"9999999999\r\n" + two, "overflow", 1, 1, std::nullopt},
        {"0\r\n" + two, "subscript out of range", 1, 1, std::nullopt},
        {"3\r\n" + two, "subscript out of range", 4, 1, std::nullopt},
        {"2\r\n" + Record(0, "A") + "\r\n" + Record(1, "B", "5", 72) + "\r\n",
         "subscript out of range", 3, 145, 73},
        {"1\r\n" + Record(0, "A", "x5") + "\r\n", "type mismatch", 2, 147, 73},
    };
    for (const auto& c : cases) {
        const TableCheck check = CheckItemTable(c.table);
        ASSERT_FALSE(check.Loads()) << c.table;
        EXPECT_EQ(check.Count(Severity::Error), 1u);
        const Finding* error = check.FirstError();
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->kind, c.kind) << error->message;
        EXPECT_EQ(error->line, c.line) << error->message;
        EXPECT_EQ(error->column, c.column) << error->message;
        EXPECT_EQ(error->field, c.field) << error->message;
    }
}

TEST(CheckItemTable, WarnsOfLikelyMistakesInATableThatLoads) {
    const std::string shipped = ShippedTable();
    const TableCheck clean = CheckItemTable(shipped);
    EXPECT_TRUE(clean.Loads());
    EXPECT_TRUE(clean.findings.empty()) << clean.findings.front().message;
    EXPECT_EQ(clean.rows, 21809u);

    const TableCheck saved = CheckItemTable(DecodeGbk(shipped));  // saved as UTF-8
    ASSERT_FALSE(saved.findings.empty());
    EXPECT_EQ(saved.findings.front().kind, "utf-8");

    std::string notANumber = Record(3, "D");
    notANumber.replace(notANumber.find("|0|"), 3, "|1.5e|");  // field 2
    const std::string table = "5\r\n" + Record(0, " A") + "\r\n" + Record(5, "B", "4096") + "\r\n" +
                              Record(2, "C", "5", 80) + "\r\n" + notANumber + "\r\n" +
                              Record(4, "E", "5", 87, "not \xFF GBK") + "\r\n";
    std::vector<std::string> kinds;
    for (const Finding& finding : CheckItemTable(table).findings) kinds.push_back(finding.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"name blanks", "row number", "icon", "field count",
                                               "not a number", "encoding"}));
}

TEST(DiffItemTables, ReportsChangedFieldsByPositionAndRowsBeyondTheOtherTable) {
    const auto before =
        LoadItemTable("2\r\n" + Record(0, "A") + "\r\n" + Record(1, "Sword") + "\r\n");
    const auto after = LoadItemTable("3\r\n" + Record(0, "A") + "\r\n" + Record(1, "Sabre", "6") +
                                     "\r\n" + Record(2, "New") + "\r\n");
    const std::vector<RecordChange> changes = DiffItemTables(*before, *after);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, RecordChange::Kind::Changed);
    EXPECT_EQ(changes[0].row, 1u);
    EXPECT_EQ(changes[0].name, "Sabre");
    ASSERT_EQ(changes[0].fields.size(), 2u);
    EXPECT_EQ(changes[0].fields[1].field, 73u);
    EXPECT_EQ(changes[0].fields[1].before, "5");
    EXPECT_EQ(changes[0].fields[1].after, "6");
    EXPECT_EQ(changes[1].kind, RecordChange::Kind::Added);
    EXPECT_EQ(changes[1].number, "2");
}

}  // namespace
}  // namespace lf
