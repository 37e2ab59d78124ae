#include "entry/DataCommands.h"

#include <memory>
#include <stdexcept>

#include "engine/TavikEnvironment.h"
#include "engine/TextConversion.h"
#include "model/TavikSpace.h"
#include "rbridge/RConversions.h"
#include "rbridge/ReadTable.h"
#include "rbridge/Value.h"
#include "rbridge/WriteTable.h"

namespace {

Tavik::TavikSpace& requireSpace() {
  Tavik::TavikResources& resources =
      Tavik::TavikEnvironmentState::getTavikResources();
  Tavik::TavikSpace* space = resources.getSpace();
  if (space != nullptr) return *space;
  if (!resources.lostLibrary.empty())
    throw std::logic_error(
        "The engine library " + w2a(resources.lostLibrary) +
        " is not loaded: closing the last project unloaded it and loading "
        "it again failed (" +
        w2a(resources.lostReason) +
        "). Load an engine library, then open a project.");
  throw std::logic_error(
      "You need to load lib Tavik dll & open an Tavik Project first..");
}

}  // namespace

SEXP GetData(std::wstring identifierName) {
  Tavik::TavikSpace& space = requireSpace();
  std::shared_ptr<Tavik::MultiDimIdentifier> identifier =
      space.createMultiDimIdentifier(identifierName);
  if (identifier->domain.empty()) {
    R::Value holder;
    identifier->storeScalarTo(holder);
    return holder.createSExpr();
  }
  R::ReadTable table;
  identifier->storeTo(table);
  return table.createDataFrame();
}

void SetData(SEXP dataFrame, std::wstring identifierName,
             int unknownElementMode) {
  WriteData(dataFrame, identifierName, unknownElementMode, true);
}

void WriteData(SEXP dataFrame, std::wstring identifierName,
               int unknownElementMode, bool replace) {
  if (static_cast<unsigned int>(unknownElementMode) > 1)
    throw std::logic_error(
        "The mode for unknown elements should be either 0 or 1.");
  Tavik::TavikSpace& space = requireSpace();
  std::shared_ptr<Tavik::MultiDimIdentifier> identifier =
      space.createMultiDimIdentifier(identifierName);
  for (auto& set : identifier->domain)
    set->unknownElementMode = unknownElementMode;

  if (identifier->domain.empty()) {
    R::Value holder(dataFrame);
    identifier->loadScalarFrom(holder);
    return;
  }
  Rcpp::DataFrame frame = R::asDataFrame(dataFrame);
  R::WriteTable table(frame);
  long added = 0;
  for (auto& set : identifier->domain) added -= set->labelsAdded();
  try {
    if (replace)
      identifier->loadFrom(table);
    else
      identifier->updateFrom(table);
  } catch (...) {
    // Labels a failed write added stay in the engine, which also adds them
    // to the sets a set is a subset of: the cache no longer tells them all.
    for (auto& set : identifier->domain) added += set->labelsAdded();
    if (added != 0)
      Tavik::TavikEnvironmentState::getTavikResources().dropSets();
    throw;
  }
  // Sets may have gained elements: the next command reads them afresh. The
  // project is open, so the sets give their engine handles back.
  Tavik::TavikEnvironmentState::getTavikResources().dropSets();
}

Tavik::TavikSpace& DataSpace() { return requireSpace(); }
