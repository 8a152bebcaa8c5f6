// The engine and data tests' main(): the automatic frontend answers every wait a test does not
// install its own for, as in every program.
#include <gtest/gtest.h>

#include "engine/turn/automatic_frontend.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
