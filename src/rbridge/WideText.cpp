#include "rbridge/WideText.h"

#include <cstdlib>
#include <stdexcept>

namespace R {

SEXP WideText::toCharsxp(const wchar_t* text) {
  if (*text == L'\0') return R_BlankString;
  const std::size_t length = std::wcstombs(nullptr, text, 0);
  if (length == static_cast<std::size_t>(-1))
    throw std::runtime_error("wcstombs: conversion failed");
  if (buffer.size() < length + 1) buffer.resize(length + 1);
  if (std::wcstombs(&buffer[0], text, length + 1) != length)
    throw std::runtime_error("wcstombs: conversion failed");
  return Rf_mkCharLen(buffer.data(), static_cast<int>(length));
}

}  // namespace R
