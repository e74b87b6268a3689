// A category switch in the window at the format's ceiling: choosing a tree node until the new
// list is painted, in large icons and in the detail view, beside the same view filled without
// the window and a bare pass that reads the same records, in the same run.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

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

// From a small category to the measured one and back; only the way there is timed.
void BM_CategorySwitch(benchmark::State& state, std::string path, int modeCommand) {
    SetMode(modeCommand);
    for (auto _ : state) {
        state.PauseTiming();
        Choose("Hdr Data/LodColours");
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

// What any program must do to show the same file: read every record once.
void BM_BarePass(benchmark::State& state, FileId file) {
    TableFile* table = gui->db->Table(file);
    std::vector<uint8_t> record(table->MemSize());
    for (auto _ : state) {
        uint64_t sum = 0;
        int i = 0;
        for (; table->GetRecord(i, record.data()); ++i) sum += record[0];
        benchmark::DoNotOptimize(sum);
        state.counters["rows"] = i;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
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

    struct Case {
        const char* name;
        const char* path;
        FileId file;
    };
    const Case cases[] = {
        {"ClassTable", "Class Table", FileId::Ct},
        {"Weapons", "Class Table/Weapons", FileId::Wcd},
        {"Vehicles", "Class Table/Vehicles", FileId::Vcd},
    };
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(
            (std::string("BM_CategorySwitch/") + c.name + "/LargeIcons").c_str(), BM_CategorySwitch,
            std::string(c.path), cmd::kLargeIcons)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            (std::string("BM_CategorySwitch/") + c.name + "/Detail").c_str(), BM_CategorySwitch,
            std::string(c.path), cmd::kDetail)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_ViewFill/") + c.name).c_str(), BM_ViewFill,
                                     std::string(c.path))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_BarePass/") + c.name).c_str(), BM_BarePass,
                                     c.file)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g.window.reset();
    g.app.reset();
    g.db.reset();
    return 0;
}
