// Profile pages with arbitrary bytes: the age read is never negative, and
// the text shown in the user list comes only from the page's cells.
//
// Input: the page.

#include <string>

#include "fuzz/fuzz_input.h"
#include "view/profiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    const std::string page(reinterpret_cast<const char*>(data), size);
    const std::optional<ProfileFacts> facts = ReadProfilePage(page);
    if (!facts) return 0;
    Require(facts->Age >= 0, "a negative age");
    // Age, place and the five characters of "???, " at most.
    Require(facts->DisplayText.size() <= page.size() + 5, "a display text longer than the page");
    if (facts->Age > 0) Require(!facts->DisplayText.empty(), "an age without a display text");
    return 0;
}
