#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

int main(int argc, char** argv) {
    // Tests must never wait on a real modal box or a system error pop-up.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ::OleInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    ::OleUninitialize();
    return rc;
}
