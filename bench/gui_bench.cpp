// A category switch in the window at the format's ceiling: choosing a tree node until the new
// list is painted, for every category of the tree in every display mode, a sort by a header
// click, beside the same view filled without the window and a bare pass that reads the same
// records, in the same run. With --table the program measures every category once (the best
// of three of each) and prints one table instead:
//   tablon_gui_bench --table
// category, rows, the switch in each display mode, the sort and the bare pass, each as wall and
// CPU milliseconds.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/FpMode.h"
#include "qt/ListWidget.h"
#include "qt/MainWindow.h"
#include "qt/QtUi.h"
#include "qt/ViewPane.h"
#include "sample/Sample.h"
#include "shell/GenericView.h"
#include "store/Database.h"

namespace {

using namespace tablon;

// The ceiling-size sample, written once per machine (TABLON_BENCH_DB overrides the place).
std::string CeilingDir() {
    const char* env = std::getenv("TABLON_BENCH_DB");
    std::string d = env && *env ? env : "/tmp/tablon-bench-ceiling";
    if (!std::filesystem::exists(d + "/vantor.ct")) {
        std::string error;
        if (!WriteSampleDatabase(d, SampleScale::Ceiling, error, true)) {
            std::cerr << "can't write the ceiling sample: " << error << "\n";
            std::exit(1);
        }
    }
    return d;
}

// Messages would stop a measurement: any one fails it.
class BenchUi : public QtUi {
  public:
    Answer Message(const std::string& text, Icon, Buttons, const std::string&) override {
        std::cerr << "message: " << text << "\n";
        failed = true;
        return Answer::Cancel;
    }
    bool failed = false;
};

struct Gui {
    BenchUi ui;
    std::unique_ptr<Database> db;
    std::unique_ptr<CTablonApp> app;
    std::unique_ptr<MainWindow> window;
};
Gui* gui = nullptr;

void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Chooses a node and returns once the list shows it.
void Choose(const std::string& path) {
    std::string error;
    const int item = gui->app->Frame().Tree().FindPath(path, error);
    gui->window->Tree()->setCurrentItem(gui->window->TreeItem(item));
    Settle();
    gui->window->List()->CurrentView()->viewport()->repaint();
}

void SetMode(int command) {
    gui->window->Run(command);
    Settle();
}

// A small category to switch from: the LOD colours, or the parents for the colours themselves.
std::string AwayFrom(const std::string& path) {
    return path.ends_with("LodColours") ? "Hdr Data/Parent" : "Hdr Data/LodColours";
}

// From a small category to the measured one and back; only the way there is timed.
void BM_CategorySwitch(benchmark::State& state, std::string path, int modeCommand) {
    SetMode(modeCommand);
    for (auto _ : state) {
        state.PauseTiming();
        Choose(AwayFrom(path));
        state.ResumeTiming();
        Choose(path);
    }
    CMvView* view = gui->window->Pane()->View();
    if (gui->ui.failed || !view) state.SkipWithError("the switch failed");
    state.counters["rows"] = view ? view->RowCount() : 0;
}

// The same view made and filled without the window: what the switch costs before drawing.
void BM_ViewFill(benchmark::State& state, std::string path) {
    std::string error;
    const CVantorTree& tree = gui->app->Frame().Tree();
    const CategoryNode& node = *tree.ItemAt(tree.FindPath(path, error)).node;
    ShellContext& ctx = gui->app->Context();
    for (auto _ : state) {
        const ViewFactory* factory = ctx.registry.FindView(node.viewClass);
        std::unique_ptr<PaneView> view =
            factory ? (*factory)(ctx, node) : MakeGenericView(ctx, node);
        view->OnInitialUpdate();
        benchmark::DoNotOptimize(view.get());
    }
}

// The column a sort is measured on: the third (a number in most lists), or the last of a
// narrower list; the first when a click on that one sorts nothing (the weapon lists sort by
// name alone).
int SortColumn(const CMvView& view) {
    const int column = std::min(2, view.ColumnCount() - 1);
    return view.ColumnClickSorts(column) ? column : 0;
}

// A header click in the detail view until the list is painted again.
void ClickHeader(int column) {
    gui->window->Pane()->View()->OnColumnClick(column);
    Settle();
    gui->window->List()->CurrentView()->viewport()->repaint();
}

void BM_Sort(benchmark::State& state, std::string path) {
    SetMode(cmd::kDetail);
    Choose(path);
    CMvView* view = gui->window->Pane()->View();
    if (!view) {
        state.SkipWithError("no list");
        return;
    }
    const int column = SortColumn(*view);
    for (auto _ : state) ClickHeader(column);
    state.counters["rows"] = view->RowCount();
}

// What any program must do to show the same records: read each once through the view's source.
int BarePass(const RecordSource& source) {
    std::vector<uint8_t> record(source.RecordSize());
    uint64_t sum = 0;
    int i = 0;
    for (; i < source.Count() && source.Get(i, record.data()); ++i) sum += record[0];
    benchmark::DoNotOptimize(sum);
    return i;
}

void BM_BarePass(benchmark::State& state, std::string path) {
    Choose(path);
    CMvView* view = gui->window->Pane()->View();
    if (!view) {
        state.SkipWithError("no list");
        return;
    }
    for (auto _ : state) state.counters["rows"] = BarePass(view->Source());
}

// Every category of the tree that shows a list, by path.
std::vector<std::string> ListCategories() {
    std::vector<std::string> paths;
    const CVantorTree& tree = gui->app->Frame().Tree();
    for (int item = 0; item < tree.ItemCount(); ++item)
        if (!tree.ItemAt(item).node->viewClass.empty()) paths.push_back(tree.PathOf(item));
    // Those whose view is a form rather than a list are left out once the view is made.
    std::erase_if(paths, [](const std::string& path) {
        Choose(path);
        return gui->window->Pane()->View() == nullptr;
    });
    return paths;
}

// The best of three runs, in milliseconds: wall clock and the process's CPU time, each the
// least of its three (the machine may be shared).
struct Took {
    double wall = 1e9;
    double cpu = 1e9;
};

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

Took BestMs(const std::function<void()>& before, const std::function<void()>& measured) {
    Took best;
    for (int k = 0; k < 3; ++k) {
        before();
        const double cpu = CpuMs();
        const auto start = std::chrono::steady_clock::now();
        measured();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best.wall = std::min(best.wall, took.count());
        best.cpu = std::min(best.cpu, CpuMs() - cpu);
    }
    return best;
}

constexpr struct {
    const char* name;
    int command;
} kModes[] = {{"LargeIcons", cmd::kLargeIcons},
              {"SmallIcons", cmd::kSmallIcons},
              {"List", cmd::kList},
              {"Detail", cmd::kDetail}};

// One line per category: rows, the switch in each mode, the sort and the bare pass, each as
// "wall / CPU" in milliseconds.
int PrintTable() {
    std::printf(
        "| Category | Rows | Switch: large | small | list | detail | Sort | Bare pass |\n"
        "|---|---:|---:|---:|---:|---:|---:|---:|\n");
    const auto cell = [](const Took& t) {
        char text[48];
        std::snprintf(text, sizeof text, "%.1f / %.1f", t.wall, t.cpu);
        return std::string(text);
    };
    for (const std::string& path : ListCategories()) {
        std::string line = "| " + path + " | ";
        std::vector<Took> switches;
        for (const auto& mode : kModes) {
            SetMode(mode.command);
            switches.push_back(
                BestMs([&path] { Choose(AwayFrom(path)); }, [&path] { Choose(path); }));
        }
        CMvView* view = gui->window->Pane()->View();  // in the detail view now
        line += std::to_string(view->RowCount()) + " | ";
        for (const Took& t : switches) line += cell(t) + " | ";
        const int column = SortColumn(*view);
        line += cell(BestMs([] {}, [column] { ClickHeader(column); })) + " | ";
        line += cell(BestMs([] {}, [view] { BarePass(view->Source()); })) + " |";
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return gui->ui.failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    bool table = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--table") == 0) {
            table = true;
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            break;
        }
    benchmark::Initialize(&argc, argv);
    SetProgramFpMode();
    QDir::setCurrent(QString::fromStdString(CeilingDir()));

    Gui g;
    gui = &g;
    g.db = std::make_unique<Database>(g.ui);
    if (!g.db->OpenAll("") || g.ui.failed) {
        std::cerr << "can't open the ceiling sample\n";
        return 1;
    }
    g.app = std::make_unique<CTablonApp>(*g.db, g.ui);
    g.app->Start();
    g.window = std::make_unique<MainWindow>(*g.app, g.ui);
    g.ui.SetParent(g.window.get());
    g.window->resize(1280, 800);
    g.window->show();
    Settle();
    if (table) {
        const int status = PrintTable();
        g.window.reset();
        g.app.reset();
        g.db.reset();
        return status;
    }

    // Names without the slashes of the paths: "ClassTable.Vehicles.Aircraft".
    const auto name = [](std::string path) {
        std::erase(path, ' ');
        std::replace(path.begin(), path.end(), '/', '.');
        return path;
    };
    for (const std::string& path : ListCategories()) {
        for (const auto& mode : kModes)
            benchmark::RegisterBenchmark(
                ("BM_CategorySwitch/" + name(path) + "/" + mode.name).c_str(), BM_CategorySwitch,
                path, mode.command)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Sort/" + name(path)).c_str(), BM_Sort, path)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_ViewFill/" + name(path)).c_str(), BM_ViewFill, path)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_BarePass/" + name(path)).c_str(), BM_BarePass, path)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g.window.reset();
    g.app.reset();
    g.db.reset();
    return 0;
}
