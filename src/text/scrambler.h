#pragma once
// The keyed scrambler that hides text sections of dialog lines and protects
// the password in the settings file. Other clients of this kind read what it
// writes and existing settings files hold passwords in it, so every step is
// fixed. Text goes in and comes out through the ANSI code page.
//
// A scrambled block of a text of n bytes: one salt byte (0-254), n scrambled
// bytes, and a 16-bit check value, high byte first.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vellora {

// The flags every caller passes: all three tuning values 3 and a salt.
inline constexpr int kScrambleFlags = 127;

// The key fitted to Length bytes: a short key is repeated, a long one is
// folded onto Length bytes by adding its codes. Nothing for length 0; an empty
// key gives zero bytes.
std::string FitKey(std::wstring_view key, std::size_t length);

// FitKey with 2^(i mod 8) added to byte i (counting from 1); an empty key
// counts as "?".
std::string ExpandKey(std::wstring_view key, std::size_t length);

// Scrambles Text with Key and a salt from the salt source.
std::string ScrambleText(std::wstring_view text, std::wstring_view key, int flags);

// The same with a given salt (taken modulo 255; 0 when Flags has no salt bit).
std::string ScrambleTextWithSalt(std::wstring_view text, std::wstring_view key, int flags, int salt);

// The text of a block, or empty when the block is shorter than 4 bytes or its
// check value does not match (wrong key or damaged data).
std::wstring UnscrambleText(std::string_view block, std::wstring_view key, int flags);

// Where salts come from: an empty function means random salts. Tests fix it.
void SetScrambleSaltSource(std::function<int()> source);

// Called after every 1024th character of a text being scrambled, so a long
// text does not freeze the window. None by default; the window layer gives
// the message loop a turn here.
void SetScrambleYieldHook(std::function<void()> hook);

// The "Password=" value of an account's settings file: the scrambled password
// (the account name in lower case as key) in hexadecimal, and back. Decoding
// gives an empty text for anything that is not such a value.
std::wstring EncodeSavedPassword(std::wstring_view password, std::wstring_view accountName);
std::wstring DecodeSavedPassword(std::wstring_view stored, std::wstring_view accountName);

}  // namespace vellora
