// The common base of the tables an identifier reads into and writes from:
// the typed columns made from names and kinds. Declared here, beside the
// table interfaces that derive from it; the R tables (rbridge) implement it
// with R columns, which the model knows only by name.
#ifndef TAVIK4R_MODEL_DATATABLE_H
#define TAVIK4R_MODEL_DATATABLE_H

#include <memory>
#include <string>
#include <vector>

#include "model/IDataTable.h"

namespace R {

class IColumn;

class DataTable : public Tavik::IDataTable {
 public:
  void setupColumns(const std::vector<std::wstring>& names,
                    const std::vector<Tavik::ValueType>& types) override;
  void checkInterrupt() override;

  std::vector<std::shared_ptr<IColumn>> columns;
};

}  // namespace R

#endif
