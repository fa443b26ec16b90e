#pragma once
// Expectations about characters 128-255 hold for Windows-1252, the code page
// of German and English Windows (and of the built-in table off Windows).

#include <gtest/gtest.h>

#include "text/codepage.h"

namespace vellora::test {

class Windows1252Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (AnsiCodePage() != 1252) GTEST_SKIP() << "the ANSI code page is " << AnsiCodePage() << ", not 1252";
    }
};

}  // namespace vellora::test
