#ifndef DRAVIK_TESTS_GLCONTEXT_H
#define DRAVIK_TESTS_GLCONTEXT_H

#include <gtest/gtest.h>

// One hidden freeglut window for a whole GL test program: created before the first test,
// torn down with glutExit() after the last (freeglut under llvmpipe crashes at exit
// otherwise). Each test gets a cleared 256 x 256 viewport with a pixel projection (y up).
class GLContextEnvironment : public ::testing::Environment {
public:
    static constexpr int kSize = 256;
    void SetUp() override;
    void TearDown() override;
    static void resetState();
};

// Base fixture of GL tests: resets the GL state before each test.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override { GLContextEnvironment::resetState(); }
};

#endif
