#include "app/gui/application.h"

#include <cstdio>
#include <exception>

#include "app/gui/qt_text.h"
#include "model/prompt.h"

namespace morvane {

std::string UnexpectedErrorText(const char* what_utf8) {
  std::string text = what_utf8 != nullptr ? what_utf8 : "";
  if (text.empty()) text = "予期しないエラーが発生しました。";
  const QString shown = QString::fromUtf8(text);
  // A message that is not UTF-8 came from the document and is CP932 already.
  if (shown.toUtf8().toStdString() != text) return text;
  return ToCp932(shown);
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError("");
  }
  return false;
}

void TApplication::ReportError(const std::string& utf8) {
  std::fprintf(stderr, "morvane: %s\n", utf8.empty() ? "unknown exception" : utf8.c_str());
  if (error_prompt_ == nullptr || reporting_) return;
  reporting_ = true;
  try {
    error_prompt_->Error(UnexpectedErrorText(utf8.c_str()));
  } catch (...) {
    // Showing the box failed too: standard error has the message.
  }
  reporting_ = false;
}

}  // namespace morvane
