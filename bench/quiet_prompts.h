// Prompts for benchmarks of windows: nobody answers, so failures are
// dropped and questions get No.
#pragma once

#include "user_prompts.h"

namespace zc {

class QuietPrompts : public UserPrompts {
 public:
  void ShowError(QWidget*, const QString&) override {}
  void ShowMessage(QWidget*, const QString&) override {}
  bool Ask(QWidget*, const Question&) override { return false; }
  ChosenFile ChooseFile(QWidget*, const FileRequest&) override { return {}; }
};

}  // namespace zc
