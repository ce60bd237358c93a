// How windows put questions to the user and tell of failures. Every window
// asks through one UserPrompts object handed to it by whoever creates it: the
// application passes the ordinary dialogs (DialogPrompts), tests pass an
// object that answers in place of a person.
#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace zc {

// One file type a file dialog offers.
struct FileType {
  QString filter;  // "テキストファイル(*.txt)"
  QString suffix;  // added to a name typed without one ("txt"); empty for none
};

struct FileRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  QString title;         // empty: the dialog's own
  QString folder;        // where the dialog opens; empty: the current folder
  QList<FileType> types;  // the first one is chosen at the start
};

struct ChosenFile {
  QString path;       // empty when the user cancelled
  int typeIndex = 0;  // the request's type the user had chosen
};

// A question answered with Yes or No.
struct Question {
  enum class Tone { Information, Warning };
  QString text;
  QString title;  // empty: the title of the asking window
  Tone tone = Tone::Information;
  bool yesIsDefault = true;  // what Enter answers
};

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // A failure that stopped what the user asked for.
  virtual void ShowError(QWidget* parent, const QString& message) = 0;
  // A result or a note the user closes with OK.
  virtual void ShowMessage(QWidget* parent, const QString& message) = 0;
  // True for Yes.
  virtual bool Ask(QWidget* parent, const Question& question) = 0;
  // Saving asks before an existing file is replaced.
  virtual ChosenFile ChooseFile(QWidget* parent, const FileRequest& request) = 0;
};

// Runs one user action. A failure it throws ends the action there and is
// shown with `prompts`; an exception never leaves a Qt slot. Returns whether
// the action ran to its end.
bool RunShowingFailure(UserPrompts& prompts, QWidget* parent, const std::function<void()>& action);

}  // namespace zc
