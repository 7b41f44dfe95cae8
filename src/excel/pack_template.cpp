// Build tool: zips the bundled template's XML parts into an .xlsx file, checks that the engine
// reads it, and writes the bytes as a C++ source for the library to embed.
//   pack_template <parts directory> <output .xlsx> <output .cpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "xlsx/error.h"
#include "xlsx/workbook.h"
#include "xlsx/zip_package.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteSource(const std::string& bytes, const fs::path& path) {
  std::ofstream out(path);
  out << "// Generated from data/templates/default by pack_template; do not edit.\n"
         "#include \"excel/default_template.h\"\n\n"
         "namespace morvane::excel {\nnamespace {\n\nconstexpr unsigned char kBytes[] = {";
  for (size_t i = 0; i < bytes.size(); ++i) {
    out << (i % 16 == 0 ? "\n    " : " ") << static_cast<int>(static_cast<unsigned char>(bytes[i]))
        << ',';
  }
  out << "\n};\n\n}  // namespace\n\nstd::string_view DefaultTemplateBytes() {\n"
         "  return {reinterpret_cast<const char*>(kBytes), sizeof kBytes};\n}\n\n"
         "}  // namespace morvane::excel\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: pack_template <parts directory> <output .xlsx> <output .cpp>\n";
    return 2;
  }
  try {
    fs::path parts = argv[1];
    morvane::xlsx::ZipPackage package;
    for (const auto& entry : fs::recursive_directory_iterator(parts)) {
      if (!entry.is_regular_file()) continue;
      package.Put(fs::relative(entry.path(), parts).generic_string(), ReadAll(entry.path()));
    }
    fs::create_directories(fs::path(argv[2]).parent_path());
    package.WriteFile(argv[2], 9);
    morvane::xlsx::Workbook::Open(argv[2]);  // fails the build when the template is broken
    WriteSource(ReadAll(argv[2]), argv[3]);
  } catch (const std::exception& e) {
    std::cerr << "pack_template: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
