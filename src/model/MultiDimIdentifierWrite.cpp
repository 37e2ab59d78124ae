// Writing an identifier's data. Every row is converted and checked before
// the identifier is emptied, so bad input never costs the data it holds;
// the converted rows are kept, so writing is then only the engine's calls.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "engine/TavikException.h"
#include "engine/TextConversion.h"
#include "model/IValue.h"
#include "model/IdentifierSnapshot.h"
#include "model/MultiDimIdentifier.h"
#include "model/PendingElements.h"
#include "model/StandardConvertor.h"
#include "model/TupleCalls.h"
#include "model/IWriteTable.h"

namespace Tavik {

namespace {

const int kInterruptEvery = 100000;

wchar_t loadBuf[300];
wchar_t loadScalarBuf[300];

TavikFault shapeFault() {
  TavikFault fault;
  fault.kind = TavikFault::Shape;
  return fault;
}

std::string widthMismatch(const std::wstring& name, std::size_t dimensions,
                          int width) {
  char counts[128];
  std::snprintf(counts, sizeof counts,
                " has %u+1 dimensions, inserted data frame has %d columns",
                static_cast<unsigned int>(dimensions), width);
  return "Identifier Dimension/Data Frame Column mismatch:  " + w2a(name) +
         counts;
}

tagTavikValueW bufferRecord() {
  tagTavikValueW record;
  record.Length = 300;
  record.String = loadBuf;
  return record;
}

// The convertors of one transfer, fetched once: dimensions, then values.
struct Convertors {
  explicit Convertors(const MultiDimIdentifier& identifier) {
    for (const auto& column : identifier.columns)
      held.push_back(column->getConvertor());
    held.push_back(identifier.valueColumn->getConvertor());
    for (const auto& convertor : held) raw.push_back(convertor.get());
  }
  std::vector<std::shared_ptr<IValueConvertor>> held;
  std::vector<IValueConvertor*> raw;
};

// A value record kept for writing: only the member its kind uses (a text's
// length is taken again when written).
union KeptValue {
  double number;
  int integer;
  const wchar_t* text;
};

KeptValue keep(MultiDimIdentifier::StorageType kind,
               const tagTavikValueW& record) {
  KeptValue kept;
  if (kind == MultiDimIdentifier::Double)
    kept.number = record.Double;
  else if (kind == MultiDimIdentifier::String)
    kept.text = record.String;
  else
    kept.integer = record.Int;
  return kept;
}

void restore(MultiDimIdentifier::StorageType kind, KeptValue kept,
             tagTavikValueW& record) {
  if (kind == MultiDimIdentifier::Double) {
    record.Double = kept.number;
  } else if (kind == MultiDimIdentifier::String) {
    record.Length = static_cast<int>(std::wcslen(kept.text));
    record.String = const_cast<wchar_t*>(kept.text);
  } else {
    record.Int = kept.integer;
  }
}

// All rows of a table as the engine takes them: a tuple of element numbers
// and a value per row. Values are kept only when the text they may point
// at stays put for the transfer; otherwise the rows are read again. The
// buffers are filled by the conversion itself, not initialised first.
struct ConvertedRows {
  std::unique_ptr<int[]> tuples;
  std::unique_ptr<KeptValue[]> values;
  // Numbers the table holds for the whole transfer are read from it when
  // written, not kept.
  const double* doubles = nullptr;
  const int* integers = nullptr;
};

// A label column whose texts come as keys: each key's label is looked up
// once, and rows then find their element by the key's index.
struct KeyedLabels {
  enum State : unsigned char { Unseen, Known, Waiting };
  IKeyedText* text = nullptr;
  // A factor's codes, read here without a call per row.
  const int* codes = nullptr;
  int missingKey = 0;
  std::vector<int> elements;
  std::vector<State> states;

  void use(IKeyedText* keys) {
    text = keys;
    codes = keys != nullptr ? keys->codes() : nullptr;
    if (codes != nullptr) missingKey = keys->keyCount() - 1;
  }

  int keyAt(int row) const {
    if (codes == nullptr) return text->keyOf(row);
    const int code = codes[row];
    return code >= 1 && code <= missingKey ? code - 1 : missingKey;
  }

  // The element of a key's label; false while the label waits to be added
  // to its set. A value names an element the set must already have.
  bool elementOf(int key, IValueConvertor& convertor, bool value,
                 PendingElements& pending, int& element) {
    const std::size_t k = static_cast<std::size_t>(key);
    if (k < states.size() && states[k] == Known) {
      element = elements[k];
      return true;
    }
    return lookUp(key, convertor, value, pending, element);
  }

  bool lookUp(int key, IValueConvertor& convertor, bool value,
              PendingElements& pending, int& element) {
    const std::size_t k = static_cast<std::size_t>(key);
    if (k >= states.size()) {
      const std::size_t size = static_cast<std::size_t>(text->keyCount());
      states.resize(size > k ? size : k + 1, Unseen);
      elements.resize(states.size());
    }
    if (states[k] == Known) {
      element = elements[k];
      return true;
    }
    if (states[k] == Waiting) return false;
    Value cell;
    cell.str = text->textOfKey(key);
    bool done;
    if (value) {
      tagTavikValueW record;
      done = convertor.checkTavikValue(cell, pending, record);
      element = record.Int;
    } else {
      done = convertor.checkTavikIndex(cell, pending, element);
    }
    states[k] = done ? Known : Waiting;
    if (done) elements[k] = element;
    return done;
  }

  // After the waiting labels were added to their sets.
  int addedElementOf(int key, IValueConvertor& convertor, bool value) {
    const std::size_t k = static_cast<std::size_t>(key);
    if (states[k] != Known) {
      Value cell;
      cell.str = text->textOfKey(key);
      if (value) {
        tagTavikValueW record;
        convertor.assignTavikValue(cell, record);
        elements[k] = record.Int;
      } else {
        std::vector<int> one;
        convertor.assignTavikIndex(cell, one);
        elements[k] = one.front();
      }
      states[k] = Known;
    }
    return elements[k];
  }
};

// Converts every row without writing: a missing label (mode 0) or a cell
// that can't be converted stops here. Labels the sets may gain are added
// once all rows passed, and the rows that use them converted again. Label
// columns the table offers as keys are converted once per distinct label.
void convertRows(R::IWriteTable& table, int rows, Convertors& convertors,
                 MultiDimIdentifier::StorageType kind,
                 ConvertedRows& converted) {
  const std::size_t n = convertors.raw.size() - 1;
  const std::size_t count = static_cast<std::size_t>(rows);
  converted.tuples.reset(new int[count * n + 1]);
  for (auto* convertor : convertors.raw)
    convertor->beginTransfer(table.hasStableText());
  std::vector<KeyedLabels> keyed(n + 1);
  if (count > 0) {
    for (std::size_t k = 0; k <= n; ++k)
      if (convertors.raw[k]->hasStableText())
        keyed[k].use(table.keyedText(static_cast<int>(k)));
    // Plain numbers need no conversion: they are taken from the table as
    // they are written.
    if (kind == MultiDimIdentifier::Double)
      converted.doubles = table.doubleCells(static_cast<int>(n));
    if (kind == MultiDimIdentifier::Integer)
      converted.integers = table.integerCells(static_cast<int>(n));
  }
  const bool direct =
      converted.doubles != nullptr || converted.integers != nullptr;
  // Elements are kept; texts are converted again when written, unless the
  // table keeps them at stable addresses.
  const bool keepValues =
      !direct && (kind != MultiDimIdentifier::String || table.hasStableText());
  if (keepValues) converted.values.reset(new KeptValue[count + 1]);
  // Texts read again when written are only checked here.
  const bool checkTextOnly =
      !direct && !keepValues && keyed[n].text == nullptr &&
      dynamic_cast<StandardConvertor<std::wstring>*>(convertors.raw[n]) !=
          nullptr;

  PendingElements pending;
  std::vector<int> waiting;
  std::vector<Value> row(n + 1);
  tagTavikValueW record = bufferRecord();
  for (std::size_t r = 0; r < count; ++r) {
    const int at = static_cast<int>(r);
    for (std::size_t k = 0; k < n; ++k)
      if (keyed[k].text == nullptr)
        table.getCell(static_cast<int>(k), at, row[k]);
    if (checkTextOnly)
      table.checkCell(static_cast<int>(n), at);
    else if (keyed[n].text == nullptr && !direct)
      table.getCell(static_cast<int>(n), at, row[n]);
    int* tuple = converted.tuples.get() + r * n;
    bool done = true;
    std::size_t k = 0;
    try {
      for (; k < n; ++k) {
        IValueConvertor& convertor = *convertors.raw[k];
        if (keyed[k].text != nullptr)
          done &= keyed[k].elementOf(keyed[k].keyAt(at), convertor, false,
                                     pending, tuple[k]);
        else
          done &= convertor.checkTavikIndex(row[k], pending, tuple[k]);
      }
      if (keyed[n].text != nullptr) {
        int element = 0;
        done &= keyed[n].elementOf(keyed[n].keyAt(at), *convertors.raw[n], true,
                                   pending, element);
        record.Int = element;
      } else if (!direct && !checkTextOnly) {
        done &= convertors.raw[n]->checkTavikValue(row[n], pending, record);
      }
    } catch (const TavikException& refused) {
      // A label the set lacks is reported with the cell it came from.
      if (refused.fault().kind == TavikFault::Label && refused.fault().row < 0)
        throw refused.at(static_cast<long>(r), static_cast<int>(k));
      throw;
    }
    if (!done) waiting.push_back(at);
    if (keepValues) converted.values[r] = keep(kind, record);
    if ((r + 1) % kInterruptEvery == 0) table.checkInterrupt();
  }
  if (waiting.empty()) return;

  pending.addAll();
  std::vector<int> tuple;
  tuple.reserve(n);
  for (int r : waiting) {
    for (std::size_t k = 0; k < n; ++k)
      if (keyed[k].text == nullptr)
        table.getCell(static_cast<int>(k), r, row[k]);
    tuple.clear();
    for (std::size_t k = 0; k < n; ++k) {
      if (keyed[k].text != nullptr)
        tuple.push_back(keyed[k].addedElementOf(keyed[k].keyAt(r),
                                                *convertors.raw[k], false));
      else
        convertors.raw[k]->assignTavikIndex(row[k], tuple);
    }
    std::copy(tuple.begin(), tuple.end(),
              converted.tuples.get() + static_cast<std::size_t>(r) * n);
    if (direct || checkTextOnly) continue;
    if (keyed[n].text != nullptr) {
      record.Int =
          keyed[n].addedElementOf(keyed[n].keyAt(r), *convertors.raw[n], true);
    } else {
      table.getCell(static_cast<int>(n), r, row[n]);
      convertors.raw[n]->assignTavikValue(row[n], record);
    }
    if (keepValues) converted.values[r] = keep(kind, record);
  }
}

}  // namespace

namespace {

IdentifierSnapshot::Kind snapshotKind(MultiDimIdentifier::StorageType kind) {
  switch (kind) {
    case MultiDimIdentifier::Double: return IdentifierSnapshot::Numbers;
    case MultiDimIdentifier::String: return IdentifierSnapshot::Texts;
    default: return IdentifierSnapshot::Integers;
  }
}

std::string count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The engine refused a call after the identifier's data started to change:
// the old data goes back, and the error says what the identifier holds.
[[noreturn]] void refuseWrite(const std::string& name,
                              const TavikException& refusal,
                              IdentifierSnapshot& snapshot, std::size_t changed,
                              const std::string& written) {
  TavikFault fault = refusal.fault();
  std::string message =
      "The engine refused the write of " + name + " (" + refusal.what() + ")";
  if (snapshot.restore(changed)) {
    fault.restored = true;
    throw TavikException(message + "; its previous data is restored (" +
                             count(snapshot.size(), "value", "values") + ").",
                         fault);
  }
  message += " and then refused to restore its previous data (" +
             snapshot.failure() + "): " + name;
  if (snapshot.scalar()) {
    message += snapshot.sawOtherValue() ? " now holds another value."
                                        : " may now hold another value.";
    throw TavikException(message, fault);
  }
  message += " now holds ";
  if (!snapshot.emptied())
    message += written + ".";
  else
    message += count(snapshot.restored(), "value", "values") + " of its " +
               std::to_string(snapshot.size()) + " previous ones.";
  throw TavikException(message, fault);
}

}  // namespace

bool MultiDimIdentifier::loadFrom(R::IWriteTable& table) {
  writeRows(table, true);
  return true;
}

void MultiDimIdentifier::updateFrom(R::IWriteTable& table) {
  writeRows(table, false);
}

void MultiDimIdentifier::writeRows(R::IWriteTable& table, bool replace) {
  if (domain.empty()) throw TavikException("We do not support scalars yet");
  setupTableColumns(&table);
  const std::size_t n = domain.size();
  const int rows = table.columnSize();
  const int width = table.size();
  if (width != static_cast<int>(n) + 1)
    throw TavikException(widthMismatch(name, n, width), shapeFault());

  Convertors convertors(*this);
  ConvertedRows converted;
  convertRows(table, rows, convertors, storageType, converted);

  // Kept before anything changes: a refusal below puts it back. A
  // replacing write keeps all the data, an update the values it changes.
  IdentifierSnapshot snapshot(api, handle, n, snapshotKind(storageType));
  if (replace) {
    snapshot.capture("MultiDimIdentifier::loadFrom::snapshot");
    if (!api->IdentifierEmpty(handle))
      throw TavikException("MultiDimIdentifier::loadFrom::IdentifierEmpty",
                           api);
  } else {
    snapshot.captureAt(converted.tuples.get(), static_cast<std::size_t>(rows),
                       "MultiDimIdentifier::updateFrom::snapshot");
  }

  tagTavikValueW record = bufferRecord();
  std::vector<Value> row(n + 1);
  const TupleCalls calls(*api);
  for (int r = 0; r < rows; ++r) {
    if (converted.doubles != nullptr) {
      record.Double = converted.doubles[r];
    } else if (converted.integers != nullptr) {
      record.Int = converted.integers[r];
    } else if (converted.values) {
      restore(storageType, converted.values[r], record);
    } else {
      table.getCell(static_cast<int>(n), r, row[n]);
      convertors.raw[n]->assignTavikValue(row[n], record);
    }
    int* tuple = converted.tuples.get() + static_cast<std::size_t>(r) * n;
    if (!calls.ValueAssignW(handle, tuple, &record)) {
      const TavikException refusal(
          "MultiDimIdentifier::loadFrom::assignTavikValue", api);
      const std::size_t done = static_cast<std::size_t>(r);
      refuseWrite(w2a(name), refusal, snapshot, done,
                  replace ? "the first " + count(done, "row", "rows") +
                                " of the " + std::to_string(rows) + " written"
                          : "other values in some of the tuples written");
    }
  }
}

void MultiDimIdentifier::loadScalarFrom(IValue& value) {
  Value cell;
  tagTavikValueW record = bufferRecord();
  record.String = loadScalarBuf;
  value.setupValueType(valueColumn->getType());
  value.getValue(cell);
  std::shared_ptr<IValueConvertor> convertor = valueColumn->getConvertor();
  convertor->beginTransfer(false);
  convertor->assignTavikValue(cell, record);
  IdentifierSnapshot snapshot(api, handle, 0, snapshotKind(storageType));
  snapshot.capture("MultiDimIdentifier::loadScalarFrom");
  if (!api->ValueAssignW(handle, nullptr, &record)) {
    const TavikException refusal("MultiDimIdentifier::loadScalarFrom", api);
    refuseWrite(w2a(name), refusal, snapshot, 1, "");
  }
}

}  // namespace Tavik
