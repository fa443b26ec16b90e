#pragma once
// The remembered password as it stands in a settings file: scrambled with
// the lower-cased account name as key, then written as hexadecimal digits.

#include <string>
#include <string_view>

namespace vellora {

// The value of "Password=" for Password of Account.
std::wstring EncodeStoredPassword(std::wstring_view password, std::wstring_view account);

// The password back from a stored value; empty when the value is not valid
// hexadecimal text (odd length, other characters) or does not unscramble
// with this account's key.
std::wstring DecodeStoredPassword(std::wstring_view value, std::wstring_view account);

}  // namespace vellora
