// The prompts of the running application: message boxes and file dialogs.
#pragma once

#include "user_prompts.h"

namespace zc {

class DialogPrompts : public UserPrompts {
 public:
  void ShowError(QWidget* parent, const QString& message) override;
  void ShowMessage(QWidget* parent, const QString& message) override;
  bool Ask(QWidget* parent, const Question& question) override;
  ChosenFile ChooseFile(QWidget* parent, const FileRequest& request) override;
};

}  // namespace zc
