#pragma once

namespace vellora::test {

// True when the test runs under Wine rather than on Windows or natively.
bool RunningUnderWine();

// Starts the socket library for the test peers' own sockets (Winsock 2.2 on
// Windows; nothing elsewhere). Safe to call often.
void EnsureSocketsStarted();

}  // namespace vellora::test
