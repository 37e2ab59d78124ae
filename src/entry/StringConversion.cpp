#include "entry/StringConversion.h"

#include <cstdlib>
#include <stdexcept>

std::wstring a2w(std::string text) {
  if (text.empty()) return std::wstring();
  const size_t failed = static_cast<size_t>(-1);
  size_t count = std::mbstowcs(nullptr, text.c_str(), 0);
  if (count == failed) throw std::runtime_error("mbstowcs: conversion failed");
  std::wstring wide(count, L'\0');
  if (std::mbstowcs(&wide[0], text.c_str(), count + 1) != count)
    throw std::runtime_error("mbstowcs: conversion failed");
  return wide;
}

std::string w2a(std::wstring text) {
  if (text.empty()) return std::string();
  const size_t failed = static_cast<size_t>(-1);
  size_t count = std::wcstombs(nullptr, text.c_str(), 0);
  if (count == failed) throw std::runtime_error("wcstombs: conversion failed");
  std::string narrow(count, '\0');
  if (std::wcstombs(&narrow[0], text.c_str(), count + 1) != count)
    throw std::runtime_error("wcstombs: conversion failed");
  return narrow;
}
