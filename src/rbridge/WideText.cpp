#include "rbridge/WideText.h"

#include <cstdlib>
#include <cwchar>
#include <stdexcept>

namespace R {

SEXP WideText::toCharsxp(const wchar_t* text) {
  if (*text == L'\0') return R_BlankString;
  // One conversion into a buffer large enough for any text of this length.
  const std::size_t room = std::wcslen(text) * MB_CUR_MAX + 1;
  if (buffer.size() < room) buffer.resize(room);
  const std::size_t length = std::wcstombs(&buffer[0], text, room);
  if (length == static_cast<std::size_t>(-1))
    throw std::runtime_error("wcstombs: conversion failed");
  return Rf_mkCharLen(buffer.data(), static_cast<int>(length));
}

}  // namespace R
