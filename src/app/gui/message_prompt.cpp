#include "app/gui/message_prompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "app/gui/qt_text.h"

namespace morvane {
namespace {

QMessageBox::Icon IconOf(PromptKind kind) {
  switch (kind) {
    case PromptKind::kConfirm:
      return QMessageBox::Question;
    case PromptKind::kWarning:
      return QMessageBox::Warning;
    case PromptKind::kError:
      return QMessageBox::Critical;
    case PromptKind::kInformation:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(PromptButton button) {
  switch (button) {
    case PromptButton::kYes:
      return QMessageBox::YesRole;
    case PromptButton::kNo:
      return QMessageBox::NoRole;
    case PromptButton::kOk:
      return QMessageBox::AcceptRole;
    case PromptButton::kCancel:
      return QMessageBox::RejectRole;
    case PromptButton::kAll:
      return QMessageBox::YesRole;
    case PromptButton::kRetry:
      return QMessageBox::AcceptRole;
  }
  return QMessageBox::ActionRole;
}

// The document writes line breaks as CR LF; a message box wants plain LF.
QString MessageText(const std::string& cp932) {
  QString text = FromCp932(cp932);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

// Long operations show the hourglass; a message box opened during one shows the arrow over
// the box until it closes, then the hourglass comes back.
class ArrowCursorWhileOpen {
 public:
  ArrowCursorWhileOpen() : busy_(QApplication::overrideCursor() != nullptr) {
    if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowCursorWhileOpen() {
    if (busy_) QApplication::restoreOverrideCursor();
  }
  ArrowCursorWhileOpen(const ArrowCursorWhileOpen&) = delete;
  ArrowCursorWhileOpen& operator=(const ArrowCursorWhileOpen&) = delete;

 private:
  bool busy_;
};

}  // namespace

PromptButton TMessagePrompt::Ask(PromptKind kind, const std::string& text,
                                 const std::vector<PromptButton>& buttons,
                                 PromptButton default_button, PromptButton escape_button) {
  QMessageBox box(IconOf(kind), FromCp932(PromptCaption(kind)), MessageText(text),
                  QMessageBox::NoButton, parent_);
  box.setTextFormat(Qt::PlainText);
  std::map<QAbstractButton*, PromptButton> answer_of;
  for (PromptButton button : buttons) {
    QPushButton* push = box.addButton(FromCp932(PromptButtonLabel(button)), RoleOf(button));
    answer_of[push] = button;
    if (button == default_button) box.setDefaultButton(push);
    if (button == escape_button) box.setEscapeButton(push);
  }
  ArrowCursorWhileOpen arrow;
  box.exec();
  auto chosen = answer_of.find(box.clickedButton());
  return chosen == answer_of.end() ? escape_button : chosen->second;
}

std::optional<std::string> TMessagePrompt::AskText(const std::string& caption,
                                                   const std::string& label,
                                                   const std::string& initial) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(FromCp932(caption));
  dialog.setLabelText(FromCp932(label));
  dialog.setTextValue(FromCp932(initial));
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(FromCp932(PromptButtonLabel(PromptButton::kCancel)));
  ArrowCursorWhileOpen arrow;
  for (;;) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (CanEncodeCp932(dialog.textValue())) return ToCp932(dialog.textValue());
    Warn(ToCp932(QStringLiteral("Shift-JIS で表せない文字が含まれています。")));
  }
}

}  // namespace morvane
