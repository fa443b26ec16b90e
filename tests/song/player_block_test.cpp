#include <gtest/gtest.h>

#include <vector>

#include "song/player_info.h"

namespace vellora {
namespace {

// A block as the player writes it, with Units title units before the zero.
std::vector<unsigned char> Block(const std::wstring& title) {
    std::vector<unsigned char> block(kPlayerBlockSize, 0xCC);
    std::size_t at = 0;
    for (wchar_t c : title) {
        block[at++] = static_cast<unsigned char>(c & 0xFF);
        block[at++] = static_cast<unsigned char>((c >> 8) & 0xFF);
    }
    block[at++] = 0;
    block[at++] = 0;
    if (at + 8 <= block.size()) {
        const unsigned char tail[] = {7, 1, 4, 0xEE, 0xFE, 0xFF, 0xFF, 0xFF};  // Number -2
        std::copy(std::begin(tail), std::end(tail), block.begin() + static_cast<long>(at));
    }
    return block;
}

TEST(PlayerBlock, TitleAndTheBytesBehindItAreRead) {
    auto block = Block(L"M\u00FCller - \u00C4rger im \u20AC-Raum");
    PlayerInfo info;
    ASSERT_TRUE(ReadPlayerBlock(block.data(), block.size(), info));
    EXPECT_EQ(info.Title, L"M\u00FCller - \u00C4rger im \u20AC-Raum");
    EXPECT_EQ(info.Aux, 7);
    EXPECT_EQ(info.Valid, 1);
    EXPECT_EQ(info.Kind, 4);
    EXPECT_EQ(info.Number, -2);
}

TEST(PlayerBlock, NothingIsReadPastTheBlock) {
    // The longest title whose zero and eight bytes still fit.
    std::wstring longest(259, L'x');
    auto block = Block(longest);
    PlayerInfo info;
    ASSERT_TRUE(ReadPlayerBlock(block.data(), block.size(), info));
    EXPECT_EQ(info.Title, longest);

    // One more, and the numbers would lie outside.
    info = PlayerInfo{};
    info.Title = L"untouched";
    block = Block(std::wstring(260, L'x'));
    EXPECT_FALSE(ReadPlayerBlock(block.data(), block.size(), info));
    EXPECT_EQ(info.Title, L"untouched");

    // No terminating zero at all.
    std::vector<unsigned char> full(kPlayerBlockSize, 'a');
    EXPECT_FALSE(ReadPlayerBlock(full.data(), full.size(), info));
    EXPECT_EQ(info.Title, L"untouched");
}

}  // namespace
}  // namespace vellora
