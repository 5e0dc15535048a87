// Entry point of the GL test programs: one GL context for all tests of the program.
#include "support/GLContext.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GLContextEnvironment);
    return RUN_ALL_TESTS();
}
