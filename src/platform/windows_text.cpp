#include "platform/windows_text.h"

#ifdef _WIN32

#include <windows.h>

namespace zelvok {

std::wstring widen(std::string_view utf8) {
  const int in_size = static_cast<int>(utf8.size());
  const int size =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), in_size, nullptr, 0);
  if (size <= 0) {
    return {};
  }
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), in_size, wide.data(), size);
  return wide;
}

std::string narrow(std::wstring_view wide, unsigned code_page) {
  const int in_size = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(code_page, 0, wide.data(), in_size, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    return {};
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), in_size, text.data(), size, nullptr, nullptr);
  return text;
}

}  // namespace zelvok

#endif
