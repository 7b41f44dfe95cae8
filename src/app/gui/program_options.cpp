#include "app/gui/program_options.h"

namespace morvane {

std::optional<std::string> ProgramOptionAnswer(const std::vector<std::string>& args,
                                               const std::string& version) {
  for (const std::string& arg : args) {
    if (arg == "--version" || arg == "-v") return "morvane " + version + "\n";
    if (arg == "--help" || arg == "-h") {
      return "使い方: morvane [PROJECT.vnk]\n"
             "  テーブル定義書を作るプログラムを開きます。PROJECT.vnk があればそのプロジェクトを"
             "開きます。\n"
             "  --help     この説明を表示して終了します\n"
             "  --version  バージョンを表示して終了します\n"
             "画面のない環境では morvane-cli を使ってください。\n";
    }
  }
  return std::nullopt;
}

}  // namespace morvane
