// Reading an identifier's data: all tuples into a table, or the one value
// of a scalar into a holder.
#include <stdexcept>

#include "engine/TavikException.h"
#include "engine/TextConversion.h"
#include "model/IReadTable.h"
#include "model/IValue.h"
#include "model/MultiDimIdentifier.h"
#include "model/SetConvertor.h"
#include "model/StandardConvertor.h"
#include "model/TupleCalls.h"
#include "model/WholeText.h"

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

// The engine's count of stored values sizes the table's storage; it is a
// hint only (what the count means for a parameter is the engine's
// business), so a table still grows if more rows arrive and is trimmed if
// fewer do. A far larger count than any table is not believed.
long MultiDimIdentifier::expectedTuples() {
  const long kLargestHint = 1L << 26;
  int count = -1;
  if (!api->ValueCard(handle, &count) || count < 0) return -1;
  return count < kLargestHint ? count : kLargestHint;
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
    if (convertors.back()->hasStableText())
      table.markStableText(static_cast<int>(i));
  }
  held.push_back(valueColumn->getConvertor());
  IValueConvertor* valueConvertor = held.back().get();
  if (valueConvertor->hasStableText())
    table.markStableText(static_cast<int>(n));
  // Label-set dimensions are converted inline, the others through the
  // interface.
  std::vector<SetConvertor<std::wstring>*> labelConvertors;
  for (IValueConvertor* convertor : convertors)
    labelConvertors.push_back(
        dynamic_cast<SetConvertor<std::wstring>*>(convertor));
  auto* labelValues = dynamic_cast<SetConvertor<std::wstring>*>(valueConvertor);
  for (std::size_t i = 0; i < n; ++i)
    if (labelConvertors[i] != nullptr)
      table.markLabelPlaces(static_cast<int>(i));
  if (labelValues != nullptr) table.markLabelPlaces(static_cast<int>(n));
  auto* doubleConvertor =
      dynamic_cast<StandardConvertor<double>*>(valueConvertor);

  // -1 when the engine gives no count.
  const long expected = expectedTuples();
  table.expectRows(expected < 0 ? 0 : expected);
  const bool textValues = storageType == String;
  WholeText wholeValue;
  if (!api->ValueResetHandle(handle))
    throw TavikException("MultiDimIdentifier::storeTo", api);

  std::vector<int> tuple(n);
  std::vector<Value> row(n + 1);
  std::vector<int> places(n);
  tagTavikValueW record;
  long count = 0;
  const TupleCalls calls(*api);
  // Without text values every text cell is a label that stays put, so rows
  // can go to the table in batches, column by column.
  if (!textValues) {
    count = storeBatches(table, calls, convertors, labelConvertors,
                         labelValues, valueConvertor, tuple, record);
  }
  for (; textValues;) {
    offerBuffer(record, storeBuf, 256);
    if (!calls.ValueNextW(handle, tuple.data(), &record)) break;
    storeBuf[255] = L'\0';
    // A text that filled the buffer is fetched again by its tuple, whole.
    if (textValues && filledToEnd(storeBuf, 256))
      fetchWholeValue(tuple.data(), wholeValue, record);
    for (std::size_t i = 0; i < n; ++i) {
      if (labelConvertors[i] != nullptr) {
        labelConvertors[i]->assignLabel(tuple[i], row[i], places[i]);
        row[i].integer = &places[i];
      } else {
        convertors[i]->assignIndex(tuple[i], row[i]);
      }
    }
    if (doubleConvertor != nullptr)
      doubleConvertor->StandardConvertor<double>::assignValue(record, row[n]);
    else
      valueConvertor->assignValue(record, row[n]);
    table.addRow(row);
    if (++count % kInterruptEvery == 0) table.checkInterrupt();
  }
  // The engine ends the values and refuses one the same way. When the
  // count differs from the hint, or there is none, one more call tells
  // them apart: past the end the engine keeps answering 0, after a refusal
  // it goes on.
  if (count != expected) {
    offerBuffer(record, storeBuf, 256);
    if (api->ValueNextW(handle, tuple.data(), &record))
      throw TavikException("MultiDimIdentifier::storeTo", api);
  }
}

namespace {

const std::size_t kBatchRows = 1024;

}  // namespace

// The read loop for rows of numbers and labels. A batch keeps its own copy
// of every number, since the engine's record and the convertors' buffers
// are reused for the next tuple; labels point into the sets.
long MultiDimIdentifier::storeBatches(
    IReadTable& table, const TupleCalls& calls,
    const std::vector<IValueConvertor*>& convertors,
    const std::vector<SetConvertor<std::wstring>*>& labelConvertors,
    SetConvertor<std::wstring>* labelValues, IValueConvertor* valueConvertor,
    std::vector<int>& tuple,
    tagTavikValueW& record) {
  const std::size_t n = domain.size();
  const std::size_t width = n + 1;
  std::vector<ValueType> kinds;
  for (const auto& column : columns) kinds.push_back(column->getType());
  kinds.push_back(valueColumn->getType());
  std::vector<Value> cells(kBatchRows * width);
  std::vector<double> numbers(kBatchRows);
  std::vector<int> integers(kBatchRows * width);
  auto* doubleConvertor =
      dynamic_cast<StandardConvertor<double>*>(valueConvertor);
  auto* integerConvertor =
      dynamic_cast<StandardConvertor<int>*>(valueConvertor);
  // Each dimension's road, chosen once: a label set's table is indexed
  // here, an integer set's element is a subtraction.
  enum DimKind : unsigned char { LabelDim, IntegerDim, OtherDim };
  struct Dim {
    DimKind kind;
    SetConvertor<std::wstring>::LabelTable table;
  };
  std::vector<Dim> dims(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (labelConvertors[i] != nullptr) {
      dims[i].kind = LabelDim;
      dims[i].table = labelConvertors[i]->labelTable();
    } else if (dynamic_cast<SetConvertor<int>*>(convertors[i]) != nullptr) {
      dims[i].kind = IntegerDim;
    } else {
      dims[i].kind = OtherDim;
    }
  }
  // A cell's numbers live at fixed places in the batch: the cells point
  // there once, and each row only stores its numbers (and texts).
  for (std::size_t slot = 0; slot < kBatchRows; ++slot) {
    for (std::size_t i = 0; i < width; ++i)
      cells[slot * width + i].integer = &integers[slot * width + i];
    cells[slot * width + n].dbl = &numbers[slot];
  }
  long count = 0;
  std::size_t filled = 0;
  Value scratch;
  for (;;) {
    offerBuffer(record, storeBuf, 256);
    if (!calls.ValueNextW(handle, tuple.data(), &record)) break;
    Value* row = &cells[filled * width];
    int* keptIntegers = &integers[filled * width];
    for (std::size_t i = 0; i < n; ++i) {
      const Dim& dim = dims[i];
      if (dim.kind == LabelDim) {
        const std::size_t offset = dim.table.offsetOf(tuple[i]);
        if (offset != SetConvertor<std::wstring>::LabelTable::kNone) {
          row[i].str = dim.table.labels[offset];
          keptIntegers[i] = static_cast<int>(offset);
        } else {
          labelConvertors[i]->assignLabel(tuple[i], row[i], keptIntegers[i]);
        }
      } else if (dim.kind == IntegerDim) {
        keptIntegers[i] = static_cast<int>(
            static_cast<unsigned int>(tuple[i]) -
            static_cast<unsigned int>(TAVIK_INTEGER_ELEMENT_OFFSET));
      } else {
        convertors[i]->assignIndex(tuple[i], scratch);
        keptIntegers[i] = *scratch.integer;
      }
    }
    if (doubleConvertor != nullptr) {
      numbers[filled] = record.Double;
    } else if (integerConvertor != nullptr) {
      keptIntegers[n] = record.Int;
    } else if (labelValues != nullptr) {
      // Element 0 is the engine's "no element": a missing value.
      if (record.Int == 0) {
        row[n].str = nullptr;
        keptIntegers[n] = -1;
      } else {
        labelValues->assignLabel(record.Int, row[n], keptIntegers[n]);
      }
    } else {
      valueConvertor->assignValue(record, scratch);
      if (kinds[n] == ValueType::Integer) {
        keptIntegers[n] = *scratch.integer;
      } else if (kinds[n] == ValueType::Double) {
        numbers[filled] = *scratch.dbl;
      } else {
        row[n].str = scratch.str;
      }
    }
    if (++filled == kBatchRows) {
      table.addRows(cells.data(), filled, width);
      filled = 0;
    }
    if (++count % kInterruptEvery == 0) table.checkInterrupt();
  }
  if (filled > 0) table.addRows(cells.data(), filled, width);
  return count;
}

void MultiDimIdentifier::fetchWholeValue(int* tuple, WholeText& whole,
                                         tagTavikValueW& record) {
  const WholeText::Outcome outcome = whole.fetchValue(*api, handle, tuple, 256);
  if (outcome == WholeText::Refused)
    throw TavikException("MultiDimIdentifier::storeTo", api);
  if (outcome == WholeText::TooLong)
    throw TavikException("A value of " + w2a(name) +
                         " is too long to be read whole");
  record.String = const_cast<wchar_t*>(whole.text());
}

void MultiDimIdentifier::storeScalarTo(IValue& value) {
  tagTavikValueW record;
  offerBuffer(record, storeScalarBuf, 300);
  if (!api->ValueRetrieveW(handle, nullptr, &record))
    throw TavikException("MultiDimIdentifier::storeScalarTo", api);
  storeScalarBuf[299] = L'\0';
  WholeText whole;
  if (storageType == String && filledToEnd(storeScalarBuf, 300))
    fetchWholeValue(nullptr, whole, record);
  Value cell;
  valueColumn->getConvertor()->assignValue(record, cell);
  value.setupValueType(valueColumn->getType());
  value.addValue(cell);
}

}  // namespace Tavik
