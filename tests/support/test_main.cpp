#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv) {
    // Report crashes to the test runner instead of opening Wine's crash dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
