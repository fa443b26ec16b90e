// The media player's shared block with arbitrary bytes and sizes: it is never
// read beyond its end, a block without its zero and numbers reports no song
// and leaves the last reading alone, and a title never holds its own end.
//
// Input: the block.

#include <cstring>
#include <memory>

#include "fuzz/fuzz_input.h"
#include "song/player_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    // A copy of exactly Size bytes, so that reading one byte more is caught.
    std::unique_ptr<unsigned char[]> block(new unsigned char[size == 0 ? 1 : size]);
    if (size > 0) std::memcpy(block.get(), data, size);
    PlayerInfo info;
    info.Title = L"before";
    info.Number = 7;
    if (!ReadPlayerBlock(block.get(), size, info)) {
        Require(info.Title == L"before" && info.Number == 7, "a refused block changed the reading");
        return 0;
    }
    Require(info.Title.find(L'\0') == std::wstring::npos, "the title holds its own end");
    Require(info.Title.size() * 2 + 2 + 8 <= size, "the reading went past the block");
    return 0;
}
