// The write floor: the labels looked up by R's hashed match() (in R, see
// bench/R/floors.R) and the engine's own empty-and-assign loop, with every
// value taken from the R column. A label column arrives here as codes and a
// map from code to element number: match() positions and the set's element
// numbers for character columns, a factor's own codes and the element
// numbers of its levels for factor columns.
#include <string>
#include <vector>

#include "engine.h"

namespace {

// One label column, looked up: element = map[codes[i] - 1].
struct Lookup {
  const int* codes;
  const int* map;
  R_xlen_t mapSize;
  int elementAt(R_xlen_t i) const {
    const int code = codes[i];
    if (code == NA_INTEGER || code < 1 || code > mapSize || map[code - 1] == NA_INTEGER)
      Rf_error("row %d: a label the set lacks", static_cast<int>(i + 1));
    return map[code - 1];
  }
};

Lookup lookupOf(SEXP key) {
  SEXP codes = VECTOR_ELT(key, 0);
  SEXP map = VECTOR_ELT(key, 1);
  return Lookup{INTEGER(codes), INTEGER(map), Rf_xlength(map)};
}

// A set's labels in ordinal order and their element numbers.
SEXP setTable(bench::Engine& engine, int set) {
  int card = 0;
  if (!engine.card(set, &card)) Rf_error("no set card");
  SEXP labels = PROTECT(Rf_allocVector(STRSXP, card));
  SEXP elements = PROTECT(Rf_allocVector(INTSXP, card));
  wchar_t buf[300];
  for (int ordinal = 1; ordinal <= card; ++ordinal) {
    int element = 0;
    if (!engine.element(set, ordinal, &element)) Rf_error("no element");
    tagTavikStringW record;
    record.Length = 300;
    record.String = buf;
    buf[0] = L'\0';
    if (!engine.label(set, element, &record)) Rf_error("no label");
    buf[299] = L'\0';
    SET_STRING_ELT(labels, ordinal - 1, Rf_mkCharCE(bench::narrow(buf).c_str(), CE_UTF8));
    INTEGER(elements)[ordinal - 1] = element;
  }
  SEXP table = PROTECT(Rf_allocVector(VECSXP, 2));
  SET_VECTOR_ELT(table, 0, labels);
  SET_VECTOR_ELT(table, 1, elements);
  SEXP names = PROTECT(Rf_allocVector(STRSXP, 2));
  SET_STRING_ELT(names, 0, Rf_mkChar("labels"));
  SET_STRING_ELT(names, 1, Rf_mkChar("elements"));
  Rf_setAttrib(table, R_NamesSymbol, names);
  UNPROTECT(4);
  return table;
}

// UTF-8 to wide text, into a reused buffer.
void widen(const char* text, std::wstring& out) {
  out.clear();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    unsigned int c = *p++;
    if (c >= 0xF0) {
      c = (c & 0x07) << 18 | (p[0] & 0x3F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
      p += 3;
    } else if (c >= 0xE0) {
      c = (c & 0x0F) << 12 | (p[0] & 0x3F) << 6 | (p[1] & 0x3F);
      p += 2;
    } else if (c >= 0xC0) {
      c = (c & 0x1F) << 6 | (p[0] & 0x3F);
      p += 1;
    }
    out.push_back(static_cast<wchar_t>(c));
  }
}

}  // namespace

extern "C" {

// The tables of an identifier's domain sets, then of its element range
// (element values) as the last one.
SEXP bench_set_tables(SEXP enginePath, SEXP identifier) {
  bench::Engine engine(enginePath);
  const int handle = engine.handleOf(identifier);
  const int dim = engine.dimensionOf(handle);
  const bool element = engine.storageOf(handle) == 5;
  std::vector<int> sets(static_cast<std::size_t>(dim) + 1, 0);
  if (dim > 0 && !engine.domain(handle, sets.data())) Rf_error("no domain");
  sets.resize(static_cast<std::size_t>(dim));
  int range = 0;
  if (element) {
    if (!engine.range(handle, &range)) Rf_error("no element range");
    sets.push_back(range);
  }
  SEXP tables = PROTECT(Rf_allocVector(VECSXP, static_cast<R_xlen_t>(sets.size())));
  for (std::size_t k = 0; k < sets.size(); ++k)
    SET_VECTOR_ELT(tables, static_cast<R_xlen_t>(k), setTable(engine, sets[k]));
  for (int set : sets) engine.remove(set);
  engine.remove(handle);
  UNPROTECT(1);
  return tables;
}

// keys: one (codes, map) pair per domain set; values: the value column (a
// double, integer or character vector, or a (codes, map) pair of element
// values).
SEXP bench_write_floor(SEXP enginePath, SEXP identifier, SEXP keys, SEXP values) {
  const R_xlen_t dim = Rf_xlength(keys);
  std::vector<Lookup> lookups;
  for (R_xlen_t k = 0; k < dim; ++k) lookups.push_back(lookupOf(VECTOR_ELT(keys, k)));
  const R_xlen_t rows = TYPEOF(values) == VECSXP ? Rf_xlength(VECTOR_ELT(values, 0))
                                                 : Rf_xlength(values);
  bench::Engine engine(enginePath);
  const int handle = engine.handleOf(identifier);
  if (!engine.empty(handle)) Rf_error("IdentifierEmpty refused");
  std::vector<int> tuple(static_cast<std::size_t>(dim) + 1, 0);
  std::wstring text;
  tagTavikValueW record;
  const int type = TYPEOF(values);
  Lookup valueLookup{nullptr, nullptr, 0};
  if (type == VECSXP) valueLookup = lookupOf(values);
  for (R_xlen_t r = 0; r < rows; ++r) {
    for (R_xlen_t k = 0; k < dim; ++k) tuple[k] = lookups[k].elementAt(r);
    switch (type) {
      case REALSXP:
        record.Double = REAL(values)[r];
        break;
      case INTSXP:
        record.Int = INTEGER(values)[r];
        break;
      case STRSXP:
        widen(Rf_translateCharUTF8(STRING_ELT(values, r)), text);
        text.push_back(L'\0');
        record.Length = static_cast<int>(text.size() - 1);
        record.String = &text[0];
        break;
      default:
        record.Int = valueLookup.elementAt(r);
    }
    if (!engine.assign(handle, tuple.data(), &record))
      Rf_error("ValueAssignW refused row %d", static_cast<int>(r + 1));
  }
  engine.remove(handle);
  return Rf_ScalarReal(static_cast<double>(rows));
}

}  // extern "C"
