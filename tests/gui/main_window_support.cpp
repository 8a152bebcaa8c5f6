// The main window's test fixture.
#include "tests/gui/main_window_support.h"

#include <QApplication>
#include <QTest>

#include <filesystem>

#include "engine/combat/battle_setup.h"
#include "engine/combat/fort_assault.h"
#include "engine/turn/engine_reset.h"
#include "engine/view/map_view_rules.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"
#include "gui/ui/hotspots.h"

namespace kvt::testing {

namespace fs = std::filesystem;

int TTestFrontend::ShowScenarioChoice() {
    ++scenarioChoices;
    if (scenarioAnswers.empty()) return 1;
    const int answer = scenarioAnswers.front();
    scenarioAnswers.pop_front();
    return answer;
}

TSetupChoices TTestFrontend::ShowGameSetup() { return setup; }

void TTestFrontend::ShowNotice(int kind) {
    Notice n{kind, {}, {}};
    for (int k = 1; k <= 4; ++k) n.lines[k] = EventNotice.Line(k).str();
    for (int k = 1; k <= 6; ++k)
        if (NoticeChoices[k].Offered) n.choices[k] = NoticeChoices[k].Caption.str();
    notices.push_back(n);
    if (!noticeAnswers.empty()) {
        EventNotice.Answer = static_cast<std::uint16_t>(noticeAnswers.front());
        noticeAnswers.pop_front();
    } else {
        AnswerNoticeUntouched(kind);
    }
}

void TTestFrontend::InformationBox(const std::string&) {}

PostMortemChoice TTestFrontend::ShowPostMortem(const TPostMortem&) { return PostMortemChoice::EndGame; }

int TTestFrontend::ShowSideChoice(bool unionEnabled, bool confederacyEnabled) {
    return unionEnabled ? 1 : confederacyEnabled ? 2 : 0;
}

void TTestFrontend::DrawCorps(int corps) {
    lastDrawnCorps = corps;
    gui::TQtFrontend::DrawCorps(corps);
}

void TTestFrontend::RunCombatResolution(TCombatResolution& d) {
    battleDialogs ? gui::TQtFrontend::RunCombatResolution(d) : d.RunUnattended();
}
int TTestFrontend::ChooseBattleIntensity(const TBattleIntensityView& v) {
    return battleDialogs ? gui::TQtFrontend::ChooseBattleIntensity(v) : 1;
}
int TTestFrontend::ChooseLeaderSuccessor(const TLeaderSuccessorView& v) {
    return battleDialogs ? gui::TQtFrontend::ChooseLeaderSuccessor(v) : 0;
}
void TTestFrontend::ShowBattleResults(const TBattleResultsView& r, const TBattleAnalysisView& a) {
    if (battleDialogs) gui::TQtFrontend::ShowBattleResults(r, a);
}
void TTestFrontend::RunFortAssault(TFortAssault& d) {
    battleDialogs ? gui::TQtFrontend::RunFortAssault(d) : d.RunUnattended();
}
void TTestFrontend::ShowReplayCombatResolution(const TReplayResolutionView& v) {
    if (battleDialogs) gui::TQtFrontend::ShowReplayCombatResolution(v);
}
void TTestFrontend::ShowReplayBattleResults(const TReplayResultsView& v) {
    if (battleDialogs) gui::TQtFrontend::ShowReplayBattleResults(v);
}

void WindowTest::SetUp() {
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(1861);
    MakeGameFolder();
}

void WindowTest::TearDown() {
    if (window) window->close();
    window.reset();
    inFolder.reset();
    EXPECT_EQ(CheckedAccessFaults(), 0u) << "a rule used a record index past the end of its array";
    ResetEngineGlobals();
}

void WindowTest::MakeGameFolder(const std::vector<std::string>& leaveOut) {
    inFolder.reset();
    folder = TempFolder("window");
    const char* files[] = {"KVT_ENG.TXT", "KVT.HLP",  "NEWMAP.BMP", "BASEIMG2.BMP", "BASEIMG3.BMP", "OBJECTIV.BMP",
                           "KVTSMALL.BMP", "1861.kvt", "1861.KVM",   "1862.kvt",     "1862.KVM",     "1863.kvt",
                           "1863.KVM"};
    for (const char* f : files) {
        bool skip = false;
        for (const std::string& l : leaveOut) skip = skip || l == f;
        if (!skip) fs::create_symlink(GameFile(f), fs::path(folder) / f);
    }
    // The dialogs the window opens paint their pictures.
    for (const fs::directory_entry& e : fs::directory_iterator(fs::path(GameFile("KVT_ENG.TXT")).parent_path()))
        if (e.path().filename().string().rfind("bg_", 0) == 0) fs::create_symlink(e.path(), fs::path(folder) / e.path().filename());
    inFolder.emplace(folder);
}

bool WindowTest::CreateWindow() {
    window = std::make_unique<gui::TKVTSDI>();
    auto owned = std::make_unique<TTestFrontend>(*window);
    frontend = owned.get();
    if (configure) configure(*frontend);
    window->SetFrontend(std::move(owned));
    // The test moves no real pointer: the edge strips must see it far from every edge.
    for (int e = 0; e < 4; ++e) window->Hotspot(e)->SetCursorSource([] { return QPoint(-1000, -1000); });
    if (!window->FormCreate()) return false;
    window->show();
    window->activateWindow();
    return true;
}

QPoint WindowTest::HexCentre(int column, int row) {
    if (!HexInView(column, row) || column > ViewColumn + ViewColumns - 1 || row > ViewRow + ViewRows - 1) {
        ViewColumn = static_cast<std::uint16_t>(column > 10 ? column - 10 : 1);
        ViewRow = static_cast<std::uint16_t>(row > 8 ? row - 8 : 1);
        window->FormPaint();
    }
    const TBoxPoint p = HexPixel(column, row);
    return {p.x + 14, p.y + 14};
}

bool WindowTest::RunTurnToEnd(int timeoutMs) {
    window->Timer1()->setInterval(0);
    return QTest::qWaitFor([] { return !Timer1Enabled(); }, timeoutMs);
}

}  // namespace kvt::testing
