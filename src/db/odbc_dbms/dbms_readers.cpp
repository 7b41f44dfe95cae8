#include <array>

#include "db/odbc_dbms/dbms_reader.h"

namespace morvane {

const DbmsReader* FindDbmsReader(std::string_view dbms_name) {
  static const std::array<const DbmsReader*, 2> kReaders = {&PostgresReader(), &MariaDbReader()};
  for (const DbmsReader* reader : kReaders) {
    if (reader->Serves(dbms_name)) return reader;
  }
  return nullptr;
}

}  // namespace morvane
