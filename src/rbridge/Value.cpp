#include "rbridge/Value.h"

#include <stdexcept>

#include "engine/TavikException.h"
#include "rbridge/CharacterColumn.h"
#include "rbridge/NumericColumn.h"
#include "rbridge/RConversions.h"

namespace R {

void Value::setupValueType(const Tavik::ValueType& type) {
  const int code = static_cast<int>(type);
  if (code == 1) {
    column = std::make_shared<Column<Rcpp::NumericVector>>("Value", 0);
  } else if (code == 2) {
    column = std::make_shared<Column<Rcpp::IntegerVector>>("Value", 0);
  } else if (code != 0) {
    throw std::runtime_error("setupColumn: unexpected type");
  } else {
    column = std::make_shared<Column<Rcpp::CharacterVector>>("Value", 0);
  }
}

IColumn& Value::typedColumn() {
  if (!column) throw std::logic_error("The value's type is not set up");
  return *column;
}

void Value::addValue(Tavik::Value& value) { typedColumn().addValue(value); }

void Value::getValue(Tavik::Value& value) {
  if (source == nullptr)
    throw Tavik::TavikException(
        "Dataframe not set when trying to write Scalar");
  frame = asDataFrame(source);
  const R_xlen_t width = Rf_xlength(frame);
  // No column at all is as wrong as two.
  Tavik::TavikFault shape;
  shape.kind = Tavik::TavikFault::Shape;
  if (width != 1)
    throw Tavik::TavikException(
        "Writing to a scalar identifier requires 1 data frame "
        "dimension/column",
        shape);
  if (rowsOf(columnAt(frame, 0)) < 1)
    throw Tavik::TavikException(
        "Writing to a scalar identifier requires a value, but the data "
        "frame has no row",
        shape);
  typedColumn().getValue(frame, 0, value);
}

SEXP Value::createSExpr() { return typedColumn().createSExpr(); }

}  // namespace R
