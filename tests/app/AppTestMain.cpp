#include "TApplication.h"
#include "TPrivateRuntimeFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The window tests run under the program's own application object, so errors
// raised in handlers reach the same handler as in the program. Offscreen unless
// the caller chose a platform. Every main window made here links up in a runtime
// folder of this process alone, so test processes running side by side are never
// taken for a second copy of each other, and no user's folder is touched.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const TPrivateRuntimeFolder RuntimeFolder;
    TApplication Application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
