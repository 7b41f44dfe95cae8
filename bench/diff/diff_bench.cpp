// Timing and memory of comparing two large projects: 5,000 Oracle tables with 40 columns each,
// the newer one with 50 tables added, 50 dropped, 100 columns widened and 100 comments changed.
//
//   diff_bench make OLD NEW      write the two projects
//   diff_bench compare OLD NEW   open both, compare them, print the figures
//
// compare prints the time of the comparison alone, the number of changes, the sum of the two
// file sizes, the resident memory after opening, the process's peak resident memory, and the
// ratio of what the comparison added on top of the opened projects to the two file sizes.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "diff/catalogue_diff.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane {
namespace {

constexpr int kTables = 5000;
constexpr int kColumns = 40;

std::string Numbered(const char* stem, int n) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%04d", stem, n);
  return text;
}

TValueList TableValues(const std::string& name, int t) {
  std::vector<std::string> v(43);
  v[0] = "SALES";
  v[1] = name;
  v[2] = "TABLE";
  v[3] = std::to_string(3000 + t % 700);
  v[6] = std::to_string(t * 37 % 100000);
  v[7] = "USERS";
  v[23] = std::to_string(t * 37 % 100000);
  v[36] = "2001/04/01 12:00:00";
  v[42] = ToCp932("受注明細テーブル");
  return TValueList(v);
}

TValueList ColumnValues(int c) {
  static const char* const types[] = {"NUMBER", "VARCHAR2", "DATE", "CHAR"};
  const std::string type = types[c % 4];
  const std::string length = type == "DATE" ? "7" : std::to_string(10 + c % 30);
  std::vector<std::string> v(27);
  v[0] = std::to_string(c + 1);
  v[1] = Numbered("COLUMN_NAME_", c + 1);
  v[2] = type;
  v[3] = length;
  v[6] = length;
  v[8] = std::to_string(11 + c % 30);
  v[11] = c < 3 ? ToCp932("○") : "";
  v[16] = std::to_string(1000 + c);
  v[22] = "2001/04/01";
  v[26] = ToCp932("列のコメント") + std::to_string(c);
  return TValueList(v);
}

// Tables first..last-1 of the large project.
void AddTables(TCatalogueStore& store, int first, int last) {
  for (int t = first; t < last; ++t) {
    TTableRec& rec = store.AddRecord(DataKind::Table);
    rec.owner = "SALES";
    rec.type = "TABLE";
    rec.name = Numbered("T_ORDER_", t);
    rec.values = TableValues(rec.name, t);
    for (int c = 0; c < kColumns; ++c) rec.columns.push_back({ColumnValues(c)});
  }
}

void Save(TCatalogueStore& store, const std::string& path) {
  ProjectWriteResult saved = SaveProjectFile(store, path);
  if (!saved.ok) throw std::runtime_error(saved.error);
}

int Make(const std::string& old_path, const std::string& new_path) {
  TCatalogueStore old_store;
  NewProject(old_store, Product::Oracle8, EstimateTextWidth);
  AddTables(old_store, 0, kTables);
  Save(old_store, old_path);
  TCatalogueStore new_store;
  NewProject(new_store, Product::Oracle8, EstimateTextWidth);
  AddTables(new_store, 50, kTables + 50);  // 50 dropped at the start, 50 added at the end
  RecordList& records = new_store.Records(DataKind::Table);
  for (int i = 0; i < 100; ++i) {
    TTableRec& table = *records[static_cast<size_t>(i * 40)];
    table.columns[1].values.Set(3, "200");
    table.columns[2].values.Set(26, ToCp932("変更後のコメント"));
  }
  Save(new_store, new_path);
  return 0;
}

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long CurrentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
  }
  return 0;
}

int Compare(const std::string& old_path, const std::string& new_path) {
  TCatalogueStore before, after;
  for (auto [store, path] : {std::pair{&before, old_path}, std::pair{&after, new_path}}) {
    ProjectReadResult read = OpenProjectFile(*store, path, EstimateTextWidth, nullptr);
    if (!read.ok) return 1;
  }
  const long opened_kb = CurrentKb();
  const auto start = std::chrono::steady_clock::now();
  const diff::ChangeList changes = diff::CompareCatalogues(before, after);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double files_kb =
      (std::filesystem::file_size(old_path) + std::filesystem::file_size(new_path)) / 1024.0;
  const long peak_kb = PeakKb();
  std::printf(
      "compare: %.3f s, %zu changes; files %.1f MB; resident after open %.1f MB, peak %.1f MB;"
      " added by the comparison %.2f x the files\n",
      seconds, changes.size(), files_kb / 1024, opened_kb / 1024.0, peak_kb / 1024.0,
      (peak_kb - opened_kb) / files_kb);
  return 0;
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[1] : "";
  if (mode == "make") return morvane::Make(argv[2], argv[3]);
  if (mode == "compare") return morvane::Compare(argv[2], argv[3]);
  std::fprintf(stderr, "usage: diff_bench make|compare OLD.vnk NEW.vnk\n");
  return 2;
}
