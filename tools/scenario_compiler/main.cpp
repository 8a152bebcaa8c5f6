// Command line of the scenario compiler: scenario_compiler <data folder> <game folder> [year ...].
#include <iostream>
#include <string>

#include "engine/turn/automatic_frontend.h"
#include "tools/scenario_compiler/scenario_compiler.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    if (argc < 3) {
        std::cerr << "usage: scenario_compiler <data folder> <game folder> [1861|1862|1863 ...]\n";
        return 2;
    }
    std::vector<int> years;
    for (int i = 3; i < argc; ++i) years.push_back(std::stoi(argv[i]));
    if (years.empty()) years = kvt::scenario::kStartYears;
    return kvt::scenario::CompileScenarios(argv[1], argv[2], std::cerr, years) ? 0 : 1;
}
