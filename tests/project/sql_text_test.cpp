// The SQL text box's text through the document and the project file: one field per line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"
#include "text/sql_text.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

struct TextCase {
  std::string typed;     // the text box's text (UTF-8)
  std::string fields;    // the SQL_TEXT line of the file (UTF-8)
  std::string reopened;  // the text box's text after saving and opening
};

std::string SqlTextLine(const std::string& file) {
  const std::string tag = "\x01SQL_TEXT\x02\r\n";
  size_t start = file.find(tag);
  if (start == std::string::npos) return "<no SQL_TEXT>";
  start += tag.size();
  return file.substr(start, file.find("\r\n", start) - start);
}

TEST(SqlTextFileTest, EachLineOfTheTextBoxIsOneFieldAndReadsBackAsOneLine) {
  const TextCase cases[] = {
      {"", "", ""},
      {"SELECT 1 FROM DUAL", "SELECT 1 FROM DUAL\x02", "SELECT 1 FROM DUAL"},
      {"SELECT *\nFROM EMP",
       "SELECT *\x02"
       "FROM EMP\x02",
       "SELECT *\nFROM EMP"},
      // A final line break does not make an empty last field.
      {"SELECT *\nFROM EMP\n",
       "SELECT *\x02"
       "FROM EMP\x02",
       "SELECT *\nFROM EMP"},
      {"SELECT *\r\nFROM EMP\r\n",
       "SELECT *\x02"
       "FROM EMP\x02",
       "SELECT *\nFROM EMP"},
      {"SELECT *\n\n  FROM EMP", "SELECT *\x02\x02  FROM EMP\x02", "SELECT *\n\n  FROM EMP"},
      {"SELECT 社員名\nFROM 社員\n\n",
       "SELECT 社員名\x02"
       "FROM 社員\x02\x02",
       "SELECT 社員名\nFROM 社員\n"},
  };
  const fs::path path =
      fs::temp_directory_path() / ("morvane-sql-text-" + std::to_string(::getpid()) + ".vnk");
  for (const TextCase& c : cases) {
    TCatalogueStore store;
    NewProject(store, Product::Oracle8, EstimateTextWidth);
    store.sqlText = SqlTextLines(ToCp932(c.typed));
    store.sqlMaxRow = "250";
    ProjectWriteResult saved = SaveProjectFile(store, path.string());
    ASSERT_TRUE(saved.ok) << saved.error;
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(SqlTextLine(bytes.str()), ToCp932(c.fields)) << c.typed;

    TCatalogueStore reopened;
    ASSERT_TRUE(OpenProjectFile(reopened, path.string(), EstimateTextWidth).ok);
    EXPECT_EQ(ToUtf8(SqlTextOfLines(reopened.sqlText)), c.reopened) << c.typed;
    EXPECT_EQ(reopened.sqlMaxRow, "250");
  }
  fs::remove(path);
}

TEST(SqlTextFileTest, LinesOfAText) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SqlTextLines(""), Lines{});
  EXPECT_EQ(SqlTextLines("\n"), Lines{""});
  EXPECT_EQ(SqlTextLines("A"), Lines{"A"});
  EXPECT_EQ(SqlTextLines("A\r\nB\n"), (Lines{"A", "B"}));
  EXPECT_EQ(SqlTextLines("A\n\n"), (Lines{"A", ""}));
  EXPECT_EQ(SqlTextOfLines({"A", "", "B"}), "A\n\nB");
}

}  // namespace
}  // namespace morvane
