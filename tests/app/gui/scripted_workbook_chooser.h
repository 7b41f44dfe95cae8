// Answers the workbook window's Open and Save As questions from lists; an exhausted list
// answers "cancelled".
#pragma once

#include <QString>
#include <deque>
#include <optional>

#include "app/gui/excel/workbook_file_dialogs.h"

namespace morvane::testing {

class ScriptedWorkbookPaths : public IWorkbookPathChooser {
 public:
  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  int openCalls = 0;

  std::optional<QString> AskOpenPath() override {
    ++openCalls;
    return Next(openAnswers);
  }
  std::optional<QString> AskSavePath(const QString&) override { return Next(saveAnswers); }

 private:
  static std::optional<QString> Next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace morvane::testing
