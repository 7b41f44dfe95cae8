#include <gtest/gtest.h>

#include "project/new_project.h"
#include "project/project_writer.h"
#include "sample_document.h"
#include "text/codec.h"

namespace morvane {
namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(ProjectWriterTest, NewRedBrickProjectBeginsAsTheFormatShows) {
  TCatalogueStore store;
  NewProject(store, Product::RedBrick, EstimateTextWidth);
  const std::string bytes = ProjectFileBytes(store);
  const std::string expected =
      "\x01Velnorak\x02"
      "280\x02\r\n"
      "\x01"
      "DATABASE_TYPE\x02\r\n"
      "1\x02\r\n"
      "\x01"
      "FORMAT\x02"
      "1\x02"
      "1\x02\r\n"
      "NO\x02"
      "2\x02"
      "0\x02"
      "1\x02"
      "A\x02"
      "A1\x02\r\n"
      "NAME\x02"
      "1\x02"
      "1\x02"
      "1\x02"
      "B\x02"
      "B1\x02\r\n"
      "SIZE(byte)\x02"
      "1\x02"
      "2\x02"
      "1\x02"
      "C\x02"
      "C1\x02\r\n"
      "\x01"
      "FORMAT\x02"
      "1\x02"
      "2\x02\r\n"
      "NO\x02"
      "2\x02"
      "0\x02"
      "1\x02"
      "A\x02\x02\r\n";
  EXPECT_EQ(bytes.substr(0, expected.size()), expected);
}

TEST(ProjectWriterTest, SectionsComeInOrderWithTheirFields) {
  TCatalogueStore store;
  NewProject(store, Product::Broadbase, EstimateTextWidth);
  std::vector<std::string> lines = Lines(ProjectFileBytes(store));
  // Tag lines only, in order.
  std::vector<std::string> tags;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '\x01') tags.push_back(line);
  }
  std::vector<std::string> expected = {
      "\x01Velnorak\x02"
      "280\x02",
      "\x01"
      "DATABASE_TYPE\x02"};
  for (DataKind kind : kDataKinds) {
    for (int level = 1; level <= 2; ++level) {
      expected.push_back(
          "\x01"
          "FORMAT\x02" +
          std::to_string(DataKindCode(kind)) + "\x02" + std::to_string(level) + "\x02");
    }
  }
  for (DataKind kind : kDataKinds) {
    expected.push_back(
        "\x01"
        "FORMAT_TABLE\x02" +
        std::to_string(DataKindCode(kind)) + "\x02");
  }
  for (DataKind kind : kDataKinds) {
    expected.push_back(
        "\x01"
        "FORMAT_COLUMN\x02" +
        std::to_string(DataKindCode(kind)) + "\x02");
  }
  for (const char* tag : {"FORMAT_ER", "ER", "EXCEL_IMPORT", "SQL_TEXT", "SQL_MAXROW"}) {
    expected.push_back(std::string("\x01") + tag + "\x02");
  }
  EXPECT_EQ(tags, expected);

  auto after = [&lines](const std::string& tag) {
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i] == tag) return lines[i + 1];
    }
    return std::string("<missing>");
  };
  EXPECT_EQ(after("\x01"
                  "FORMAT_TABLE\x02"
                  "5\x02"),
            "1\x02"
            "0\x02"
            "1\x02"
            "1\x02");
  EXPECT_EQ(after("\x01"
                  "FORMAT_COLUMN\x02"
                  "4\x02"),
            "5\x02"
            "0\x02");
  EXPECT_EQ(after("\x01"
                  "FORMAT_ER\x02"),
            "0\x02"
            "0\x02"
            "1\x02"
            "1\x02");
  EXPECT_EQ(after("\x01"
                  "ER\x02"),
            ToCp932("シート1") + "\x02");
  EXPECT_EQ(after("\x01"
                  "EXCEL_IMPORT\x02"),
            "A1\x02"
            "5\x02"
            "A\x02" +
                std::string(11, '\x02'));
  EXPECT_EQ(after("\x01SQL_TEXT\x02"), "");
  EXPECT_EQ(after("\x01SQL_MAXROW\x02"), "1000\x02");
  EXPECT_EQ(lines.back(), "1000\x02");
}

TEST(ProjectWriterTest, RecordsWindowsLinesAndRelationsAreWrittenInOrder) {
  TCatalogueStore store;
  testing::BuildSampleDocument(store);
  const std::string bytes = ProjectFileBytes(store);
  auto contains = [&bytes](const std::string& piece) {
    return bytes.find(piece) != std::string::npos;
  };
  EXPECT_TRUE(
      contains("\x01TABLE\x02"
               "2\x02\r\nSCOTT\x02TABLE\x02"
               "EMP\x02\r\n"
               "\x01TABLE_VALUE\x02\r\nSCOTT\x02"
               "EMP\x02TABLE\x02"
               "120\x02\x02"));
  // A record and a column row without values write a single field mark.
  EXPECT_TRUE(
      contains("\x01TABLE_COLUMN\x02\r\n\x02\r\n\x01TABLE\x02"
               "3\x02"));
  EXPECT_TRUE(contains("PK_EMP\x02\r\n\x01TABLE_VALUE\x02\r\n\x02\r\n"));
  EXPECT_TRUE(
      contains("\x01"
               "ER_TABLE\x02\r\nTable1\x02"
               "EMP\x02"
               "10\x02"
               "20\x02"
               "150\x02"
               "150\x02\r\n\x01"
               "ER_TABLE_COLUMN\x02\r\n*\x02"
               "EMPNO\x02NUMBER(4)\x02"
               "TRUE\x02\r\n \x02"
               "ENAME\x02VARCHAR2(10)\x02"
               "FALSE\x02\r\n"));
  EXPECT_TRUE(
      contains("\x01"
               "ER_LINE\x02\r\nTable1\x02Table3\x02\r\n"));
  EXPECT_TRUE(
      contains("\x01"
               "ER_FKTABLE\x02\r\nEMP\x02\r\n\x01"
               "ER_PKTABLE\x02\r\n"
               "DEPT\x02"
               "BONUS\x02\r\n"));
  EXPECT_TRUE(
      contains("\x01"
               "ER_FKTABLE\x02\r\nDEPT\x02\r\n\x01"
               "ER_PKTABLE\x02\r\n\x02\r\n"));
  EXPECT_TRUE(contains("\x01SQL_TEXT\x02\r\nSELECT COUNT(*)\x02  FROM EMP\x02\x02\r\n"));
  EXPECT_TRUE(
      contains("\x01"
               "FORMAT_TABLE\x02"
               "3\x02\r\n0\x02"
               "1\x02-4\x02"
               "1\x02\r\n"));
}

}  // namespace
}  // namespace morvane
