// Owns one loaded instance of the engine library and resolves its entry
// points on first use.
#ifndef TAVIK4R_ENGINE_TAVIKLOADER_H
#define TAVIK4R_ENGINE_TAVIKLOADER_H

#include <map>
#include <string>
#include <vector>

#include "engine/TavikContract.h"

namespace Tavik {

// One entry point: its undecorated export name and the bytes of its
// arguments (the number after "@" in its decorated name).
struct APIFunction {
  int offset;
  std::string name;
};

class TavikLoader {
 public:
  // FnProjectOpen, FnProjectClose, ... in the order of the entry list.
  enum SupportedTavikFunctions {
#define TAVIK_ENUMERATOR(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  Fn##Accessor,
    TAVIK_ENTRY_POINTS(TAVIK_ENUMERATOR)
#undef TAVIK_ENUMERATOR
  };
#define TAVIK_COUNT(Accessor, Export, Bytes, Use, Parameters, Arguments) +1
  static constexpr int FunctionCount = 0 TAVIK_ENTRY_POINTS(TAVIK_COUNT);
#undef TAVIK_COUNT

  TavikLoader();
  explicit TavikLoader(std::wstring& path);
  ~TavikLoader();
  TavikLoader(const TavikLoader&) = delete;
  TavikLoader& operator=(const TavikLoader&) = delete;

  bool Load(std::wstring& path);
  bool Unload();
  bool Reload();
  std::wstring LastError() const;
  bool IsLoaded() const { return library != nullptr; }
  const std::wstring& LibraryPath() const { return libraryPath; }
  void StoreLastError(std::wstring text);
  void PopulateFunctionNameOffsets();

  // The name table, for checks of what a library must export.
  const std::map<SupportedTavikFunctions, APIFunction>& Functions() const {
    return functions;
  }
  // The address cache as it stands, without resolving anything.
  const std::vector<void*>& CachedAddresses() const { return addresses; }

  // The typed accessors: ProjectOpen() returns TavikServerProjectOpenWFn,
  // and so on.
#define TAVIK_ACCESSOR(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  Export##Fn Accessor() {                                                   \
    return reinterpret_cast<Export##Fn>(Resolve(Fn##Accessor));             \
  }
  TAVIK_ENTRY_POINTS(TAVIK_ACCESSOR)
#undef TAVIK_ACCESSOR

  // The address of an entry point, looked up on first use; null when the
  // library does not export it.
  void* Resolve(SupportedTavikFunctions function);

 private:
  std::map<SupportedTavikFunctions, APIFunction> functions;
  void* library;
  std::wstring libraryPath;
  std::vector<void*> addresses;
  std::wstring lastError;
};

}  // namespace Tavik

#endif
