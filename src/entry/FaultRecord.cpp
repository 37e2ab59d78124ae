#include "entry/FaultRecord.h"

#include <string>

#include "engine/TextConversion.h"
#include "rbridge/RGuard.h"

namespace {

const char* kindName(Tavik::TavikFault::Kind kind) {
  switch (kind) {
    case Tavik::TavikFault::Refused: return "refused";
    case Tavik::TavikFault::Label: return "label";
    case Tavik::TavikFault::Shape: return "shape";
    case Tavik::TavikFault::Text: return "text";
    case Tavik::TavikFault::Identifier: return "identifier";
    default: return "unknown";
  }
}

std::string utf8(const std::wstring& text) {
  std::string bytes;
  return wideToUtf8(text.data(), text.size(), bytes) ? bytes : std::string();
}

}  // namespace

SEXP faultRecord(const Tavik::TavikException& exception) {
  const Tavik::TavikFault& fault = exception.fault();
  const std::string message = exception.what();
  const std::string set = utf8(fault.set);
  const std::string label = utf8(fault.label);
  const std::string text = utf8(fault.text);
  return R::guardR([&] {
    const char* names[] = {"message", "kind", "code",   "text",     "set",
                           "label",   "row",  "column", "restored", ""};
    SEXP record = PROTECT(Rf_mkNamed(VECSXP, names));
    SET_VECTOR_ELT(record, 0, Rf_mkString(message.c_str()));
    SET_VECTOR_ELT(record, 1, Rf_mkString(kindName(fault.kind)));
    SET_VECTOR_ELT(record, 2, Rf_ScalarInteger(fault.code));
    SET_VECTOR_ELT(record, 3,
                   Rf_ScalarString(Rf_mkCharCE(text.c_str(), CE_UTF8)));
    SET_VECTOR_ELT(record, 4,
                   Rf_ScalarString(Rf_mkCharCE(set.c_str(), CE_UTF8)));
    SET_VECTOR_ELT(record, 5,
                   Rf_ScalarString(Rf_mkCharCE(label.c_str(), CE_UTF8)));
    // One-based for R; NA when not known.
    SET_VECTOR_ELT(
        record, 6,
        Rf_ScalarInteger(fault.row < 0 ? NA_INTEGER
                                       : static_cast<int>(fault.row) + 1));
    SET_VECTOR_ELT(
        record, 7,
        Rf_ScalarInteger(fault.column < 0 ? NA_INTEGER : fault.column + 1));
    SET_VECTOR_ELT(record, 8, Rf_ScalarLogical(fault.restored));
    Rf_setAttrib(record, R_ClassSymbol, Rf_mkString("tavik_fault"));
    UNPROTECT(1);
    return record;
  });
}
