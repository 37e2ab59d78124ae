// Writing an identifier's data. Every row is converted and checked before
// the identifier is emptied, so bad input never costs the data it holds.
#include <cstdio>
#include <string>

#include "engine/TavikException.h"
#include "entry/StringConversion.h"
#include "model/IValue.h"
#include "model/MultiDimIdentifier.h"
#include "model/PendingElements.h"
#include "rbridge/IWriteTable.h"

namespace Tavik {

namespace {

const int kInterruptEvery = 100000;

wchar_t loadBuf[300];
wchar_t loadScalarBuf[300];

std::string widthMismatch(const std::wstring& name, std::size_t dimensions,
                          int width) {
  char counts[128];
  std::snprintf(counts, sizeof counts,
                " has %u+1 dimensions, inserted data frame has %d columns",
                static_cast<unsigned int>(dimensions), width);
  return "Identifier Dimension/Data Frame Column mismatch:  " + w2a(name) +
         counts;
}

}  // namespace

bool MultiDimIdentifier::loadFrom(R::IWriteTable& table) {
  if (domain.empty()) throw TavikException("We do not support scalars yet");
  setupTableColumns(&table);
  const std::size_t n = domain.size();
  const int rows = table.columnSize();
  const int width = table.size();
  if (width != static_cast<int>(n) + 1)
    throw TavikException(widthMismatch(name, n, width));

  checkRows(table, rows);
  if (!api->IdentifierEmpty(handle))
    throw TavikException("MultiDimIdentifier::loadFrom::IdentifierEmpty",
                         api);
  writeRows(table, rows);
  return true;
}

// Converts every row without writing: a missing label (mode 0) or a cell
// that can't be converted stops here. Labels the sets may gain are added
// once all rows passed.
void MultiDimIdentifier::checkRows(R::IWriteTable& table, int rows) {
  const std::size_t n = domain.size();
  std::vector<std::shared_ptr<IValueConvertor>> held;
  for (const auto& column : columns) held.push_back(column->getConvertor());
  held.push_back(valueColumn->getConvertor());
  for (auto& convertor : held) convertor->beginTransfer(table.hasStableText());

  PendingElements pending;
  std::vector<Value> row(n + 1);
  for (int r = 0; r < rows; ++r) {
    table.getRow(r, row);
    for (std::size_t k = 0; k < n; ++k)
      held[k]->checkTavikIndex(row[k], pending);
    held[n]->checkTavikValue(row[n], pending);
    if ((r + 1) % kInterruptEvery == 0) table.checkInterrupt();
  }
  pending.addAll();
}

void MultiDimIdentifier::writeRows(R::IWriteTable& table, int rows) {
  const std::size_t n = domain.size();
  std::vector<std::shared_ptr<IValueConvertor>> held;
  std::vector<IValueConvertor*> convertors;
  for (const auto& column : columns) {
    held.push_back(column->getConvertor());
    convertors.push_back(held.back().get());
  }
  held.push_back(valueColumn->getConvertor());
  IValueConvertor* valueConvertor = held.back().get();

  tagTavikValueW record;
  record.Length = 300;
  record.String = loadBuf;
  std::vector<int> tuple;
  tuple.reserve(n);
  std::vector<Value> row(n + 1);
  for (int r = 0; r < rows; ++r) {
    table.getRow(r, row);
    for (std::size_t k = 0; k < n; ++k)
      convertors[k]->assignTavikIndex(row[k], tuple);
    valueConvertor->assignTavikValue(row[n], record);
    if (!api->ValueAssignW(handle, tuple.data(), &record))
      throw TavikException("MultiDimIdentifier::loadFrom::assignTavikValue",
                           api);
    tuple.clear();
  }
}

void MultiDimIdentifier::loadScalarFrom(IValue& value) {
  Value cell;
  tagTavikValueW record;
  record.Length = 300;
  record.String = loadScalarBuf;
  value.setupValueType(valueColumn->getType());
  value.getValue(cell);
  std::shared_ptr<IValueConvertor> convertor = valueColumn->getConvertor();
  convertor->beginTransfer(false);
  convertor->assignTavikValue(cell, record);
  if (!api->ValueAssignW(handle, nullptr, &record))
    throw TavikException("MultiDimIdentifier::loadScalarFrom", api);
}

}  // namespace Tavik
