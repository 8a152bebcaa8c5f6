// Speed of the main window on the 1861 start point, offscreen: one full repaint of the map view
// (map picture, symbols, minimap and panels), with and without the hex grid, for the same view and
// for a view moved by a hex, the same run by an expose of the window, and the start-up from
// creating the window to its first paint on the screen.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <memory>

#include "engine/players/game_setup.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "gui/main/kvt_sdi.h"
#include "gui/main/map_box.h"
#include "gui/main/qt_frontend.h"
#include "gui/platform/fonts.h"

namespace {

namespace fs = std::filesystem;

// Chooses the 1861 start point with the Union played by a person; no dialog is shown.
class BenchFrontend : public kvt::gui::TQtFrontend {
public:
    using TQtFrontend::TQtFrontend;
    int ShowScenarioChoice() override { return 1; }
    kvt::TSetupChoices ShowGameSetup() override { return {.confederatePerson = false}; }
    // Every question answered as an untouched dialog would: the close's own question quits.
    void ShowNotice(int kind) override { kvt::AnswerNoticeUntouched(kind); }
    void InformationBox(const std::string&) override {}
};

std::unique_ptr<kvt::gui::TKVTSDI> StartWindow() {
    auto window = std::make_unique<kvt::gui::TKVTSDI>();
    window->SetFrontend(std::make_unique<BenchFrontend>(*window));
    if (!window->FormCreate()) return nullptr;
    return window;
}

bool InGameFolder(benchmark::State& state) {
    if (!fs::exists(std::string(KVT_GAME_DIR) + "/1861.kvt")) {
        state.SkipWithError("the 1861 start point has not been built");
        return false;
    }
    fs::current_path(KVT_GAME_DIR);
    kvt::UseClockForRandomize(false);
    return true;
}

// The window shown on the screen with the view on the east of the 1861 map, where most armies
// stand; none (the benchmark skipped) when it cannot start.
std::unique_ptr<kvt::gui::TKVTSDI> ShownWindowInTheEast(benchmark::State& state) {
    if (!InGameFolder(state)) return nullptr;
    auto window = StartWindow();
    if (!window) {
        state.SkipWithError("the window could not start");
        return nullptr;
    }
    window->show();
    QApplication::processEvents();
    kvt::ViewColumn = 29;
    kvt::ViewRow = 9;
    return window;
}

void BM_MapViewRepaint(benchmark::State& state) {
    auto window = ShownWindowInTheEast(state);
    if (!window) return;
    kvt::HexGridShown = state.range(0) != 0;
    // The game's repaint and the box's paint on the screen that follows it.
    for (auto _ : state) {
        window->FormPaint();
        window->BattleMap()->repaint();
    }
    window->close();
}
BENCHMARK(BM_MapViewRepaint)->Arg(0)->Arg(1)->ArgName("grid")->Unit(benchmark::kMillisecond)->Repetitions(5);

// The view moved by one hex to and fro, each step a repaint of a view the last one did not show.
void BM_MapViewScroll(benchmark::State& state) {
    auto window = ShownWindowInTheEast(state);
    if (!window) return;
    kvt::HexGridShown = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        kvt::ViewColumn = static_cast<std::uint16_t>(++step % 2 == 0 ? 29 : 31);
        window->FormPaint();
        window->BattleMap()->repaint();
    }
    window->close();
}
BENCHMARK(BM_MapViewScroll)->Arg(0)->Arg(1)->ArgName("grid")->Unit(benchmark::kMillisecond)->Repetitions(5);

// The window system uncovers the window: the map box's paint runs the game's repaint first.
void BM_MapViewExpose(benchmark::State& state) {
    // Shown on the screen before the first expose is timed.
    auto window = ShownWindowInTheEast(state);
    if (!window) return;
    int repaints = 0;
    window->BattleMap()->OnExpose = [&] {
        ++repaints;
        window->FormPaint();
    };
    for (auto _ : state) {
        window->BattleMap()->Expose();
        window->BattleMap()->repaint();
    }
    if (repaints < state.iterations()) state.SkipWithError("an expose did not repaint the map");
    window->close();
}
BENCHMARK(BM_MapViewExpose)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_StartUpToFirstPaint(benchmark::State& state) {
    if (!InGameFolder(state)) return;
    for (auto _ : state) {
        auto window = StartWindow();
        if (!window) {
            state.SkipWithError("the window could not start");
            return;
        }
        window->show();
        window->repaint();
        window->close();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kvt::gui::InstallPlatformLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
