// The scenario compiler: reads the readable sources under data/ and writes the start points
// "1861.kvt", "1862.kvt", "1863.kvt" with their maps "1861.KVM" .. "1863.KVM".
#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

namespace kvt::scenario {

inline const std::vector<int> kStartYears = {1861, 1862, 1863};

// Builds and checks the given start points; writes them into outDir only when every one is sound.
// Every fault is written to err as "<file>:<line>: <field>: <reason>". Returns whether the files were written.
bool CompileScenarios(const std::filesystem::path& dataDir, const std::filesystem::path& outDir, std::ostream& err,
                      const std::vector<int>& years = kStartYears);

}  // namespace kvt::scenario
