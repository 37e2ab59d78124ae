// The read floor: the engine's own iteration (bench_iterate) plus the same
// data frame assembled from what needs no engine (bench_floor_read): label
// columns from ready R strings, numbers copied, and text values made as new
// R strings from ready UTF-8 bytes, as a read must make them.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine.h"

namespace {

// The UTF-8 bytes of a text column, outside R's string cache.
struct TextBytes {
  std::string bytes;
  std::vector<std::size_t> ends;
};

void dropTextBytes(SEXP pointer) {
  delete static_cast<TextBytes*>(R_ExternalPtrAddr(pointer));
  R_ClearExternalPtr(pointer);
}

SEXP textColumn(SEXP pointer, R_xlen_t n) {
  const TextBytes* texts = static_cast<TextBytes*>(R_ExternalPtrAddr(pointer));
  if (texts == nullptr || static_cast<R_xlen_t>(texts->ends.size()) != n)
    Rf_error("the text bytes are gone or of another length");
  SEXP out = PROTECT(Rf_allocVector(STRSXP, n));
  std::size_t start = 0;
  for (R_xlen_t i = 0; i < n; ++i) {
    const std::size_t end = texts->ends[i];
    SET_STRING_ELT(out, i, Rf_mkCharLenCE(texts->bytes.data() + start,
                                          static_cast<int>(end - start), CE_UTF8));
    start = end;
  }
  UNPROTECT(1);
  return out;
}

SEXP column(SEXP spec, R_xlen_t n) {
  if (TYPEOF(spec) == EXTPTRSXP) return textColumn(spec, n);
  if (TYPEOF(spec) == VECSXP) {
    // A label column: ready R strings picked by zero-based codes.
    SEXP table = VECTOR_ELT(spec, 0);
    const int* codes = INTEGER(VECTOR_ELT(spec, 1));
    SEXP out = PROTECT(Rf_allocVector(STRSXP, n));
    for (R_xlen_t i = 0; i < n; ++i)
      SET_STRING_ELT(out, i, STRING_ELT(table, codes[i]));
    UNPROTECT(1);
    return out;
  }
  SEXP out = PROTECT(Rf_allocVector(TYPEOF(spec), n));
  switch (TYPEOF(spec)) {
    case REALSXP:
      std::memcpy(REAL(out), REAL(spec), sizeof(double) * n);
      break;
    case INTSXP:
      std::memcpy(INTEGER(out), INTEGER(spec), sizeof(int) * n);
      break;
    default:
      Rf_error("unexpected column type");
  }
  UNPROTECT(1);
  return out;
}

R_xlen_t rowsOfSpec(SEXP spec) {
  if (TYPEOF(spec) == EXTPTRSXP)
    return static_cast<R_xlen_t>(static_cast<TextBytes*>(R_ExternalPtrAddr(spec))->ends.size());
  return TYPEOF(spec) == VECSXP ? Rf_xlength(VECTOR_ELT(spec, 1)) : Rf_xlength(spec);
}

}  // namespace

extern "C" {

// Copies the UTF-8 bytes of every string of a character vector.
SEXP bench_text_bytes(SEXP strings) {
  std::unique_ptr<TextBytes> texts(new TextBytes());
  const R_xlen_t n = Rf_xlength(strings);
  texts->ends.reserve(static_cast<std::size_t>(n));
  for (R_xlen_t i = 0; i < n; ++i) {
    texts->bytes.append(Rf_translateCharUTF8(STRING_ELT(strings, i)));
    texts->ends.push_back(texts->bytes.size());
  }
  SEXP pointer = PROTECT(R_MakeExternalPtr(texts.release(), R_NilValue, R_NilValue));
  R_RegisterCFinalizerEx(pointer, dropTextBytes, TRUE);
  UNPROTECT(1);
  return pointer;
}

SEXP bench_floor_read(SEXP specs, SEXP names) {
  const R_xlen_t width = Rf_xlength(specs);
  const R_xlen_t n = width > 0 ? rowsOfSpec(VECTOR_ELT(specs, 0)) : 0;
  SEXP frame = PROTECT(Rf_allocVector(VECSXP, width));
  for (R_xlen_t k = 0; k < width; ++k)
    SET_VECTOR_ELT(frame, k, column(VECTOR_ELT(specs, k), n));
  Rf_setAttrib(frame, R_NamesSymbol, names);
  SEXP rowNames = PROTECT(Rf_allocVector(INTSXP, 2));
  INTEGER(rowNames)[0] = NA_INTEGER;
  INTEGER(rowNames)[1] = -static_cast<int>(n);
  Rf_setAttrib(frame, R_RowNamesSymbol, rowNames);
  Rf_setAttrib(frame, R_ClassSymbol, Rf_mkString("data.frame"));
  UNPROTECT(2);
  return frame;
}

// ValueResetHandle, then ValueNextW until it says no more, one indirect
// call per tuple. Returns the tuple count.
SEXP bench_iterate(SEXP enginePath, SEXP identifier) {
  bench::Engine engine(enginePath);
  const int handle = engine.handleOf(identifier);
  std::vector<int> tuple(static_cast<std::size_t>(engine.dimensionOf(handle)) + 1);
  wchar_t buf[256];
  tagTavikValueW record;
  double count = 0;
  if (!engine.reset(handle)) Rf_error("ValueResetHandle refused");
  for (;;) {
    record.Length = 256;
    record.String = buf;
    if (!engine.next(handle, tuple.data(), &record)) break;
    ++count;
  }
  engine.remove(handle);
  return Rf_ScalarReal(count);
}

}  // extern "C"
