#include "simengine/Instrumentation.h"

#include "simengine/Refusal.h"

namespace Sim {

namespace {

const char* const kEntryNames[kEntryCount] = {
#define TAVIK_SIM_NAME(Accessor, Export, Bytes, Use, Parameters, Arguments) \
#Export,
    TAVIK_ENTRY_POINTS(TAVIK_SIM_NAME)
#undef TAVIK_SIM_NAME
};

const char* const kSwitchNames[kSwitchCount] = {
    "silent_last_error", "close_fails",        "ordinal_out_of_range",
    "next_out_of_range", "add_nonconsecutive", "write_back_length",
    "card_more",         "card_fewer"};

}  // namespace

int entryByName(const std::string& name) {
  for (int e = 0; e < kEntryCount; ++e) {
    std::string full = kEntryNames[e];
    if (name == full || "Tavik" + name == full) return e;
  }
  return -1;
}

int switchByName(const std::string& name) {
  for (int s = 0; s < kSwitchCount; ++s) {
    if (name == kSwitchNames[s]) return s;
  }
  return -1;
}

void Instrumentation::updateArmed() {
  faultsArmed_ = false;
  for (const Fault& fault : faults_) faultsArmed_ = faultsArmed_ || fault.armed;
}

void Instrumentation::setFault(int entry, int nth, int code,
                               const std::wstring& text) {
  Fault& fault = faults_[entry];
  fault.armed = true;
  fault.every = nth == 0;
  fault.remaining = nth;
  fault.code = code;
  fault.text = text;
  faultsArmed_ = true;
}

void Instrumentation::clearFault(int entry) {
  faults_[entry] = Fault();
  updateArmed();
}

void Instrumentation::applyFault(int entry) {
  Fault& fault = faults_[entry];
  if (!fault.armed) return;
  Refusal refusal(fault.code, fault.text);
  if (!fault.every) {
    if (--fault.remaining > 0) return;
    clearFault(entry);
  }
  throw refusal;
}

void Instrumentation::reset() {
  for (long long& c : calls_) c = 0;
  for (Fault& fault : faults_) fault = Fault();
  for (bool& s : switches_) s = false;
  faultsArmed_ = false;
  handlesCreated = handlesDeleted = projectsOpened = projectsClosed = 0;
  refusals = 0;
}

}  // namespace Sim
