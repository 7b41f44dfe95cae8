#include "fetch_fixture.h"

#include <stdexcept>

#include "model/item_def.h"
#include "project/new_project.h"
#include "text/codec.h"

namespace morvane::db_test {

EmulatorDatabase::EmulatorDatabase(const std::string& dsn, const std::string& driver,
                                   const std::string& uid, const std::string& pwd,
                                   const std::string& script)
    : fixture_(std::make_unique<emulator::test::FixtureDatabase>(dsn, driver, uid, pwd, script)),
      dsn_(dsn),
      driver_(driver),
      uid_(uid),
      pwd_(pwd) {}

void EmulatorDatabase::AddDataSource(const std::string& name,
                                     const std::map<std::string, std::string>& keys) {
  std::map<std::string, std::string> all = {
      {"Driver", driver_},
      {"Database", fixture_->sources->dir() + "/" + dsn_ + ".db"},
      {"UID", uid_},
      {"PWD", pwd_},
      {"FixedClock", "2001-04-01 09:30:00"}};
  for (const auto& [key, value] : keys) all[key] = value;
  fixture_->sources->Add(name, all);
}

void EmulatorDatabase::Script(const std::string& script) {
  std::string error;
  if (!fixture_->client->Script(script, &error)) throw std::runtime_error(error);
}

ProgramSide::ProgramSide(Product product) { NewProject(store, product, EstimateTextWidth); }

bool ProgramSide::Connect(const std::string& dsn, const std::string& uid, const std::string& pwd) {
  return connection.Connect(store.product, dsn, ToCp932(uid), ToCp932(pwd), prompt, status);
}

bool ProgramSide::Fetch(DataKind data_kind) {
  store.currentDataKind = data_kind;
  return FetchCatalogue(store, session);
}

std::vector<std::string> ProgramSide::TakeMessages() {
  std::vector<std::string> texts;
  for (const ScriptedPrompt::Shown& shown : prompt.shown) texts.push_back(ToUtf8(shown.text));
  prompt.shown.clear();
  return texts;
}

std::vector<std::string> Utf8(const TValueList& values) {
  std::vector<std::string> texts;
  for (std::string_view value : values) texts.push_back(ToUtf8(value));
  return texts;
}

Rows ColumnRows(const TTableRec& record) {
  Rows rows;
  for (const TColumnRow& row : record.columns) rows.push_back(Utf8(row.values));
  return rows;
}

std::vector<std::string> RecordNames(const TCatalogueStore& store, DataKind data_kind) {
  std::vector<std::string> names;
  for (const auto& record : store.Records(data_kind)) names.push_back(ToUtf8(record->name));
  return names;
}

const TTableRec& RecordNamed(const TCatalogueStore& store, DataKind data_kind,
                             const std::string& name) {
  for (const auto& record : store.Records(data_kind)) {
    if (record->name == ToCp932(name)) return *record;
  }
  throw std::runtime_error("no record named " + name);
}

}  // namespace morvane::db_test
