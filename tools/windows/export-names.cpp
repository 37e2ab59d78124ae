// Prints the loader's name table, one entry point a line:
//   <enumerator value> <export name> <argument bytes> <decorated name>
// Built for the host, so the Windows check can compare a DLL's export table
// with what the loader will look up.
#include <cstdio>

#include "engine/LibraryHandle.h"
#include "engine/TavikLoader.h"

int main() {
  Tavik::TavikLoader loader;
  for (const auto& row : loader.Functions()) {
    const Tavik::APIFunction& function = row.second;
    std::printf("%d %s %d %s\n", static_cast<int>(row.first),
                function.name.c_str(), function.offset,
                Tavik::decoratedExportName(function.name, function.offset)
                    .c_str());
  }
  return 0;
}
