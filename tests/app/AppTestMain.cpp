#include "TApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The window tests run under the program's own application object, so errors
// raised in handlers reach the same handler as in the program. Offscreen unless
// the caller chose a platform.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication Application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
