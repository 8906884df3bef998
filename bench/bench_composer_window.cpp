// SetItemStat on the real detail window (card composed, blocks created and laid out) against
// creating the same number of plain labels with the same texts.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/shipped_table.h"
#include "catalogue/item_table.h"
#include "composer/card.h"
#include "composer/qt/stat_form.h"

namespace {

// Every 20th row of the shipped table: a thousand cards of every kind.
constexpr std::size_t kRowStride = 20;

const std::vector<std::string>& SampleRows() {
    static const std::vector<std::string> rows = [] {
        const lf::ItemTable& items = lf::bench::ShippedItems();
        std::vector<std::string> sample;
        for (std::size_t row = 0; row < items.size(); row += kRowStride) {
            sample.push_back(items.RowText(row));
        }
        return sample;
    }();
    return rows;
}

void SetItemStatOnWindow(benchmark::State& state) {
    lf::StatForm form;
    for (auto _ : state) {
        for (const std::string& row : SampleRows()) form.ShowCard(lf::SetItemStat(row, true));
    }
}

void CreatePlainLabels(benchmark::State& state) {
    std::vector<lf::Card> cards;
    for (const std::string& row : SampleRows()) cards.push_back(lf::SetItemStat(row, true));
    QWidget window;
    QLabel title(&window);
    std::vector<QLabel*> labels;
    for (auto _ : state) {
        for (const lf::Card& card : cards) {
            for (QLabel* label : labels) delete label;
            labels.clear();
            title.setText(QString::fromStdString(*card.title));
            for (const lf::TextBlock& block : card.blocks) {
                labels.push_back(new QLabel(QString::fromStdString(block.text), &window));
            }
        }
    }
    for (QLabel* label : labels) delete label;
}

constexpr char kRow[] = "StatForm::SetItemStat, 1 in 20 rows, vs plain labels";
BENCHMARK(SetItemStatOnWindow)->Name(std::string(kRow) + "/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(CreatePlainLabels)->Name(std::string(kRow) + "/baseline")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lf::bench::Goal(kRow, 1.5);
    return lf::bench::RunAndReport(argc, argv);
}
