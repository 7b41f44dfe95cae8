// A deterministic mutation loop over the workbook reader: parts of real workbooks are cut,
// repeated, nested and have bytes changed, and each result goes through what the import and the
// template output do with a workbook (open, read every sheet's cells, find the last used cell,
// copy a sheet into a new workbook, save it). Anything may be refused with an ExcelError; no
// other exception, crash or endless run is allowed.
#include <zip.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <string>

#include "excel/application.h"
#include "excel/excel_error.h"
#include "handmade_template.h"
#include "temp_dir.h"
#include "xlsx/zip_package.h"

namespace morvane::excel {
namespace {

using Parts = std::map<std::string, std::string>;

// Rounds of a test run; MORVANE_FUZZ_ROUNDS asks for a longer run.
int Rounds() {
  const char* asked = std::getenv("MORVANE_FUZZ_ROUNDS");
  return asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : 400;
}

Parts ReadParts(const std::string& path) {
  Parts parts;
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
  for (zip_int64_t i = 0; archive != nullptr && i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string bytes(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    zip_fread(file, bytes.data(), bytes.size());
    zip_fclose(file);
    parts[stat.name] = bytes;
  }
  if (archive != nullptr) zip_discard(archive);
  return parts;
}

void WriteParts(const std::string& path, const Parts& parts) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  for (const auto& [name, bytes] : parts) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);
}

// One change to an XML text, of the kinds that break readers.
void Mutate(std::string& xml, std::mt19937& random) {
  if (xml.empty()) return;
  auto at = [&] { return static_cast<size_t>(random() % xml.size()); };
  static const char* const kPieces[] = {"<x>",
                                        "</x>",
                                        "<row r=\"0\">",
                                        "<c r=\"XFE1\" t=\"s\"><v>-1</v></c>",
                                        "\"",
                                        "<",
                                        "<c t=\"s\"><v>abc</v></c>",
                                        "<sheetData>",
                                        "&#0;",
                                        "]]>",
                                        "<row r=\"1048577\"/>",
                                        "<is><t>t</t></is>",
                                        "999999999999",
                                        "r:id=\"rId99\"",
                                        "<extLst><ext/></extLst>",
                                        "<mergeCell ref=\"A1:XFD1048576\"/>"};
  switch (random() % 6) {
    case 0:  // a byte changed
      xml[at()] = static_cast<char>(random() % 128);
      break;
    case 1: {  // a piece cut out
      const size_t from = at();
      xml.erase(from, std::min<size_t>(random() % 64, xml.size() - from));
      break;
    }
    case 2:  // markup put in
      xml.insert(at(), kPieces[random() % std::size(kPieces)]);
      break;
    case 3: {  // a piece repeated
      const size_t from = at();
      const std::string piece = xml.substr(from, random() % 200);
      for (int n = static_cast<int>(random() % 50); n > 0; --n) xml.insert(from, piece);
      break;
    }
    case 4: {  // deep nesting
      const int depth = static_cast<int>(random() % 3000);
      std::string open, close;
      for (int i = 0; i < depth; ++i) open += "<x>", close += "</x>";
      xml.insert(at(), open + close);
      break;
    }
    default: {  // a number changed
      const size_t digit = xml.find_first_of("0123456789", at());
      if (digit != std::string::npos) xml.insert(digit, std::to_string(random() % 100000));
    }
  }
}

// What the import and the template output do with a workbook.
void UseLikeImportAndTemplate(const std::string& path, const std::string& out) {
  ExcelApplication app;
  Workbook& book = app.Workbooks().Open(path);
  const int count = book.Worksheets().Count();
  for (int i = 1; i <= count; ++i) {
    Worksheet sheet = book.Worksheets().Item(i);
    const int last = std::min(sheet.SpecialCells(11).Row(), 60);
    for (int row = 1; row <= last; ++row) {
      for (const char* column : {"A", "B", "C", "H"}) {
        sheet.Range(column + std::to_string(row)).Value();
      }
    }
  }
  Workbook& output = app.Workbooks().Add();
  book.Worksheets().Item(1).Copy(output.Worksheets().Item(1));
  output.SaveAs(out);
}

TEST(WorkbookFuzzTest, MutatedWorkbooksAreReadOrRefusedNeverCrash) {
  xlsx::testing::TempDir dir;
  const std::string seed_path = dir.File("seed.xlsx");
  xlsx::testing::WriteHandmadeTemplate(seed_path);
  const Parts seed = ReadParts(seed_path);
  std::vector<std::string> xml_parts;
  for (const auto& [name, bytes] : seed) {
    if (name.size() > 4 && (name.ends_with(".xml") || name.ends_with(".rels"))) {
      xml_parts.push_back(name);
    }
  }
  ASSERT_GT(xml_parts.size(), 5u);
  std::mt19937 random(20261209);
  int refused = 0;
  const int rounds = Rounds();
  for (int round = 0; round < rounds; ++round) {
    Parts parts = seed;
    for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
      Mutate(parts[xml_parts[random() % xml_parts.size()]], random);
    }
    const std::string path = dir.File("mutated.xlsx");
    WriteParts(path, parts);
    try {
      UseLikeImportAndTemplate(path, dir.File("out.xlsx"));
    } catch (const ExcelError&) {
      ++refused;
    } catch (const std::exception& e) {
      ADD_FAILURE() << "round " << round << ": " << typeid(e).name() << ": " << e.what();
    }
  }
  std::cout << rounds << " workbooks: " << rounds - refused << " read, " << refused << " refused\n";
  // Many mutations make a part unreadable; some must still read.
  EXPECT_GT(refused, rounds / 10);
  EXPECT_LT(refused, rounds);
}

}  // namespace
}  // namespace morvane::excel
