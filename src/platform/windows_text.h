// Text between UTF-8, the program's own encoding, and the UTF-16 and code
// pages of the Windows calls. Windows only.
#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace zelvok {

// UTF-16 of a UTF-8 text; empty when the text is not UTF-8.
std::wstring widen(std::string_view utf8);

// `wide` in the given code page (CP_UTF8 for UTF-8); characters the code page
// lacks become its default character.
std::string narrow(std::wstring_view wide, unsigned code_page);

}  // namespace zelvok

#endif
