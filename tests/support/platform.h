#pragma once

namespace vellora::test {

// True when the test runs under Wine rather than on Windows or natively.
bool RunningUnderWine();

}  // namespace vellora::test
