// The prompt interface answered by real modal message boxes and text-entry dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "model/prompt.h"

class QMessageBox;

namespace morvane {

class TMessagePrompt : public IPrompt {
 public:
  // Boxes are modal to `parent` (may be null until the main window exists).
  explicit TMessagePrompt(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  PromptButton Ask(PromptKind kind, const std::string& text,
                   const std::vector<PromptButton>& buttons, PromptButton default_button,
                   PromptButton escape_button) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& label,
                                     const std::string& initial) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace morvane
