// The tests' main: the program's resources are there before the first test runs, as the
// programs add them before their first window.

#include <gtest/gtest.h>

#include "platform/win/resource_registry.h"
#include "resources/program_resources.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    tra1::res::AddProgramResources(tra1::win::ResourceRegistry::Instance());
    return RUN_ALL_TESTS();
}
