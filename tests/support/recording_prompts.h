// Prompts that answer in place of a person and remember what was asked and
// shown, for the window tests.
#pragma once

#include <QList>
#include <QStringList>

#include "user_prompts.h"

namespace zc::test {

class RecordingPrompts : public UserPrompts {
 public:
  // The answers the next prompts get.
  bool answer = true;   // Yes or No
  QString chosenFile;   // empty: the user cancels the file dialog
  int chosenType = 0;

  // What the windows showed and asked, in order.
  QStringList errors;
  QStringList messages;
  QStringList questions;
  QList<FileRequest> fileRequests;

  void ShowError(QWidget*, const QString& message) override { errors << message; }
  void ShowMessage(QWidget*, const QString& message) override { messages << message; }
  bool Ask(QWidget*, const Question& question) override {
    questions << question.text;
    return answer;
  }
  ChosenFile ChooseFile(QWidget*, const FileRequest& request) override {
    fileRequests << request;
    return {chosenFile, chosenType};
  }
};

}  // namespace zc::test
