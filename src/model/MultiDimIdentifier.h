// An engine identifier with values over zero or more sets, and the moves of
// its data to and from tables and scalar holders.
#ifndef TAVIK4R_MODEL_MULTIDIMIDENTIFIER_H
#define TAVIK4R_MODEL_MULTIDIMIDENTIFIER_H

#include <memory>
#include <string>
#include <vector>

#include "model/BaseIdentifier.h"
#include "model/ColumnBase.h"
#include "model/SetIdentifier.h"

namespace R {
class IWriteTable;
}

namespace Tavik {

class IDataTable;
class IReadTable;
class IValue;
class IValueConvertor;
class TupleCalls;
class WholeText;
template <typename T>
class SetConvertor;

class MultiDimIdentifier : public BaseIdentifier {
 public:
  enum StorageType : int { String = 0, Integer = 1, Double = 2, Element = 3 };

  MultiDimIdentifier(std::wstring name, std::wstring scope,
                     std::shared_ptr<ITavik> api, int handle,
                     std::vector<std::shared_ptr<SetIdentifier>> domain,
                     StorageType storageType,
                     std::shared_ptr<SetIdentifier> rangeSet);
  ~MultiDimIdentifier() override;

  void setupColumns();
  void setupTableColumns(IDataTable* table);
  void storeTo(IReadTable& table);
  bool loadFrom(R::IWriteTable& table);
  // Assigns the table's rows and leaves the other tuples as they are; a
  // zero (or "", or no element) removes its tuple. All or nothing, as
  // loadFrom.
  void updateFrom(R::IWriteTable& table);
  void storeScalarTo(IValue& value);
  void loadScalarFrom(IValue& value);

  std::vector<std::shared_ptr<SetIdentifier>> domain;
  StorageType storageType;
  std::shared_ptr<SetIdentifier> rangeSet;
  std::vector<std::unique_ptr<ColumnBase>> columns;
  std::unique_ptr<ColumnBase> valueColumn;

 private:
  void writeRows(R::IWriteTable& table, bool replace);
  long expectedTuples();
  long storeBatches(IReadTable& table, const TupleCalls& calls,
                    const std::vector<IValueConvertor*>& convertors,
                    const std::vector<SetConvertor<std::wstring>*>& labels,
                    SetConvertor<std::wstring>* labelValues,
                    IValueConvertor* valueConvertor, std::vector<int>& tuple,
                    tagTavikValueW& record);
  // Reads the text value of tuple (null: the scalar) whole into whole and
  // points record at it.
  void fetchWholeValue(int* tuple, WholeText& whole, tagTavikValueW& record);
};

}  // namespace Tavik

#endif
