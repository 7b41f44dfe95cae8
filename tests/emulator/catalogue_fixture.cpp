#include "catalogue_fixture.h"

namespace morvane::emulator::test {

ResultRow Row(std::initializer_list<const char*> values) {
  ResultRow row;
  for (const char* v : values) row.push_back(v ? Value(v) : std::nullopt);
  return row;
}

ResultRow Concat(const ResultRow& a, const ResultRow& b) {
  ResultRow row = a;
  row.insert(row.end(), b.begin(), b.end());
  return row;
}

std::string Describe(const ResultRow& row) {
  std::string text;
  for (const Value& v : row)
    text += (text.empty() ? "" : " | ") + (v ? "'" + *v + "'" : std::string("NULL"));
  return text;
}

void ExpectRows(const std::vector<ResultRow>& expected, const std::vector<ResultRow>& actual) {
  ASSERT_EQ(expected.size(), actual.size()) << "row count differs";
  for (size_t r = 0; r < expected.size(); ++r) {
    ASSERT_EQ(expected[r].size(), actual[r].size()) << "column count differs in row " << r;
    for (size_t c = 0; c < expected[r].size(); ++c) {
      EXPECT_EQ(expected[r][c], actual[r][c])
          << "row " << r << ", column " << c << "\n  expected: " << Describe(expected[r])
          << "\n  actual:   " << Describe(actual[r]);
    }
  }
}

FixtureDatabase::FixtureDatabase(const std::string& dsn, const std::string& driver,
                                 const std::string& uid, const std::string& pwd,
                                 const std::string& script)
    : sources(std::make_unique<TempDataSources>()), client(std::make_unique<OdbcClient>()) {
  sources->Add(dsn, {{"Driver", driver},
                     {"Database", sources->dir() + "/" + dsn + ".db"},
                     {"Create", "Yes"},
                     {"UID", uid},
                     {"PWD", pwd},
                     {"FixedClock", "2001-04-01 09:30:00"}});
  SQLRETURN rc = client->Connect(dsn, uid, pwd);
  if (!SQL_SUCCEEDED(rc))
    throw std::runtime_error("fixture connect failed: " + client->ConnectionError());
  std::string error;
  if (!client->Script(script, &error)) throw std::runtime_error("fixture script failed: " + error);
}

}  // namespace morvane::emulator::test
