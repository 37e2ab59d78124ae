#include "simengine/Generator.h"

#include <cstdint>
#include <vector>

#include "simengine/Refusal.h"

namespace Sim {

namespace {

uint64_t nextRandom(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

// A nonzero value of the identifier's kind.
void makeValue(uint64_t r, ValueKind kind, const SimSet* range, CellValue& cell,
               wchar_t* text) {
  switch (kind) {
    case ValueKind::Double:
      cell.number = 1.0 + static_cast<double>(r % 100000) / 100.0;
      break;
    case ValueKind::Integer:
      cell.integer = 1 + static_cast<int>(r % 1000);
      break;
    case ValueKind::Element:
      cell.integer = range->at(static_cast<size_t>(r % range->card()));
      break;
    case ValueKind::String: {
      // "s" and the decimal digits of a number below 100000.
      wchar_t digits[8];
      int n = 0;
      unsigned v = static_cast<unsigned>(r % 100000);
      do {
        digits[n++] = static_cast<wchar_t>(L'0' + v % 10);
        v /= 10;
      } while (v > 0);
      text[0] = L's';
      for (int i = 0; i < n; ++i) text[1 + i] = digits[n - 1 - i];
      text[1 + n] = L'\0';
      cell.text = text;
      cell.length = static_cast<size_t>(1 + n);
      break;
    }
  }
}

}  // namespace

void generateData(Project& project, int id, double density,
                  unsigned long long seed) {
  Identifier& identifier = project.identifier(id);
  if (identifier.kind != IdentifierKind::Data) {
    throw Refusal(kWrongType,
                  L"only parameters and variables can be generated");
  }
  const ValueKind kind = identifier.data->values().kind();
  const SimSet* range = nullptr;
  if (kind == ValueKind::Element) {
    range = &project.set(identifier.range);
    if (range->card() == 0) {
      throw Refusal(kBadValue,
                    L"the range set " + quoted(range->name()) + L" is empty");
    }
  }
  TupleStore& store = *identifier.data;
  store.clear();
  const size_t dim = identifier.domainSets.size();
  std::vector<const SimSet*> sets;
  double total = 1.0;
  for (int s : identifier.domainSets) {
    sets.push_back(&project.set(s));
    total *= static_cast<double>(sets.back()->card());
  }
  if (total == 0.0) return;
  store.reserve(static_cast<size_t>(total * density * 1.01) + 16);

  uint64_t state = seed;
  const uint64_t threshold =
      density >= 1.0 ? UINT64_MAX
                     : static_cast<uint64_t>(density * 18446744073709551615.0);
  std::vector<size_t> position(dim, 0);
  std::vector<int> tuple(dim);
  for (size_t k = 0; k < dim; ++k) tuple[k] = sets[k]->at(0);
  wchar_t text[16];
  CellValue cell;
  while (true) {
    if (density >= 1.0 || nextRandom(state) < threshold) {
      makeValue(nextRandom(state), kind, range, cell, text);
      store.assign(tuple.data(), cell);
    }
    // Next tuple in ascending order: the last position runs fastest.
    size_t k = dim;
    while (k > 0) {
      --k;
      if (++position[k] < sets[k]->card()) {
        tuple[k] = sets[k]->at(position[k]);
        break;
      }
      position[k] = 0;
      tuple[k] = sets[k]->at(0);
      if (k == 0) return;
    }
    if (dim == 0) return;
  }
}

}  // namespace Sim
