// Internal .Call routines behind the R functions: describing identifiers,
// reading set members, writing with a choice of replacing, and what the
// engine and a library file say about themselves. Faults in the caller's
// data and engine refusals come back as "tavik_fault" records, so that the
// R functions can raise them as conditions of their own classes.
#include <Rcpp.h>

#include <string>
#include <vector>

#include "engine/LoadedTavikAPI.h"
#include "engine/TavikEnvironment.h"
#include "engine/TextConversion.h"
#include "entry/ArgumentConversion.h"
#include "entry/DataCommands.h"
#include "entry/FaultRecord.h"
#include "entry/Routines.h"
#include "model/IdentifierDescription.h"
#include "model/SetMembers.h"
#include "model/TavikSpace.h"

namespace {

std::string utf8(const std::wstring& text) {
  std::string bytes;
  if (!wideToUtf8(text.data(), text.size(), bytes))
    throw std::runtime_error("A name from the engine is not valid Unicode");
  return bytes;
}

Rcpp::String utf8String(const std::wstring& text) {
  return Rcpp::String(utf8(text), CE_UTF8);
}

Rcpp::CharacterVector utf8Strings(const std::vector<std::wstring>& texts) {
  Rcpp::CharacterVector strings(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i)
    strings[i] = utf8String(texts[i]);
  return strings;
}

}  // namespace

extern "C" SEXP tavik4r_Describe(SEXP identifierNameSEXP) {
  BEGIN_RCPP
  std::wstring name = wstringArgument(identifierNameSEXP);
  return returningFaults([&]() -> SEXP {
    const Tavik::IdentifierDescription d =
        Tavik::describeIdentifier(DataSpace(), name);
    Rcpp::LogicalVector integerSets(d.integerSets.begin(), d.integerSets.end());
    return Rcpp::List::create(
        Rcpp::Named("name") = utf8String(d.name),
        Rcpp::Named("full_name") = utf8String(d.fullName),
        Rcpp::Named("type") = d.type, Rcpp::Named("storage") = d.storage,
        Rcpp::Named("dimension") = d.dimension,
        Rcpp::Named("declared") = utf8Strings(d.declared),
        Rcpp::Named("sets") = utf8Strings(d.sets),
        Rcpp::Named("integer_sets") = integerSets,
        Rcpp::Named("roots") = utf8Strings(d.roots),
        Rcpp::Named("range") = utf8String(d.range),
        Rcpp::Named("integer_range") = d.integerRange,
        Rcpp::Named("count") = static_cast<double>(d.count));
  });
  END_RCPP
}

// A set's labels in ordinal order, or integers for a set under Integers.
extern "C" SEXP tavik4r_ReadSet(SEXP setNameSEXP) {
  BEGIN_RCPP
  std::wstring name = wstringArgument(setNameSEXP);
  return returningFaults([&]() -> SEXP {
    std::shared_ptr<Tavik::SetIdentifier> set =
        Tavik::setNamed(DataSpace(), name);
    const std::vector<int>& elements = set->ordinalElements();
    if (set->elementType == Tavik::SetIdentifier::Integer) {
      Rcpp::IntegerVector values(elements.size());
      for (std::size_t i = 0; i < elements.size(); ++i)
        values[i] = static_cast<int>(static_cast<unsigned int>(elements[i]) -
                                     TAVIK_INTEGER_ELEMENT_OFFSET);
      return values;
    }
    Rcpp::CharacterVector labels(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i)
      labels[i] = utf8String(set->labelOf(elements[i]));
    return labels;
  });
  END_RCPP
}

extern "C" SEXP tavik4r_WriteData(SEXP dataFrame, SEXP identifierNameSEXP,
                                  SEXP unknownElementModeSEXP,
                                  SEXP replaceSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  const bool replace = intArgument(replaceSEXP) != 0;
  int unknownElementMode = intArgument(unknownElementModeSEXP);
  std::wstring identifierName = wstringArgument(identifierNameSEXP);
  return returningFaults([&]() -> SEXP {
    WriteData(dataFrame, identifierName, unknownElementMode, replace);
    return R_NilValue;
  });
  END_RCPP
}

// GetData, with faults as records.
extern "C" SEXP tavik4r_ReadData(SEXP identifierNameSEXP) {
  BEGIN_RCPP
  Rcpp::RNGScope rngScope;
  std::wstring identifierName = wstringArgument(identifierNameSEXP);
  return returningFaults([&]() -> SEXP { return GetData(identifierName); });
  END_RCPP
}

// The engine's own account of its last failure: list(code, text), or NULL.
extern "C" SEXP tavik4r_EngineLastError() {
  BEGIN_RCPP
  Tavik::TavikResources& resources =
      Tavik::TavikEnvironmentState::getTavikResources();
  int code = 0;
  wchar_t buffer[512] = {0};
  if (!resources.api || !resources.api->APILastError(&code, buffer))
    return R_NilValue;
  buffer[511] = L'\0';
  return Rcpp::List::create(Rcpp::Named("code") = code,
                            Rcpp::Named("text") = utf8String(buffer));
  END_RCPP
}

// The entry points the package calls that the library at path does not
// export; NULL when the library does not load at all.
extern "C" SEXP tavik4r_MissingEntryPoints(SEXP libraryPathSEXP) {
  BEGIN_RCPP
  std::wstring libraryPath = wstringArgument(libraryPathSEXP);
  Tavik::TavikLoader loader;
  if (!loader.Load(libraryPath)) return R_NilValue;
  // Entry points the package only knows are not asked for.
  const bool called[] = {
#define TAVIK_IS_CALLED_CALL true
#define TAVIK_IS_CALLED_RELOAD true
#define TAVIK_IS_CALLED_NEVER false
#define TAVIK_CALLED(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  TAVIK_IS_CALLED_##Use,
      TAVIK_ENTRY_POINTS(TAVIK_CALLED)
#undef TAVIK_CALLED
#undef TAVIK_IS_CALLED_NEVER
#undef TAVIK_IS_CALLED_RELOAD
#undef TAVIK_IS_CALLED_CALL
  };
  std::vector<std::string> missing;
  for (const auto& row : loader.Functions())
    if (called[row.first] && loader.Resolve(row.first) == nullptr)
      missing.push_back(row.second.name);
  return Rcpp::wrap(missing);
  END_RCPP
}
