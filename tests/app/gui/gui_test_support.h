// Helpers shared by the GUI tests: CP932 literals, a scripted path chooser, and a driver that
// answers modal dialogs as they appear.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/gui/paths/project_path_chooser.h"
#include "model/prompt.h"
#include "text/codec.h"

namespace morvane::testing {

// A UTF-8 literal as the CP932 bytes the prompt receives.
inline std::string Cp932(std::string_view utf8) { return morvane::ToCp932(utf8); }

// Answers the project path questions from lists; a null QString or an exhausted list answers
// "cancelled".
class ScriptedChooser : public IProjectPathChooser {
 public:
  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  int openCalls = 0;
  int saveCalls = 0;
  QString lastSaveInitial;

  std::optional<QString> AskOpenPath() override {
    ++openCalls;
    return Next(openAnswers);
  }
  std::optional<QString> AskSavePath(const QString& current_path) override {
    ++saveCalls;
    lastSaveInitial = current_path;
    return Next(saveAnswers);
  }

 private:
  static std::optional<QString> Next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return answer;
  }
};

// Runs one step for each showing of a modal dialog, in order, while the code under test is
// blocked in exec(). A dialog shown again (after a refused answer) gets the next step.
class ModalDriver : public QObject {
 public:
  using Step = std::function<void(QWidget* modal)>;

  explicit ModalDriver(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
    qApp->installEventFilter(this);
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  ~ModalDriver() override { qApp->removeEventFilter(this); }
  size_t Remaining() const { return steps_.size(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      ++shows_;
    }
    return false;
  }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || steps_.empty() || shows_ == handled_shows_) return;
    handled_shows_ = shows_;
    Step step = steps_.front();
    steps_.pop_front();
    // Run outside this timer's slot: a step may open a nested modal loop in which the timer
    // must keep polling.
    QTimer::singleShot(0, modal, [step, modal] { step(modal); });
  }

  std::deque<Step> steps_;
  QTimer timer_;
  int shows_ = 0;
  int handled_shows_ = 0;
};

}  // namespace morvane::testing
