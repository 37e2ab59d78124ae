// A DLL that imports a function from a DLL that is never put beside it, so
// that loading it fails for a missing dependency (Windows error 126).
extern "C" int tavikAbsentHelper();

extern "C" __declspec(dllexport) int tavikNeedsHelper() {
  return tavikAbsentHelper();
}
