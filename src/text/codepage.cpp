#include "text/codepage.h"

namespace vellora {

unsigned char AnsiByteOf(wchar_t c) {
    std::string bytes = WideToAnsi(std::wstring_view(&c, 1));
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : static_cast<unsigned char>('?');
}

wchar_t AnsiCharOf(unsigned char byte) {
    char b = static_cast<char>(byte);
    std::wstring chars = AnsiToWide(std::string_view(&b, 1));
    return chars.size() == 1 ? chars[0] : L'?';
}

}  // namespace vellora
