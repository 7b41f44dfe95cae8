// Timing and peak memory of saving and opening a large project: 5,000 Oracle tables with 40
// columns each and an ER sheet of 200 windows; and of two unusual files: 10,000 ER sheets, and
// a 50 MB line of empty fields.
//
//   project_bench save FILE    build the project in memory and save it to FILE
//   project_bench open FILE    open FILE
//   project_bench resave FILE OUT   open FILE and save it to OUT
//   project_bench sheets FILE  save a project of 10,000 ER sheets to FILE
//   project_bench wide FILE    write a project whose one value line is 50 MB of empty fields
//
// Each run prints the time of the file operation, the process's peak resident memory and the
// ratio of that peak to the file size. Run each step in its own process (bench/project/run.sh)
// so that the peak memory of opening is not hidden by the generated document.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "er/er_from_record.h"
#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane {
namespace {

constexpr int kTables = 5000;
constexpr int kColumns = 40;
constexpr int kWindows = 200;

std::string Padded(int n, int width) {
  std::string text = std::to_string(n);
  return std::string(text.size() < static_cast<size_t>(width) ? width - text.size() : 0, '0') +
         text;
}

TValueList TableValues(const std::string& name, int t) {
  std::vector<std::string> v(43);
  v[0] = "SALES";
  v[1] = name;
  v[2] = "TABLE";
  v[3] = std::to_string(3000 + t % 700);
  v[4] = "38";
  v[5] = "2";
  v[6] = std::to_string(t * 37 % 100000);
  v[7] = "USERS";
  v[10] = "10";
  v[11] = "40";
  v[12] = "1";
  v[13] = "255";
  v[14] = "65536";
  v[15] = "65536";
  v[16] = "1";
  v[17] = "2147483645";
  v[18] = "0";
  v[19] = "1";
  v[20] = "1";
  v[21] = "YES";
  v[22] = "N";
  v[23] = std::to_string(t * 37 % 100000);
  v[24] = "128";
  v[31] = "1";
  v[32] = "1";
  v[33] = "N";
  v[34] = "ENABLED";
  v[36] = "2001/04/01 12:00:00";
  v[37] = "NO";
  v[38] = "N";
  v[39] = "N";
  v[40] = "NO";
  v[41] = "DEFAULT";
  v[42] = ToCp932("受注明細テーブル");
  return TValueList(v);
}

TValueList ColumnValues(int c, const std::string& circle) {
  static const char* const types[] = {"NUMBER", "VARCHAR2", "DATE", "CHAR"};
  const std::string type = types[c % 4];
  const std::string length = type == "DATE" ? "7" : std::to_string(10 + c % 30);
  std::vector<std::string> v(27);
  v[0] = std::to_string(c + 1);
  v[1] = "COLUMN_NAME_" + Padded(c + 1, 2);
  v[2] = type;
  v[3] = length;
  if (type == "NUMBER") {
    v[4] = "10";
    v[5] = "2";
  }
  v[6] = length;
  v[7] = type == "NUMBER" ? "2" : "";
  v[8] = std::to_string(11 + c % 30);
  v[9] = c == 0 ? circle : "";
  v[11] = c < 3 ? circle : "";
  v[14] = "";
  v[16] = std::to_string(1000 + c);
  v[17] = "C102";
  v[18] = "C3020B";
  v[19] = ".001";
  v[20] = "0";
  v[21] = "1";
  v[22] = "2001/04/01";
  v[24] = type == "NUMBER" ? "" : "CHAR_CS";
  v[25] = length;
  v[26] = ToCp932("列のコメント") + std::to_string(c);
  return TValueList(v);
}

void BuildLargeProject(TCatalogueStore& store) {
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  const std::string circle = ToCp932("○");
  for (int t = 0; t < kTables; ++t) {
    TTableRec& rec = store.AddRecord(DataKind::Table);
    const std::string name = "T_ORDER_" + Padded(t, 4);
    rec.owner = "SALES";
    rec.type = "TABLE";
    rec.name = name;
    rec.values = TableValues(name, t);
    rec.columns.reserve(kColumns);
    for (int c = 0; c < kColumns; ++c) rec.columns.push_back({ColumnValues(c, circle)});
  }
  TERSheetRec& sheet = *store.er.Current();
  const TColumnValuePositions positions = ColumnValuePositionsFor(Product::Oracle8, false);
  const RecordList& records = store.Records(DataKind::Table);
  for (int w = 0; w < kWindows; ++w) {
    AddERTableFromRecord(store.er, sheet, *records[w], positions, (w % 20) * 200, (w / 20) * 700,
                         180, 650);
  }
  for (int w = 1; w < kWindows; ++w) {
    AddERLine(sheet, sheet.tables[w].get(), sheet.tables[(w - 1) / 2].get());
  }
}

constexpr int kSheets = 10000;
constexpr size_t kWideLineBytes = 50u << 20;

bool SaveManySheets(const std::string& path) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  const std::string prefix = ToCp932("シート");
  for (int n = 2; n <= kSheets; ++n) AddERSheet(store.er, prefix + std::to_string(n));
  return SaveProjectFile(store, path).ok;
}

bool WriteWideLine(const std::string& path) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  std::string bytes = ProjectFileBytes(store);
  const std::string record =
      "\x01TABLE\x02"
      "2\x02\r\nSALES\x02TABLE\x02WIDE\x02\r\n\x01TABLE_VALUE\x02\r\n";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const size_t header_end = bytes.find('\n') + 1;
  out << bytes.substr(0, header_end) << record << std::string(kWideLineBytes, '\x02') << "\r\n"
      << bytes.substr(header_end);
  return out.good();
}

long PeakMemoryKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, double seconds, const std::string& file) {
  const double fileMiB = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
  const double peakMiB = static_cast<double>(PeakMemoryKiB()) / 1024;
  std::printf("%-7s %6.3f s   file %7.1f MiB   peak memory %7.1f MiB   peak/file %.2f\n", what,
              seconds, fileMiB, peakMiB, peakMiB / fileMiB);
}

bool Save(TCatalogueStore& store, const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  ProjectWriteResult result = SaveProjectFile(store, path);
  if (!result.ok) {
    std::fprintf(stderr, "%s\n", result.error.c_str());
    return false;
  }
  Report("save", Seconds(start), path);
  return true;
}

bool Open(TCatalogueStore& store, const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  ProjectReadResult result = OpenProjectFile(store, path, EstimateTextWidth);
  if (!result.ok) {
    for (const std::string& e : result.errors) std::fprintf(stderr, "%s\n", e.c_str());
    return false;
  }
  Report("open", Seconds(start), path);
  return true;
}

int Run(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  TCatalogueStore store;
  if (mode == "save" && argc == 3) {
    BuildLargeProject(store);
    return Save(store, argv[2]) ? 0 : 1;
  }
  if (mode == "open" && argc == 3) return Open(store, argv[2]) ? 0 : 1;
  if (mode == "resave" && argc == 4) return Open(store, argv[2]) && Save(store, argv[3]) ? 0 : 1;
  if (mode == "sheets" && argc == 3) return SaveManySheets(argv[2]) ? 0 : 1;
  if (mode == "wide" && argc == 3) return WriteWideLine(argv[2]) ? 0 : 1;
  std::fprintf(stderr,
               "usage: project_bench save FILE | open FILE | resave FILE OUT | sheets FILE |"
               " wide FILE\n");
  return 2;
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::Run(argc, argv); }
