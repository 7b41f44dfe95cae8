#include "app/gui/project_io.h"

#include "model/catalogue_store.h"
#include "model/codec.h"
#include "model/progress.h"

namespace morvane {

TOpenOutcome OpenProjectFile(TCatalogueStore& store, const std::string&, IProgress&) {
  store.Reset();
  TOpenOutcome outcome;
  outcome.errors.push_back(ToCp932("ファイルの読み込みに失敗しました。"));
  return outcome;
}

TSaveOutcome SaveProjectFile(TCatalogueStore&, const std::string&, IProgress&) {
  return {false, ToCp932("プロジェクトファイルを保存できません。")};
}

}  // namespace morvane
