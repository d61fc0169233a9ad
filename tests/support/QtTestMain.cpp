#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// One QApplication for the whole test program. Offscreen unless the caller chose a
// platform, so the same binary also runs under Xvfb.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
