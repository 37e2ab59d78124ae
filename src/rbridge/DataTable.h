// Common base of the R tables: the typed columns made from names and kinds.
#ifndef TAVIK4R_RBRIDGE_DATATABLE_H
#define TAVIK4R_RBRIDGE_DATATABLE_H

#include <memory>
#include <string>
#include <vector>

#include "model/IDataTable.h"
#include "rbridge/IColumn.h"

namespace R {

class DataTable : public Tavik::IDataTable {
 public:
  void setupColumns(const std::vector<std::wstring>& names,
                    const std::vector<Tavik::ValueType>& types) override;
  void checkInterrupt() override;

  std::vector<std::shared_ptr<IColumn>> columns;
};

}  // namespace R

#endif
