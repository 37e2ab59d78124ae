// The R side of a scalar transfer: one typed column holding or reading the
// single value.
#ifndef TAVIK4R_RBRIDGE_VALUE_H
#define TAVIK4R_RBRIDGE_VALUE_H

#include <Rcpp.h>

#include <memory>

#include "model/IValue.h"
#include "rbridge/IColumn.h"

namespace R {

class Value : public Tavik::IValue {
 public:
  Value() : source(nullptr) {}
  // source is kept alive by the caller for the holder's lifetime.
  explicit Value(SEXP source) : source(source) {}
  ~Value() override {}

  void setupValueType(const Tavik::ValueType& type) override;
  void addValue(Tavik::Value& value) override;
  void getValue(Tavik::Value& value) override;
  SEXP createSExpr();

  std::shared_ptr<IColumn> column;
  SEXP source;

 private:
  IColumn& typedColumn();

  // The value handed out by getValue points into this frame.
  Rcpp::DataFrame frame;
};

}  // namespace R

#endif
