// Workbooks made to hurt the reader: deep nesting, bad cell and string references, twin sheet
// names and more XML than a workbook may hold. Each is refused with a message naming what is
// wrong, and a damaged sheet does not stop the others from being read.
#include <zip.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "temp_dir.h"
#include "xlsx/error.h"
#include "xlsx/workbook.h"

namespace morvane::xlsx {
namespace {

using testing::TempDir;
using Parts = std::map<std::string, std::string>;

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string Repeat(const std::string& text, int count) {
  std::string out;
  out.reserve(text.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

std::string Nested(int depth) { return Repeat("<x>", depth) + Repeat("</x>", depth); }

std::string Worksheet(const std::string& rows, const std::string& after = "") {
  return std::string("<worksheet xmlns=\"") + kMain + "\"><sheetData>" + rows + "</sheetData>" +
         after + "</worksheet>";
}

// A workbook of sheets named `names`, sheet i holding `sheets[i]`, and one shared string.
Parts Book(const std::vector<std::string>& names, const std::vector<std::string>& sheets) {
  Parts parts;
  std::string types =
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
      "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/></Types>";
  parts["[Content_Types].xml"] = types;
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  parts["_rels/.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      rel +
      "/officeDocument\" Target=\"xl/workbook.xml\"/>"
      "</Relationships>";
  std::string sheet_list;
  std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rS\" Type=\"" +
      rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    sheet_list += "<sheet name=\"" + names[i] + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel +
            "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
    parts["xl/worksheets/sheet" + n + ".xml"] = sheets[i];
  }
  parts["xl/workbook.xml"] = std::string("<workbook xmlns=\"") + kMain + "\" xmlns:r=\"" + rel +
                             "\"><sheets>" + sheet_list + "</sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
  parts["xl/sharedStrings.xml"] =
      std::string("<sst xmlns=\"") + kMain + "\"><si><t>first</t></si></sst>";
  return parts;
}

void WriteZip(const std::string& path, const Parts& parts) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, bytes] : parts) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    ASSERT_GE(index, 0);
    // Stored: a part of random text must not look like a zip bomb, and it is quicker.
    if (bytes.size() > (1u << 20)) {
      zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
  }
  ASSERT_EQ(zip_close(archive), 0);
}

// The reason reading every sheet of the workbook fails with, or "" when it reads.
std::string ReadFailure(const std::string& path) {
  try {
    std::unique_ptr<Workbook> book = Workbook::Open(path);
    for (size_t i = 0; i < book->SheetCount(); ++i) book->Sheet(i);
    std::unique_ptr<Workbook> copy = Workbook::Create(1);
    copy->CopySheet(*book, book->Sheet(0), 1);
    return "";
  } catch (const Error& e) {
    return e.what();
  }
}

std::string Cell(const std::string& ref, const std::string& type, const std::string& value) {
  return "<c r=\"" + ref + "\" t=\"" + type + "\"><v>" + value + "</v></c>";
}

struct HostileCase {
  const char* name;
  std::string sheet;
  const char* reason;  // a part of the message
};

TEST(HostileWorkbookTest, IsRefusedWithAReasonNamingWhatIsWrong) {
  const HostileCase cases[] = {
      {"deep sheetData", Worksheet(Nested(200000)), "入れ子が深すぎる"},
      {"deep inline string",
       Worksheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>" + Nested(200000) +
                 "</is></c></row>"),
       "入れ子が深すぎる"},
      {"deep extLst", Worksheet("", "<extLst>" + Nested(200000) + "</extLst>"), "入れ子が深すぎる"},
      {"negative string index", Worksheet("<row r=\"1\">" + Cell("B1", "s", "-1") + "</row>"),
       "セル B1 の共有文字列の番号「-1」"},
      {"word as string index", Worksheet("<row r=\"2\">" + Cell("C2", "s", "abc") + "</row>"),
       "セル C2 の共有文字列の番号「abc」"},
      {"fraction as string index", Worksheet("<row r=\"1\">" + Cell("A1", "s", "0.5") + "</row>"),
       "「0.5」"},
      {"empty string index", Worksheet("<row r=\"1\">" + Cell("A1", "s", "") + "</row>"),
       "セル A1 の共有文字列の番号「」"},
      {"string index past the strings",
       Worksheet("<row r=\"3\">" + Cell("D3", "s", "7") + "</row>"),
       "セル D3 の共有文字列の番号 7"},
      {"column past XFD", Worksheet("<row r=\"1\">" + Cell("XFE1", "n", "1") + "</row>"),
       "セル参照「XFE1」"},
      {"row past the last", Worksheet("<row r=\"1048577\"><c><v>1</v></c></row>"),
       "行番号「1048577」"},
      {"row number that is no number", Worksheet("<row r=\"x\"/>"), "行番号「x」"},
  };
  TempDir dir;
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("hostile.xlsx");
    WriteZip(path, Book({"Good", "Bad"}, {Worksheet(""), c.sheet}));
    const std::string reason = ReadFailure(path);
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    EXPECT_NE(reason.find("シート「Bad」"), std::string::npos) << reason;
  }
}

TEST(HostileWorkbookTest, OnlyTheSheetsUsedAreRead) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  WriteZip(path,
           Book({"Good", "Bad"}, {Worksheet("<row r=\"1\">" + Cell("A1", "s", "0") + "</row>"),
                                  Worksheet(Nested(200000))}));
  std::unique_ptr<Workbook> book = Workbook::Open(path);
  ASSERT_EQ(book->SheetCount(), 2u);
  EXPECT_EQ(book->SheetName(1), "Bad");
  EXPECT_EQ(book->CellText(book->Sheet(0), {1, 1}), "first");
  EXPECT_THROW(book->Sheet(1), Error);
}

TEST(HostileWorkbookTest, TwoSheetsOfOneNameAreRefused) {
  TempDir dir;
  const std::string path = dir.File("twins.xlsx");
  WriteZip(path, Book({"Same", "same"}, {Worksheet(""), Worksheet("")}));
  EXPECT_NE(ReadFailure(path).find("同じ名前のシート「same」"), std::string::npos);
}

// Sheets of random text in comments: small enough each, too much together.
TEST(HostileWorkbookTest, MoreXmlThanTheBoundIsRefusedWithTheFigure) {
  std::mt19937 random(7);
  std::string filler(Workbook::kMaxParsedXmlBytes / 3 + 1000, 'a');
  for (char& c : filler) c = static_cast<char>('a' + random() % 26);
  const std::string sheet = Worksheet("", "<!--" + filler + "-->");
  TempDir dir;
  const std::string path = dir.File("large.xlsx");
  WriteZip(path, Book({"A", "B", "C", "D"}, {sheet, sheet, sheet, sheet}));
  std::unique_ptr<Workbook> book = Workbook::Open(path);
  book->Sheet(0);  // one sheet is within the bound
  const std::string reason = ReadFailure(path);
  EXPECT_NE(reason.find("大きすぎる"), std::string::npos) << reason;
  EXPECT_NE(reason.find(std::to_string(Workbook::kMaxParsedXmlBytes >> 20) + " MB"),
            std::string::npos)
      << reason;
}

// What Morvane writes it reads: a part that deflates beyond the reader's ratio limit is stored,
// and a sheet too large to read back is not written at all.
TEST(HostileWorkbookTest, WhatIsWrittenReadsBack) {
  TempDir dir;
  std::unique_ptr<Workbook> book = Workbook::Create(1);
  const std::string long_text(32000, 'a');
  for (uint32_t row = 1; row <= 400; ++row) {
    book->SetCellText(book->Sheet(0), {row, 1}, long_text + std::to_string(row));
  }
  const std::string path = dir.File("repetitive.xlsx");
  book->Save(path);
  std::unique_ptr<Workbook> again = Workbook::Open(path);
  EXPECT_EQ(again->CellText(again->Sheet(0), {400, 1}), long_text + "400");

  const std::string more(200000, 'b');
  for (uint32_t row = 1; row * more.size() <= Workbook::kMaxParsedXmlBytes; ++row) {
    book->SetCellText(book->Sheet(0), {row, 2}, more + std::to_string(row));
  }
  try {
    book->Save(dir.File("huge.xlsx"));
    FAIL() << "saved";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("シート「Sheet1」が大きすぎるため保存できません"),
              std::string::npos)
        << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("huge.xlsx")));
}

}  // namespace
}  // namespace morvane::xlsx
