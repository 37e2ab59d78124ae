// Entry points the package knows but never calls.
#include "simengine/Engine.h"
#include "simengine/EntryPoints.h"

using namespace Sim;

namespace {

int refuse(Engine&) { throw Refusal(kNotSupported, L"not supported"); }

}  // namespace

extern "C" int TAVIK_CALL TavikProcedureHandleCreateA(char*, int*, int*, int*) {
  return runEntry(kProcedureHandleCreateA, Needs::Nothing, refuse);
}

extern "C" int TAVIK_CALL TavikProcedureArgumentHandleCreate(int, int, int*) {
  return runEntry(kProcedureArgumentHandleCreate, Needs::Nothing, refuse);
}

extern "C" int TAVIK_CALL TavikValueRetrieve(int, int*, tagTavikValue*) {
  return runEntry(kValueRetrieve, Needs::Nothing, refuse);
}

extern "C" int TAVIK_CALL TavikValueNextMultiW(int, int*, int*,
                                               tagTavikValueW*) {
  return runEntry(kValueNextMultiW, Needs::Nothing, refuse);
}

extern "C" int TAVIK_CALL TavikValueAssignA(int, int*, tagTavikValue*) {
  return runEntry(kValueAssignA, Needs::Nothing, refuse);
}
