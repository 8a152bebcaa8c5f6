// The benchmarks' main(): the automatic frontend answers every wait a benchmark does not install
// its own for, as in every program.
#include <benchmark/benchmark.h>

#include "engine/turn/automatic_frontend.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
