// TForm1, the main window: the console with its log and input line, the
// docked control panel, the menus and the status bar. It owns the data the
// whole application shares (the engine context, the variable list) and the
// tool windows it opens.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "engine_context.h"
#include "ini_file.h"
#include "main_menu.h"
#include "session_file.h"
#include "tenkeys.h"
#include "text_encoding.h"
#include "user_function_store.h"
#include "user_prompts.h"

class QAction;
class QDockWidget;
class QLabel;
class QStatusBar;

namespace zc {

class TConsoleLog;
class TControlPanel;
class TInputLine;
class TQuickButtons;
class TCompletionPopup;
class TConstDlg;
class TExpError;
class SessionKeeper;
class ValueListEditor;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // `appDir` is the data folder with a trailing '/'. Start-up removes the
  // leftovers of interrupted saves from it, loads constants.txt, presets.txt
  // and Functions.inf (reporting any that exists but cannot be read) and
  // prints the banner. Every question and failure of this window and of the
  // windows it opens goes through `prompts`, which must outlive the window.
  TForm1(const QString& appDir, UserPrompts& prompts, QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- What the tools use ----
  EngineContext& Engine() { return engine_; }
  // The variables grid's own list: the engine reads and writes it.
  NameValueList& Variables() { return variables_; }
  // A snapshot for tools that evaluate with their own x.
  NameValueList VariablesCopy();
  QString AppDir() const { return appDir_; }
  UserPrompts& Prompts() const { return prompts_; }
  const TMainMenu& MainMenu() const { return menu_; }

  // ---- The console ----
  // Appends a line to the log.
  void PrintText(const QString& text);
  // Evaluates one line and prints its results. A malformed number literal
  // leaves as zc::ConversionError, before anything is printed.
  void Run(const QString& line);
  // Mirrors the input line as the last part of the log.
  void Echo();
  // Enter on the input line; with Shift the line stays for editing.
  void PressEnter(bool shiftHeld);
  // Inserts a function name at InsertPos, or applies it at once when quick
  // execution is on and the input line holds a bare number or was just
  // evaluated.
  void FunctionMsg(const QString& name);
  // Inserts `name` at InsertPos and moves InsertPos behind it.
  void InsertName(const QString& name);
  void ClearConsole();
  void PrintLastValueToggled();  // DIGIT and F⇔E
  // Writes the log with CR LF line ends; failures are shown to the user.
  bool SaveLog(const QString& path);

  // Tries to write Functions.inf; false (after telling the user) when it
  // could not be written.
  bool SaveUserFunctions();
  // True when Functions.inf may be written over: it loaded completely, or
  // the user agreed to lose what did not load.
  bool MayReplaceFunctionsFile();

  // Brings back the session kept in `path` while "セッションを保存する(&S)"
  // is on, and keeps it there from now on: at exit and every 30 s.
  void StartSession(const QString& path);
  SessionKeeper* Session() const { return session_; }
  SessionState CaptureSession();

  // Ctrl+Shift+C: the last value as result text on the clipboard.
  void CopyLastResult();
  // Opens the error explanation at error `code`.
  void ShowErrorDialogAt(const QString& code);
  // A note in the status bar that stays until the next key press.
  void ShowNote(const QString& note);
  QString Note() const;

  // ---- State ----
  int EchoStart() const { return echoStart_; }
  int InsertPos() const { return insertPos_; }
  bool JustEvaluated() const { return justEvaluated_; }
  bool PlainNext() const { return plainNext_; }
  long double LastValue() const { return lastValue_; }

  // ---- Parts ----
  TConsoleLog* Log() const { return RichEdit1; }
  TInputLine* InputLine() const { return ComboBox1; }
  TControlPanel* ControlPanel() const { return panel_; }
  TQuickButtons* QuickButtons() const;
  QDockWidget* ControlPanelDock() const { return dock_; }
  ValueListEditor* VariablesGrid() const { return ValueListEditor1; }
  TConstDlg* ConstantsDialog() const { return constDlg_; }
  TExpError* ErrorDialog() const { return expError_; }
  TTenkeys* Tenkeys() const { return tenkeys_; }
  TCompletionPopup* Completion() const { return completion_; }
  QAction* CopyResultAction() const { return copyResult_; }

  // Created in the application's start-up order.
  void CreateConstantsDialog();
  void CreateErrorDialog();

 signals:
  // The window closed: the application ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void LoadDataFiles();
  void PrintBanner();
  void ConnectParts();
  // Runs a line for Enter or quick execution; false when it threw.
  bool RunShowingFailure(const QString& line);
  QString AnsValueText() const;
  // After a line ending in "ERROR nn", the status bar explains nn.
  void ExplainResult(const std::string& message);
  void LogLineDoubleClicked(const QString& line);
  void InsertCompletion(int start, int length, const QString& name);
  void ApplySession(const SessionState& session);
  void SaveSessionAtExit();
  void ToggleTenkeys();
  void ShowConstantsDialog();
  void ShowErrorDialog();
  void ShowAboutBox();
  void SaveLogAs();

  QString appDir_;
  UserPrompts& prompts_;
  EngineContext engine_;
  NameValueList variables_;
  TextEncoding constantsEncoding_ = TextEncoding::Utf8;
  bool functionsSaved_ = false;
  UserFunctionFileState functionsFile_;

  int echoStart_ = 0;
  int insertPos_ = 0;
  bool justEvaluated_ = false;
  bool plainNext_ = false;
  long double lastValue_ = 0;

  TConsoleLog* RichEdit1 = nullptr;
  TInputLine* ComboBox1 = nullptr;
  ValueListEditor* ValueListEditor1 = nullptr;
  TControlPanel* panel_ = nullptr;
  QDockWidget* dock_ = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* note_ = nullptr;
  TMainMenu menu_;
  QAction* copyResult_ = nullptr;
  TCompletionPopup* completion_ = nullptr;
  SessionKeeper* session_ = nullptr;
  bool sessionSaved_ = false;

  TConstDlg* constDlg_ = nullptr;
  TExpError* expError_ = nullptr;
  QPointer<TTenkeys> tenkeys_;
};

}  // namespace zc
