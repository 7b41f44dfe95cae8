// A fixture database per test suite: a data source of its own in a temporary odbc.ini, built
// through the driver from a DDL script.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "odbc_client.h"

namespace morvane::emulator::test {

// A result row written as text literals; nullptr stands for NULL.
ResultRow Row(std::initializer_list<const char*> values);
ResultRow Concat(const ResultRow& a, const ResultRow& b);
std::string Describe(const ResultRow& row);

// Compares rows one by one and value by value, naming the first difference.
void ExpectRows(const std::vector<ResultRow>& expected, const std::vector<ResultRow>& actual);

struct FixtureDatabase {
  // `driver` is e.g. "Morvane Oracle"; the data source is called `dsn`.
  FixtureDatabase(const std::string& dsn, const std::string& driver, const std::string& uid,
                  const std::string& pwd, const std::string& script);
  std::unique_ptr<TempDataSources> sources;
  std::unique_ptr<OdbcClient> client;
};

}  // namespace morvane::emulator::test
