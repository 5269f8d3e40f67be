#include <gtest/gtest.h>

#include <QtGlobal>
#ifdef VANTREL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#ifdef __SANITIZE_ADDRESS__
#include "fuzz/known_library_leaks.h"

// The HEVC encoder the picture tests make HEIC files with keeps one allocation for the life of the
// process; the leak checker is for our code.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libx265.so\n" VANTREL_KNOWN_LIBRARY_LEAKS;
}
#endif

int main(int argc, char** argv)
{
    // Tests never need a screen; a developer's DISPLAY must not change results.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
