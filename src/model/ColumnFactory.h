// Makes the engine-side columns, each with a convertor of its own.
#ifndef TAVIK4R_MODEL_COLUMNFACTORY_H
#define TAVIK4R_MODEL_COLUMNFACTORY_H

#include <memory>
#include <string>

#include "model/ColumnBase.h"
#include "model/SetIdentifier.h"

namespace Tavik {

class ColumnFactory {
 public:
  static std::unique_ptr<ColumnBase> getStringColumn(const std::wstring& name);
  static std::unique_ptr<ColumnBase> getDoubleColumn(const std::wstring& name);
  static std::unique_ptr<ColumnBase> getIntegerColumn(const std::wstring& name);
  static std::unique_ptr<ColumnBase> getSetStringColumn(
      const std::wstring& name, std::shared_ptr<SetIdentifier> set);
  static std::unique_ptr<ColumnBase> getSetIntegerColumn(
      const std::wstring& name, std::shared_ptr<SetIdentifier> set);
};

}  // namespace Tavik

#endif
