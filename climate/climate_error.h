#pragma once

#include "tables/table_error.h"

namespace tarvel::climate {

// A weather file, or a request about one, that cannot be read as asked: what() is the line the
// user reads, in Chinese, and nothing of the file is used. A weather file is a table of hours, so
// its refusal is a table's: a front end catches one type for both.
using ClimateError = tables::TableError;

}  // namespace tarvel::climate
