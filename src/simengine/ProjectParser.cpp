#include "simengine/ProjectParser.h"

#include <locale>
#include <sstream>

#include "simengine/Generator.h"
#include "simengine/Refusal.h"
#include "simengine/WideText.h"

namespace Sim {

namespace {

// Decimal numbers in the file's notation, whatever the C locale says.
bool parseDouble(const std::wstring& text, double& value) {
  std::wistringstream stream(text);
  stream.imbue(std::locale::classic());
  stream >> value;
  return !text.empty() && !stream.fail() && stream.eof();
}

}  // namespace

const Token& ProjectParser::peek() {
  while (true) {
    if (!hasCurrent_) {
      tokens_.next(current_);
      hasCurrent_ = true;
    }
    if (depth_ > 0 && current_.kind == TokenKind::Newline) {
      hasCurrent_ = false;
      continue;
    }
    return current_;
  }
}

Token ProjectParser::take() {
  peek();
  hasCurrent_ = false;
  Token token = current_;
  if (token.is(L'{') || token.is(L'(')) ++depth_;
  if ((token.is(L'}') || token.is(L')')) && depth_ > 0) --depth_;
  return token;
}

void ProjectParser::fail(const std::wstring& message) {
  int line = hasCurrent_ ? current_.line : tokens_.line();
  throw Refusal(kProjectFile, std::to_wstring(line) + L": " + message);
}

void ProjectParser::expect(wchar_t punct) {
  if (!peek().is(punct)) {
    fail(std::wstring(L"expected '") + punct + L"'");
  }
  take();
}

std::wstring ProjectParser::takeName(const wchar_t* what) {
  if (peek().kind != TokenKind::Word) fail(std::wstring(L"expected ") + what);
  return take().text;
}

std::wstring ProjectParser::takeLabel() {
  TokenKind kind = peek().kind;
  if (kind != TokenKind::Word && kind != TokenKind::Quoted) {
    fail(L"expected a label");
  }
  return take().text;
}

void ProjectParser::endStatement() {
  const Token& token = peek();
  if (token.kind == TokenKind::Newline || token.kind == TokenKind::End ||
      token.is(L';')) {
    take();
    return;
  }
  fail(L"unexpected " + quoted(token.text) + L" at the end of a statement");
}

std::unique_ptr<Project> ProjectParser::parse() {
  project_ = std::make_unique<Project>();
  while (peek().kind != TokenKind::End) {
    try {
      statement();
    } catch (const Refusal& refusal) {
      if (refusal.code == kProjectFile) throw;
      fail(refusal.text);
    }
  }
  return std::move(project_);
}

void ProjectParser::statement() {
  const Token& token = peek();
  if (token.kind == TokenKind::Newline || token.is(L';')) {
    take();
    return;
  }
  if (token.kind != TokenKind::Word) fail(L"expected a statement");
  std::wstring keyword = token.text;
  if (keyword == L"set") {
    setStatement();
  } else if (keyword == L"index") {
    indexStatement();
  } else if (keyword == L"parameter" || keyword == L"variable" ||
             keyword == L"string" || keyword == L"element") {
    dataDeclaration(keyword);
  } else if (keyword == L"data") {
    dataStatement();
  } else if (keyword == L"generate") {
    generateStatement();
  } else {
    fail(L"unknown statement " + quoted(keyword));
  }
  endStatement();
}

// Options as key=value words; allowed lists the keys this statement takes.
ProjectParser::Options ProjectParser::options(const std::wstring& allowed) {
  Options result;
  while (peek().kind == TokenKind::Word) {
    std::wstring key = take().text;
    if (allowed.find(L" " + key + L" ") == std::wstring::npos) {
      fail(L"unknown option " + quoted(key));
    }
    expect(L'=');
    std::wstring text = takeName(L"an option value");
    long long number = 0;
    bool valid = true;
    if (key == L"density") {
      valid = parseDouble(text, result.density) && result.density > 0.0 &&
              result.density <= 1.0;
    } else {
      valid = parseInt(text, number) && number >= -2147483647LL - 1 &&
              number <= 2147483647LL;
      if (key == L"type") result.type = static_cast<int>(number);
      if (key == L"storage") result.storage = static_cast<int>(number);
      if (key == L"seed") result.seed = number;
    }
    if (!valid)
      fail(L"bad value for option " + quoted(key) + L": " + quoted(text));
  }
  return result;
}

int ProjectParser::lookupSet(const std::wstring& name) {
  int id = project_->lookup(name);
  if (project_->identifier(id).kind != IdentifierKind::Set) {
    fail(quoted(name) + L" is not a set");
  }
  return project_->identifier(id).set;
}

std::vector<LabelItem> ProjectParser::setItems() {
  std::vector<LabelItem> items;
  expect(L'{');
  while (!peek().is(L'}')) {
    if (peek().kind == TokenKind::End) fail(L"missing '}'");
    bool quotedLabel = peek().kind == TokenKind::Quoted;
    std::wstring label = takeLabel();
    items.push_back(parseLabelItem(label, quotedLabel));
    if (peek().is(L',')) take();
  }
  expect(L'}');
  return items;
}

void ProjectParser::addSetItems(int identifier,
                                const std::vector<LabelItem>& items) {
  int setId = project_->identifier(identifier).set;
  SimSet& set = project_->set(setId);
  int parent = set.parent();
  for (const LabelItem& item : items) {
    for (long long k = 0; k < item.count(); ++k) {
      std::wstring label = item.at(k);
      // A subset takes elements of its parent only; a root set takes new
      // labels, and a subset of "Integers" any integer.
      bool free =
          parent < 0 || (set.isInteger() && project_->set(parent).parent() < 0);
      if (!free && project_->set(parent).elementOf(label) == 0) {
        fail(L"label " + quoted(label) + L" is not in set " +
             quoted(project_->set(parent).name()));
      }
      project_->addElement(setId, label, 0);
    }
  }
}

void ProjectParser::setStatement() {
  take();
  std::wstring name = takeName(L"a set name");
  int parent = -1;
  if (peek().isWord(L"subset")) {
    take();
    if (!peek().isWord(L"of")) fail(L"expected 'of'");
    take();
    parent = lookupSet(takeName(L"a set name"));
  }
  Options opts = options(L" type ");
  std::vector<LabelItem> items;
  if (peek().is(L'=')) {
    take();
    items = setItems();
  }
  int identifier;
  if (name == L"Integers" && parent < 0) {
    identifier = project_->setIdentifier(project_->integersSet());
  } else if (parent < 0) {
    long long count = 0;
    for (const LabelItem& item : items) count += item.count();
    identifier =
        project_->addRootSet(name, opts.type < 0 ? kTypeRootSet : opts.type,
                             static_cast<size_t>(count));
  } else {
    identifier = project_->addSubset(name, parent,
                                     opts.type < 0 ? kTypeSubset : opts.type);
  }
  addSetItems(identifier, items);
}

void ProjectParser::indexStatement() {
  take();
  std::wstring name = takeName(L"an index name");
  if (!peek().isWord(L"in")) fail(L"expected 'in'");
  take();
  int set = lookupSet(takeName(L"a set name"));
  Options opts = options(L" type ");
  project_->addIndex(name, set, opts.type < 0 ? kTypeIndex : opts.type);
}

void ProjectParser::dataDeclaration(const std::wstring& first) {
  take();
  bool isString = first == L"string";
  bool isElement = first == L"element";
  bool isVariable = first == L"variable";
  if (isString || isElement) {
    std::wstring second = takeName(L"'parameter' or 'variable'");
    if (second == L"variable" && isElement) {
      isVariable = true;
    } else if (second != L"parameter") {
      fail(L"expected 'parameter'");
    }
  }
  std::wstring name = takeName(L"an identifier name");
  std::vector<int> domain;
  if (peek().is(L'(')) {
    take();
    while (true) {
      int id = project_->lookup(takeName(L"a set or index name"));
      if (project_->identifier(id).kind == IdentifierKind::Data) {
        fail(quoted(project_->identifier(id).name) + L" is not a set or index");
      }
      domain.push_back(id);
      if (peek().is(L')')) break;
      expect(L',');
    }
    expect(L')');
  }
  ValueKind kind = ValueKind::Double;
  int type = isVariable ? kTypeVariable : kTypeParameter;
  int storage = kStorageDouble;
  int range = -1;
  if (isString) {
    kind = ValueKind::String;
    type = kTypeStringParameter;
    storage = kStorageString;
  } else if (isElement) {
    kind = ValueKind::Element;
    type = isVariable ? kTypeElementVariable : kTypeElementParameter;
    storage = kStorageElement;
    if (!peek().isWord(L"in")) fail(L"expected 'in' and the range set");
    take();
    range = lookupSet(takeName(L"a set name"));
  } else if (peek().isWord(L"double")) {
    take();
  } else if (peek().isWord(L"integer")) {
    take();
    kind = ValueKind::Integer;
    storage = kStorageInteger;
  } else if (peek().isWord(L"string")) {
    take();
    kind = ValueKind::String;
    storage = kStorageString;
  }
  Options opts = options(L" type storage ");
  int id =
      project_->addData(name, domain, kind, opts.type < 0 ? type : opts.type,
                        opts.storage < 0 ? storage : opts.storage, range);
  if (peek().is(L'=')) {
    take();
    values(id);
  }
}

void ProjectParser::dataStatement() {
  take();
  int id = project_->lookup(takeName(L"an identifier name"));
  expect(L'=');
  Identifier& identifier = project_->identifier(id);
  if (identifier.kind == IdentifierKind::Set) {
    addSetItems(id, setItems());
  } else if (identifier.kind == IdentifierKind::Data) {
    values(id);
  } else {
    fail(L"an index has no data");
  }
}

void ProjectParser::generateStatement() {
  take();
  int id = project_->lookup(takeName(L"an identifier name"));
  Options opts = options(L" density seed ");
  generateData(*project_, id, opts.density,
               static_cast<unsigned long long>(opts.seed));
}

void ProjectParser::values(int id) {
  Identifier& identifier = project_->identifier(id);
  int dim = static_cast<int>(identifier.domain.size());
  if (dim == 0) {
    value(identifier, nullptr);
    return;
  }
  std::vector<int> tuple(dim);
  expect(L'{');
  while (!peek().is(L'}')) {
    if (peek().kind == TokenKind::End) fail(L"missing '}'");
    for (int k = 0; k < dim; ++k) {
      if (k > 0) expect(L',');
      std::wstring label = takeLabel();
      const SimSet& set = project_->set(identifier.domainSets[k]);
      tuple[k] = set.elementOf(label);
      if (tuple[k] == 0) {
        fail(L"label " + quoted(label) + L" is not in set " +
             quoted(set.name()));
      }
    }
    expect(L':');
    value(identifier, tuple.data());
    if (peek().is(L',') || peek().is(L';')) take();
  }
  expect(L'}');
}

void ProjectParser::value(Identifier& identifier, const int* tuple) {
  TokenKind kind = peek().kind;
  if (kind != TokenKind::Word && kind != TokenKind::Quoted)
    fail(L"expected a value");
  std::wstring text = take().text;
  CellValue cell;
  long long number = 0;
  switch (identifier.data->values().kind()) {
    case ValueKind::Double:
      if (kind != TokenKind::Word || !parseDouble(text, cell.number)) {
        fail(quoted(text) + L" is not a number");
      }
      break;
    case ValueKind::Integer:
      if (kind != TokenKind::Word || !parseInt(text, number) ||
          number < -2147483647LL - 1 || number > 2147483647LL) {
        fail(quoted(text) + L" is not an integer");
      }
      cell.integer = static_cast<int>(number);
      break;
    case ValueKind::String:
      cell.text = text.c_str();
      cell.length = text.size();
      break;
    case ValueKind::Element: {
      const SimSet& range = project_->set(identifier.range);
      cell.integer = range.elementOf(text);
      if (cell.integer == 0) {
        fail(L"label " + quoted(text) + L" is not in set " +
             quoted(range.name()));
      }
      break;
    }
  }
  identifier.data->assign(tuple, cell);
}

}  // namespace Sim
