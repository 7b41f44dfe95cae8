// The fixed texts of the catalogue statements, one source file per database product.
#pragma once

#include "model/data_kind.h"

namespace morvane {

// The catalogue statement and the count statement of one product and data kind; both null when
// the data kind has no statements.
struct StatementTexts {
  const char* catalogue = nullptr;
  const char* count = nullptr;
};

StatementTexts RedBrickStatements(DataKind data_kind);
StatementTexts BroadbaseStatements(DataKind data_kind);
// The Oracle catalogue texts follow "SELECT '" and the owner name.
StatementTexts Oracle8Statements(DataKind data_kind);
StatementTexts Oracle7Statements(DataKind data_kind);

}  // namespace morvane
