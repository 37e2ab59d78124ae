// Test instrumentation: call and lifecycle counters, injected failures of
// named entry points, and switches that make the engine misbehave in ways
// the package must survive. Driven through the TavikSim... functions only.
#ifndef TAVIK_SIM_INSTRUMENTATION_H
#define TAVIK_SIM_INSTRUMENTATION_H

#include <string>

#include "engine/TavikEntryPoints.h"

namespace Sim {

// The entry points, in the order of the package's list: kProjectOpen,
// kProjectClose, ...
enum Entry {
#define TAVIK_SIM_ENTRY(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  k##Accessor,
  TAVIK_ENTRY_POINTS(TAVIK_SIM_ENTRY)
#undef TAVIK_SIM_ENTRY
      kEntryCount
};

// The entry point of an export name, with or without the "Tavik" prefix; -1
// when there is none.
int entryByName(const std::string& name);

enum Switch {
  kSwitchSilentLastError,    // the last-error call reports nothing
  kSwitchCloseFails,         // project close is refused, the project stays open
  kSwitchOrdinalOutOfRange,  // a set's last ordinal maps outside the set
  kSwitchNextOutOfRange,     // ValueNextW delivers elements outside their sets
  kSwitchAddNonConsecutive,  // a new label skips numbers
  kSwitchWriteBackLength,    // text reads store the text's length in Length
  kSwitchCardMore,           // a parameter's count is more than it holds
  kSwitchCardFewer,          // a parameter's count is fewer than it holds
  kSwitchCount
};

int switchByName(const std::string& name);

struct Fault {
  bool armed = false;
  bool every = false;  // every call fails, not only the n-th
  int remaining = 0;   // calls until the failing one
  int code = 0;
  std::wstring text;
};

class Instrumentation {
 public:
  void countCall(int entry) { ++calls_[entry]; }
  long long calls(int entry) const { return calls_[entry]; }

  // Throws the injected refusal when this call of the entry must fail.
  void checkFault(int entry) {
    if (faultsArmed_) applyFault(entry);
  }
  void setFault(int entry, int nth, int code, const std::wstring& text);
  void clearFault(int entry);

  bool on(Switch which) const { return switches_[which]; }
  void setSwitch(Switch which, bool on) { switches_[which] = on; }

  void reset();

  long long handlesCreated = 0;
  long long handlesDeleted = 0;
  long long projectsOpened = 0;
  long long projectsClosed = 0;
  long long refusals = 0;

 private:
  void applyFault(int entry);
  void updateArmed();

  long long calls_[kEntryCount] = {};
  Fault faults_[kEntryCount];
  bool faultsArmed_ = false;
  bool switches_[kSwitchCount] = {};
};

}  // namespace Sim

#endif
