// The main window's song list at 100,000 rows: filling it, sorting it by each column, selecting
// and scrolling. Runs offscreen; prints plain numbers.

#include "browser/TfrmMain.h"
#include "store/SongStore.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace orvane {
namespace {

constexpr int kRows = 100000;

SongRows MakeRows() {
    std::mt19937 random(7);
    SongRows rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const int artist = int(random() % 4000);
        SongRow r;
        r.Title = QStringLiteral("Song %1 of the night").arg(random() % 1000000);
        r.Artist = QStringLiteral("Artist %1").arg(artist);
        r.Album = QStringLiteral("Album %1").arg(artist * 3 + int(random() % 3));
        r.Duration = QStringLiteral("%1:%2")
                         .arg(random() % 10, 2, 10, QChar(u'0'))
                         .arg(random() % 60, 2, 10, QChar(u'0'));
        r.Year = QString::number(1960 + random() % 60);
        r.Genre = QStringLiteral("Rock");
        r.Comment = (i % 3 == 0) ? QStringLiteral("live recording") : QString();
        r.FileName = r.Title + QStringLiteral(".mp3");
        r.Folder = QStringLiteral("/music/%1/").arg(r.Artist);
        r.Collection = kLocalCollection;
        r.NewFlag = (i % 10 == 0) ? QStringLiteral("1") : QStringLiteral("0");
        rows.push_back(std::move(r));
    }
    return rows;
}

struct Window {
    Window() {
        window.resize(1100, 750);
        window.show();
        window.SelectFolderNode(QStringLiteral("Albums"));
        QCoreApplication::processEvents();
    }
    SongStore store;
    TfrmMain window;
};

Window& Shared() {
    static Window w;
    return w;
}

const SongRows& Rows() {
    static const SongRows rows = MakeRows();
    return rows;
}

// A view's rows replace the list's, the counts and captions follow, and the list repaints.
void BM_FillSelection(benchmark::State& state) {
    TfrmMain& window = Shared().window;
    for (auto _ : state) {
        SongRows rows = Rows();
        window.lvSelection()->Songs()->SetRows(std::move(rows));
        window.lvSelection()->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FillSelection)->Unit(benchmark::kMillisecond);

// A header click on an unsorted list, alternating the direction.
void BM_SortSelection(benchmark::State& state) {
    TfrmMain& window = Shared().window;
    const int column = int(state.range(0));
    bool ascending = true;
    for (auto _ : state) {
        state.PauseTiming();
        window.lvSelection()->Songs()->SetRows(Rows());
        window.lvSelection()->selectRow(kRows / 2);
        state.ResumeTiming();
        window.lvSelection()->horizontalHeader()->setSortIndicator(
            column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        window.lvSelection()->viewport()->repaint();
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortSelection)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// Select every row, then page through the list to its end and back.
void BM_SelectAndScroll(benchmark::State& state) {
    TfrmMain& window = Shared().window;
    TSongListView* list = window.lvSelection();
    list->Songs()->SetRows(Rows());
    QCoreApplication::processEvents();
    for (auto _ : state) {
        list->selectAll();
        QScrollBar* bar = list->verticalScrollBar();
        for (int step = 0; step < 20; ++step) {
            bar->setValue(bar->maximum() * step / 19);
            list->viewport()->repaint();
        }
        list->selectRow(kRows - 1);
        list->scrollToTop();
        list->viewport()->repaint();
    }
}
BENCHMARK(BM_SelectAndScroll)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
