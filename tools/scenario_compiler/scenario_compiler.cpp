// Reads, builds, checks and writes the start points; nothing is written unless all of them are sound.
#include "tools/scenario_compiler/scenario_compiler.h"

#include <cstdio>
#include <fstream>
#include <set>

#include "tools/scenario_compiler/scenario_build.h"
#include "tools/scenario_compiler/scenario_checks.h"
#include "tools/scenario_compiler/scenario_settle.h"
#include "tools/scenario_compiler/scenario_sources.h"

namespace kvt::scenario {

namespace fs = std::filesystem;

namespace {

bool WriteFile(const fs::path& path, const void* data, std::size_t size, std::ostream& err) {
    const fs::path part = path.string() + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) {
            err << part.string() << ": cannot be written\n";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(part, path, ec);
    if (ec) {
        err << path.string() << ": cannot be written: " << ec.message() << "\n";
        fs::remove(part, ec);
        return false;
    }
    return true;
}

}  // namespace

bool CompileScenarios(const fs::path& dataDir, const fs::path& outDir, std::ostream& err, const std::vector<int>& years) {
    std::vector<BuiltScenario> built;
    bool sound = true;
    // A fault of the shared sources shows in every start point, and a line that expands to several
    // brigades breaks a rule once for each; say each fault once.
    std::set<std::string> said;
    try {
        const CommonSources common = ReadCommonSources(dataDir);
        for (int year : years) {
            try {
                const ScenarioSources sources = ReadScenarioSources(dataDir, year, common);
                built.push_back(BuildScenario(common, sources));
                // The checks read the derived state, so they wait for a start point that settles.
                std::vector<std::string> faults = SettleDerivedState(built.back(), year);
                if (faults.empty()) faults = CheckScenario(built.back(), year);
                for (const std::string& e : faults) {
                    if (said.insert(e).second) err << e << "\n";
                    sound = false;
                }
            } catch (const SourceError& e) {
                if (said.insert(e.what()).second) err << e.what() << "\n";
                sound = false;
            }
        }
    } catch (const SourceError& e) {
        err << e.what() << "\n";
        return false;
    }
    if (!sound) return false;
    std::error_code ec;
    fs::create_directories(outDir, ec);
    for (std::size_t i = 0; i < years.size(); ++i) {
        const std::string base = std::to_string(years[i]);
        if (!WriteFile(outDir / (base + ".kvt"), built[i].rec.get(), sizeof(TGameRec), err) ||
            !WriteFile(outDir / (base + ".KVM"), built[i].map.get(), sizeof(TMapGrid), err))
            return false;
    }
    return true;
}

}  // namespace kvt::scenario
