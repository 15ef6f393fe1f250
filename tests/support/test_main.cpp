// Test entry point for tests that need no QApplication.
#include "tests/support/test_locale.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    tallyrun::test::PinTestLocale();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
