// Reading an identifier's data: all tuples into a table, or the one value
// of a scalar into a holder.
#include <stdexcept>

#include "engine/TavikException.h"
#include "model/IReadTable.h"
#include "model/IValue.h"
#include "model/MultiDimIdentifier.h"
#include "model/SetConvertor.h"
#include "model/StandardConvertor.h"

namespace Tavik {

namespace {

const long kInterruptEvery = 100000;

wchar_t storeBuf[256];
wchar_t storeScalarBuf[300];

// An engine may write the text's length back into the record, so the
// buffer is offered at full size before every call.
void offerBuffer(tagTavikValueW& record, wchar_t* buffer, int size) {
  record.Length = size;
  record.String = buffer;
}

}  // namespace

// One cheap pass over the tuples so that the table's storage is made once
// at its final size.
long MultiDimIdentifier::countTuples(IDataTable& table) {
  if (!api->ValueResetHandle(handle))
    throw TavikException("MultiDimIdentifier::storeTo", api);
  std::vector<int> tuple(domain.size());
  tagTavikValueW record;
  long count = 0;
  for (;;) {
    offerBuffer(record, storeBuf, 256);
    if (!api->ValueNextW(handle, tuple.data(), &record)) break;
    if (++count % kInterruptEvery == 0) table.checkInterrupt();
  }
  return count;
}

// The engine's own count of stored values spares the counting pass; an
// engine that gives none is counted. The table still grows if more rows
// arrive and is trimmed if fewer do.
long MultiDimIdentifier::expectedTuples(IDataTable& table) {
  int count = -1;
  if (api->ValueCard(handle, &count) && count >= 0) return count;
  return countTuples(table);
}

void MultiDimIdentifier::storeTo(IReadTable& table) {
  if (domain.empty()) throw std::runtime_error("not yet for scalars");
  setupTableColumns(&table);

  // Fetched once: the loop below runs once per tuple.
  const std::size_t n = domain.size();
  std::vector<std::shared_ptr<IValueConvertor>> held;
  std::vector<IValueConvertor*> convertors;
  for (std::size_t i = 0; i < n; ++i) {
    held.push_back(columns[i]->getConvertor());
    convertors.push_back(held.back().get());
    if (convertors.back()->hasStableText()) table.markStableText(static_cast<int>(i));
  }
  held.push_back(valueColumn->getConvertor());
  IValueConvertor* valueConvertor = held.back().get();
  if (valueConvertor->hasStableText()) table.markStableText(static_cast<int>(n));
  // Label-set dimensions are converted inline, the others through the
  // interface.
  std::vector<SetConvertor<std::wstring>*> labelConvertors;
  for (IValueConvertor* convertor : convertors)
    labelConvertors.push_back(
        dynamic_cast<SetConvertor<std::wstring>*>(convertor));
  auto* doubleConvertor =
      dynamic_cast<StandardConvertor<double>*>(valueConvertor);

  const long expected = expectedTuples(table);
  table.expectRows(expected);
  if (!api->ValueResetHandle(handle))
    throw TavikException("MultiDimIdentifier::storeTo", api);

  std::vector<int> tuple(n);
  std::vector<Value> row(n + 1);
  tagTavikValueW record;
  long count = 0;
  for (;;) {
    offerBuffer(record, storeBuf, 256);
    if (!api->ValueNextW(handle, tuple.data(), &record)) break;
    storeBuf[255] = L'\0';
    for (std::size_t i = 0; i < n; ++i) {
      if (labelConvertors[i] != nullptr)
        labelConvertors[i]->assignLabel(tuple[i], row[i]);
      else
        convertors[i]->assignIndex(tuple[i], row[i]);
    }
    if (doubleConvertor != nullptr)
      doubleConvertor->StandardConvertor<double>::assignValue(record, row[n]);
    else
      valueConvertor->assignValue(record, row[n]);
    table.addRow(row);
    if (++count % kInterruptEvery == 0) table.checkInterrupt();
  }
  // The engine ends the values and refuses one the same way: fewer values
  // than it announced means the rest was refused, not that there is none.
  if (count < expected)
    throw TavikException("MultiDimIdentifier::storeTo", api);
}

void MultiDimIdentifier::storeScalarTo(IValue& value) {
  tagTavikValueW record;
  offerBuffer(record, storeScalarBuf, 300);
  if (!api->ValueRetrieveW(handle, nullptr, &record))
    throw TavikException("MultiDimIdentifier::storeScalarTo", api);
  storeScalarBuf[299] = L'\0';
  Value cell;
  valueColumn->getConvertor()->assignValue(record, cell);
  value.setupValueType(valueColumn->getType());
  value.addValue(cell);
}

}  // namespace Tavik
