#include <gtest/gtest.h>

#include "platform/FpMode.h"

int main(int argc, char** argv) {
    // The program's arithmetic runs with rounding toward zero; so do the tests.
    tablon::SetProgramFpMode();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
