// Keeps the schema model in the database file itself (tables named "mv$..."), next to the
// user's data, so that DDL and data change together in one transaction.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>

#include "engine/schema_model.h"

namespace morvane::emulator {

struct DatabaseIdentity {
  Family family;
  std::string owner;
};

// Creates the metadata tables in a new database; reads family and owner of an existing one.
DatabaseIdentity EnsureMetadata(sqlite3* db, Family family, const std::string& owner);

// Every DDL statement raises the generation; the derived catalogue remembers the generation
// it was built from.
int64_t SchemaGeneration(sqlite3* db);
void BumpSchemaGeneration(sqlite3* db);

// Next number from a named counter kept in the metadata (object ids, constraint names).
int64_t NextSequenceValue(sqlite3* db, const std::string& counter);

SchemaModel LoadSchema(sqlite3* db);
std::optional<ObjectDef> LoadObject(sqlite3* db, const std::string& name);
// Name of the table or view that owns an index or constraint of that name, if any.
std::optional<std::string> OwnerOfIndex(sqlite3* db, const std::string& index_name);
bool ObjectExists(sqlite3* db, const std::string& name);

// Writes the object's whole definition, replacing a stored one with the same id.
void SaveObject(sqlite3* db, const ObjectDef& object);
void DeleteObject(sqlite3* db, int64_t id);

// Current local time as "YYYY-MM-DD HH:MM:SS".
std::string NowText();

}  // namespace morvane::emulator
