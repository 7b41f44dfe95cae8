// The one interface through which the program asks and tells the user something: message
// boxes, questions and text entry. The GUI answers with real dialogs; tests and the
// command-line tool answer with scripted or default answers, so no command needs a display.
//
// All texts are CP932 bytes, like every string of the document.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morvane {

// The four kinds of message box, each with its own caption.
enum class PromptKind {
  kConfirm,      // "確認"
  kWarning,      // "警告"
  kError,        // "ｴﾗｰ"
  kInformation,  // "情報"
};

enum class PromptButton { kYes, kNo, kOk, kCancel, kAll, kRetry };

class IPrompt {
 public:
  virtual ~IPrompt() = default;

  // Shows a modal message with the given buttons and returns the one chosen. Escape (or
  // closing the box) answers `escape_button`.
  virtual PromptButton Ask(PromptKind kind, const std::string& text,
                           const std::vector<PromptButton>& buttons, PromptButton default_button,
                           PromptButton escape_button) = 0;

  // Shows a text-entry dialog; returns the entry, or nothing when cancelled.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& label,
                                             const std::string& initial) = 0;

  // The usual shapes of message.
  void Warn(const std::string& text);
  void Error(const std::string& text);
  void Inform(const std::string& text);
  bool AskYesNo(const std::string& text);                // Yes is the default, Escape means No.
  PromptButton AskYesNoCancel(const std::string& text);  // Yes default, Escape means Cancel.
};

// Caption of a message box of the given kind, in CP932.
std::string PromptCaption(PromptKind kind);
// Label of a button, in CP932 ("はい(&Y)", "いいえ(&N)", "OK", "ｷｬﾝｾﾙ", "すべて", "再試行(&R)").
std::string PromptButtonLabel(PromptButton button);

// A prompt that answers from a script and records everything it was shown. Used by tests and
// by the command-line tool (which answers every question with its default button).
class ScriptedPrompt : public IPrompt {
 public:
  struct Shown {
    PromptKind kind;
    std::string text;
  };

  // Answers given in order to Ask; when none is left, the default button answers.
  std::vector<PromptButton> answers;
  // Answers given in order to AskText; when none is left, the dialog is cancelled.
  std::vector<std::optional<std::string>> text_answers;
  // Everything shown, in order.
  std::vector<Shown> shown;

  PromptButton Ask(PromptKind kind, const std::string& text,
                   const std::vector<PromptButton>& buttons, PromptButton default_button,
                   PromptButton escape_button) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& label,
                                     const std::string& initial) override;
};

}  // namespace morvane
