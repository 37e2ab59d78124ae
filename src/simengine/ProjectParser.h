// Reads the project-file format described in inst/projects/FORMAT.md.
#ifndef TAVIK_SIM_PROJECTPARSER_H
#define TAVIK_SIM_PROJECTPARSER_H

#include <memory>
#include <string>
#include <vector>

#include "simengine/LabelItems.h"
#include "simengine/Project.h"
#include "simengine/Tokenizer.h"

namespace Sim {

class ProjectParser {
 public:
  explicit ProjectParser(std::wstring text) : tokens_(std::move(text)) {}
  // Refusals carry the line number; the caller adds the file name.
  std::unique_ptr<Project> parse();

 private:
  struct Options {
    int type = -1;
    int storage = -1;
    double density = 1.0;
    long long seed = 1;
  };

  const Token& peek();
  Token take();
  void expect(wchar_t punct);
  std::wstring takeName(const wchar_t* what);
  std::wstring takeLabel();
  void endStatement();
  [[noreturn]] void fail(const std::wstring& message);

  void statement();
  void setStatement();
  void indexStatement();
  void dataDeclaration(const std::wstring& first);
  void dataStatement();
  void generateStatement();
  Options options(const std::wstring& allowed);
  int lookupSet(const std::wstring& name);

  std::vector<LabelItem> setItems();
  void addSetItems(int identifier, const std::vector<LabelItem>& items);
  void values(int identifier);
  void value(Identifier& identifier, const int* tuple);

  Tokenizer tokens_;
  Token current_;
  bool hasCurrent_ = false;
  int depth_ = 0;  // open braces and parentheses: line ends don't count
  std::unique_ptr<Project> project_;
};

}  // namespace Sim

#endif
