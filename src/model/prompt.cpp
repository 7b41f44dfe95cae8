#include "model/prompt.h"

#include "text/codec.h"

namespace morvane {

void IPrompt::Warn(const std::string& text) {
  Ask(PromptKind::kWarning, text, {PromptButton::kOk}, PromptButton::kOk, PromptButton::kOk);
}

void IPrompt::Error(const std::string& text) {
  Ask(PromptKind::kError, text, {PromptButton::kOk}, PromptButton::kOk, PromptButton::kOk);
}

void IPrompt::Inform(const std::string& text) {
  Ask(PromptKind::kInformation, text, {PromptButton::kOk}, PromptButton::kOk, PromptButton::kOk);
}

bool IPrompt::AskYesNo(const std::string& text) {
  return Ask(PromptKind::kConfirm, text, {PromptButton::kYes, PromptButton::kNo},
             PromptButton::kYes, PromptButton::kNo) == PromptButton::kYes;
}

PromptButton IPrompt::AskYesNoCancel(const std::string& text) {
  return Ask(PromptKind::kConfirm, text,
             {PromptButton::kYes, PromptButton::kNo, PromptButton::kCancel}, PromptButton::kYes,
             PromptButton::kCancel);
}

std::string PromptCaption(PromptKind kind) {
  switch (kind) {
    case PromptKind::kConfirm:
      return ToCp932("確認");
    case PromptKind::kWarning:
      return ToCp932("警告");
    case PromptKind::kError:
      return ToCp932("ｴﾗｰ");
    case PromptKind::kInformation:
      return ToCp932("情報");
  }
  return {};
}

std::string PromptButtonLabel(PromptButton button) {
  switch (button) {
    case PromptButton::kYes:
      return ToCp932("はい(&Y)");
    case PromptButton::kNo:
      return ToCp932("いいえ(&N)");
    case PromptButton::kOk:
      return "OK";
    case PromptButton::kCancel:
      return ToCp932("ｷｬﾝｾﾙ");
    case PromptButton::kAll:
      return ToCp932("すべて");
    case PromptButton::kRetry:
      return ToCp932("再試行(&R)");
  }
  return {};
}

PromptButton ScriptedPrompt::Ask(PromptKind kind, const std::string& text,
                                 const std::vector<PromptButton>& /*buttons*/,
                                 PromptButton default_button, PromptButton /*escape_button*/) {
  shown.push_back({kind, text});
  if (answers.empty()) return default_button;
  PromptButton answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

std::optional<std::string> ScriptedPrompt::AskText(const std::string& caption,
                                                   const std::string& label,
                                                   const std::string& /*initial*/) {
  shown.push_back({PromptKind::kConfirm, caption + ":" + label});
  if (text_answers.empty()) return std::nullopt;
  std::optional<std::string> answer = text_answers.front();
  text_answers.erase(text_answers.begin());
  return answer;
}

}  // namespace morvane
