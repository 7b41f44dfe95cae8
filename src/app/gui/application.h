// TApplication: the program's QApplication. Its one addition is the default handler: an
// exception that reaches the event loop from a slot or an event handler is shown in an error
// box, and the user goes on with what the command had done so far.
#pragma once

#include <QApplication>
#include <string>

namespace morvane {

class IPrompt;

class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  // The prompt that shows the error boxes (not owned). Without one the error goes to standard
  // error only.
  void SetErrorPrompt(IPrompt* prompt) { error_prompt_ = prompt; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void ReportError(const std::string& utf8);

  IPrompt* error_prompt_ = nullptr;
  bool reporting_ = false;  // an error box is open: a second failure is not shown on top of it
};

// The text of an exception as the error box shows it, in CP932: its message, or a general
// message when it has none.
std::string UnexpectedErrorText(const char* what_utf8);

}  // namespace morvane
