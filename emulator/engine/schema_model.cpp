#include "engine/schema_model.h"

namespace morvane::emulator {

const ColumnDef* ObjectDef::FindColumn(const std::string& column) const {
  for (const ColumnDef& c : columns) {
    if (c.name == column) return &c;
  }
  return nullptr;
}

ColumnDef* ObjectDef::FindColumn(const std::string& column) {
  return const_cast<ColumnDef*>(static_cast<const ObjectDef*>(this)->FindColumn(column));
}

const ConstraintDef* ObjectDef::PrimaryKey() const {
  for (const ConstraintDef& c : constraints) {
    if (c.kind == ConstraintKind::kPrimary) return &c;
  }
  return nullptr;
}

const ObjectDef* SchemaModel::Find(const std::string& name) const {
  for (const ObjectDef& o : objects) {
    if (o.name == name) return &o;
  }
  return nullptr;
}

}  // namespace morvane::emulator
