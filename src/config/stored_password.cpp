#include "config/stored_password.h"

#include "text/case.h"
#include "text/pending_codings.h"

namespace vellora {
namespace {

// Every stored password uses the scrambler's full strength with a salt.
constexpr int kPasswordScrambleFlags = 127;

}  // namespace

std::wstring EncodeStoredPassword(std::wstring_view password, std::wstring_view account) {
    // The key is lower-cased in both directions, so the same account typed
    // with other capitals still reads its password back.
    return HexEncode(ScrambleText(password, LowerCase(account), kPasswordScrambleFlags));
}

std::wstring DecodeStoredPassword(std::wstring_view value, std::wstring_view account) {
    return UnscrambleText(HexDecode(value), LowerCase(account), kPasswordScrambleFlags);
}

}  // namespace vellora
