#include "main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "calc_expression.h"
#include "completion_popup.h"
#include "console_fonts.h"
#include "console_log.h"
#include "about_box.h"
#include "ascii_text.h"
#include "atomic_file_writer.h"
#include "const_dlg.h"
#include "exp_error.h"
#include "file_reader.h"
#include "constants_file.h"
#include "control_panel.h"
#include "function_menus.h"
#include "input_line.h"
#include "name_completion.h"
#include "number_text.h"
#include "quick_buttons.h"
#include "session_keeper.h"
#include "tenkeys.h"
#include "tool_toggle.h"
#include "user_function_store.h"
#include "value_list_editor.h"

namespace zc {

namespace {

constexpr int kClientWidth = 695;

// DIGIT and F⇔E show 15 significant digits and at least three exponent
// digits: 1.00000000000000E+002.
constexpr int kDigitDecimals = 14;
constexpr int kDigitExponentDigits = 3;
constexpr int kClientHeight = 515;
constexpr int kControlPanelWidth = 236;

QString FromEngine(const std::string& text) { return QString::fromStdString(text); }

// Where the user's functions are kept from one run to the next.
std::string FunctionsFile(const QString& appDir) {
  return (appDir + QStringLiteral("Functions.inf")).toStdString();
}

}  // namespace

TForm1::TForm1(const QString& appDir, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent),
      appDir_(appDir),
      prompts_(prompts),
      variables_{std::string()} {  // the grid starts with one empty row
  InstallConsoleFonts();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("ZELTA CALC SYSTEM"));
  engine_.appDir = appDir_.toStdString();

  // The log fills the window above the input line.
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  RichEdit1 = new TConsoleLog(central);
  ComboBox1 = new TInputLine(central);
  layout->addWidget(RichEdit1, 1);
  layout->addWidget(ComboBox1);
  setCentralWidget(central);

  ValueListEditor1 = new ValueListEditor(variables_);
  ValueListEditor1->setObjectName(QStringLiteral("ValueListEditor1"));
  ValueListEditor1->SetColumnWidths(56, 125);
  panel_ = new TControlPanel(ValueListEditor1);
  dock_ = new QDockWidget(QStringLiteral("コントロールパネル"), this);
  dock_->setObjectName(QStringLiteral("ControlPanel"));
  dock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  dock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  dock_->setWidget(panel_);
  addDockWidget(Qt::RightDockWidgetArea, dock_);
  resizeDocks({dock_}, {kControlPanelWidth}, Qt::Horizontal);

  // Hints of the control under the mouse and of highlighted menu items show
  // in the single panel of the status bar.
  StatusBar1 = statusBar();
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(true);
  // Notes (an error explained, a session that could not be read) sit under
  // the hints: a hint covers them while it shows.
  note_ = new QLabel(StatusBar1);
  note_->setObjectName(QStringLiteral("StatusNote"));
  StatusBar1->addWidget(note_, 1);

  menu_ = BuildMainMenu(menuBar(), engine_.userFunctions,
                        [this](const QString& name) { FunctionMsg(name); });
  copyResult_ = new QAction(QStringLiteral("計算結果をコピー"), this);
  copyResult_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  addAction(copyResult_);
  completion_ = new TCompletionPopup(
      ComboBox1->lineEdit(),
      [this](const QString& prefix) { return CompletionEntries(engine_, VariablesCopy(), prefix); }, this);

  LoadDataFiles();
  PrintBanner();
  echoStart_ = RichEdit1->CaretPosition();
  insertPos_ = 0;
  justEvaluated_ = false;
  ConnectParts();

  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  ComboBox1->setFocus();
}

TForm1::~TForm1() {
  SaveSessionAtExit();
  // A close that did not go through the window (the application quitting)
  // still keeps the user's functions, unless the file did not load
  // completely: nobody can be asked here, so that file is kept.
  if (!functionsSaved_ && functionsFile_.loadedWithLosses) {
    qWarning("%s: not replaced, it did not load completely", FunctionsFile(appDir_).c_str());
  } else if (!functionsSaved_) {
    try {
      zc::SaveUserFunctions(engine_.userFunctions, FunctionsFile(appDir_));
    } catch (const std::exception& error) {
      qWarning("%s", error.what());
    }
  }
  // The grid, the dialogs and the tools work on the engine context and the
  // lists held by this window; they go before those do (the prime tool
  // writes its cache as it goes).
  delete dock_;
  QList<QPointer<QWidget>> windows;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) windows << child;
  }
  for (const QPointer<QWidget>& window : windows) delete window.data();
}

void TForm1::LoadDataFiles() {
  // Saves that were cut short in an earlier run left their temporary files.
  RemoveStaleTemporaryFiles(appDir_.toStdString());

  // Without constants the calculator still works; the user is told why the
  // constants are missing.
  engine_.constants.clear();
  zc::RunShowingFailure(prompts_, this, [this] {
    ConstantsFile constants = LoadConstants((appDir_ + QStringLiteral("constants.txt")).toStdString());
    engine_.constants = std::move(constants.lines);
    constantsEncoding_ = constants.encoding;
  });

  // A missing presets.txt leaves the quick buttons empty without a word; one
  // that exists but cannot be read is reported.
  IniFile presets;
  zc::RunShowingFailure(prompts_, this, [this, &presets] {
    if (auto text = ReadTextFileIfExists((appDir_ + QStringLiteral("presets.txt")).toStdString())) {
      presets = IniFile::Parse(text->utf8);
    }
  });
  QuickButtons()->SetPresets(std::move(presets));

  // An unreadable file leaves the list empty; saving at close refuses to
  // write over it, so nothing in it is lost.
  zc::RunShowingFailure(prompts_, this, [this] {
    LoadUserFunctions(engine_.userFunctions, FunctionsFile(appDir_), true, &functionsFile_);
  });
}

void TForm1::PrintBanner() {
  PrintText(QStringLiteral(
      "ZELTA CALC SYSTEM VER 1.00\r\n"
      "Copyright (C) ZeltaCalc Project\r\n"
      "Warning: You can not use a 2-bytes charactors.\r\n"));
}

void TForm1::ConnectParts() {
  connect(ComboBox1, &TInputLine::CharacterKeyPressed, this, [this] { ++insertPos_; });
  connect(ComboBox1, &TInputLine::TextChangedByUser, this, &TForm1::Echo);
  connect(ComboBox1, &TInputLine::EnterPressed, this, &TForm1::PressEnter);
  connect(ComboBox1, &TInputLine::KeyPressed, note_, &QLabel::clear);
  connect(ComboBox1, &TInputLine::CompletionRequested, completion_, &TCompletionPopup::OpenAtCaret);
  connect(completion_, &TCompletionPopup::Chosen, this, &TForm1::InsertCompletion);
  connect(RichEdit1, &TConsoleLog::LineDoubleClicked, this, &TForm1::LogLineDoubleClicked);
  connect(copyResult_, &QAction::triggered, this, &TForm1::CopyLastResult);

  connect(panel_->OffButton(), &QPushButton::clicked, this, &QWidget::close);
  connect(panel_->ClsButton(), &QPushButton::clicked, this, &TForm1::ClearConsole);
  connect(panel_->DigitButton(), &QPushButton::clicked, this, &TForm1::PrintLastValueToggled);
  connect(panel_->FormatButton(), &QPushButton::clicked, this, &TForm1::PrintLastValueToggled);
  // ANS goes in where a function name would, whatever the quick-execution
  // toggle says: applying ANS as a function makes no sense.
  connect(panel_->AnsButton(), &QPushButton::clicked, this, [this] { InsertName(QStringLiteral("ANS")); });
  connect(panel_, &TControlPanel::AngleModeChanged, this,
          [this](AngleMode mode) { engine_.angleMode = mode; });
  connect(QuickButtons(), &TQuickButtons::FunctionRequested, this, &TForm1::FunctionMsg);

  connect(menu_.clearConsole, &QAction::triggered, this, &TForm1::ClearConsole);
  connect(menu_.saveLog, &QAction::triggered, this, &TForm1::SaveLogAs);
  connect(menu_.exit, &QAction::triggered, this, &QWidget::close);
  connect(menu_.tenkeys, &QAction::triggered, this, &TForm1::ToggleTenkeys);
  connect(menu_.constants, &QAction::triggered, this, &TForm1::ShowConstantsDialog);
  connect(menu_.errorHelp, &QAction::triggered, this, &TForm1::ShowErrorDialog);
  connect(menu_.about, &QAction::triggered, this, &TForm1::ShowAboutBox);
  menu_.constants->setEnabled(false);  // until the dialog exists
  menu_.errorHelp->setEnabled(false);
}

TQuickButtons* TForm1::QuickButtons() const { return panel_->QuickButtons(); }

NameValueList TForm1::VariablesCopy() {
  ValueListEditor1->CommitEdit();
  return variables_;
}

// ---- The console ----

void TForm1::PrintText(const QString& text) { RichEdit1->PrintText(text); }

void TForm1::Run(const QString& line) {
  const std::string text = line.toStdString();
  if (TrimBlanks(text).empty()) return;

  ValueListEditor1->CommitEdit();  // an edit still open counts
  TCalcResult result;
  struct RefreshGrid {
    ValueListEditor* grid;
    ~RefreshGrid() { grid->Refresh(); }  // the engine may have written before it threw
  } refresh{ValueListEditor1};
  CalcExpression(engine_, text, variables_, result);

  lastValue_ = result.dwSource;
  plainNext_ = false;
  PrintText(QStringLiteral("\r\n  ") + FromEngine(result.dwMessage));
  if (!result.dwErrorMsg.empty()) PrintText(QStringLiteral("  ") + FromEngine(result.dwErrorMsg));
  for (long double answer : result.dwAnswers) {
    PrintText(QStringLiteral("  ") + FromEngine(ResultText(answer)));
  }
  ExplainResult(result.dwMessage);
}

void TForm1::ExplainResult(const std::string& message) {
  constexpr std::string_view kError = "ERROR ";
  if (expError_ == nullptr || !message.starts_with(kError)) return;
  const QString summary = expError_->Summary(FromEngine(message.substr(kError.size())));
  if (!summary.isEmpty()) ShowNote(summary);
}

void TForm1::ShowNote(const QString& note) { note_->setText(note); }

QString TForm1::Note() const { return note_->text(); }

bool TForm1::RunShowingFailure(const QString& line) {
  // A malformed number, or anything else the engine could not handle: the
  // user is told, and the line stays for correcting.
  return zc::RunShowingFailure(prompts_, this, [this, &line] { Run(line); });
}

void TForm1::Echo() {
  const QString text = ComboBox1->Text();
  RichEdit1->ReplaceFrom(echoStart_, text);
  justEvaluated_ = false;
  insertPos_ = ComboBox1->CaretPosition();
  if (tenkeys_) tenkeys_->SetText(text, insertPos_);
}

void TForm1::PressEnter(bool shiftHeld) {
  const QString text = ComboBox1->Text();
  if (!RunShowingFailure(text)) return;
  justEvaluated_ = true;
  echoStart_ = RichEdit1->CaretPosition();
  ComboBox1->AddHistoryOnTop(text);
  if (!shiftHeld) {
    ComboBox1->SetTextSilently(QString(), 0);
    if (tenkeys_) tenkeys_->SetText(QString(), 0);
  }
}

void TForm1::FunctionMsg(const QString& name) {
  const QString text = ComboBox1->Text();
  const bool quick = QuickButtons()->QuickExecution() &&
                     (IsPlainNumber(text.toStdString()) || justEvaluated_);
  if (!quick) {
    InsertName(name);
    return;
  }
  const QString argument = justEvaluated_ ? AnsValueText() : text;
  const QString line = name + QLatin1Char('(') + argument + QLatin1Char(')');
  PrintText(QStringLiteral("\r\n") + line);
  if (!RunShowingFailure(line)) return;
  echoStart_ = RichEdit1->CaretPosition();
  ComboBox1->AddHistoryAtBottom(text);
  ComboBox1->SetTextSilently(QString(), 0);
  if (tenkeys_) tenkeys_->SetText(QString(), 0);
}

void TForm1::InsertName(const QString& name) {
  const QString text = ComboBox1->Text();
  const int at = std::clamp(insertPos_, 0, static_cast<int>(text.size()));
  const QString inserted = text.left(at) + name + text.mid(at);
  insertPos_ += static_cast<int>(name.size());
  ComboBox1->SetTextSilently(inserted, insertPos_);
  ComboBox1->setFocus();
  if (tenkeys_) tenkeys_->SetPos(insertPos_);
  Echo();
}

QString TForm1::AnsValueText() const {
  for (const std::string& line : variables_) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && EqualsIgnoreAsciiCase(std::string_view(line).substr(0, equals), "ANS")) {
      return FromEngine(line.substr(equals + 1));
    }
  }
  return {};
}

void TForm1::InsertCompletion(int start, int length, const QString& name) {
  const QString text = ComboBox1->Text();
  ComboBox1->SetTextSilently(text.left(start) + name + text.mid(start + length), start + static_cast<int>(name.size()));
  ComboBox1->setFocus();
  Echo();
}

void TForm1::LogLineDoubleClicked(const QString& line) {
  const QRegularExpressionMatch error =
      QRegularExpression(QStringLiteral("^\\s*ERROR (\\d+)\\s*$")).match(line);
  if (error.hasMatch()) {
    ShowErrorDialogAt(error.captured(1));
    return;
  }
  // Results, further answers and DIGIT lines: two blanks and a number.
  const QRegularExpressionMatch result =
      QRegularExpression(QStringLiteral("^  (-?\\d+(?:\\.\\d+)?(?:E[+-]?\\d+)?)$")).match(line);
  if (result.hasMatch()) {
    // At the caret, wherever the user left it, then as the quick buttons do.
    insertPos_ = ComboBox1->CaretPosition();
    InsertName(result.captured(1));
  }
}

void TForm1::CopyLastResult() { QGuiApplication::clipboard()->setText(FromEngine(ResultText(lastValue_))); }

void TForm1::ClearConsole() {
  RichEdit1->ClearLog();
  echoStart_ = RichEdit1->CaretPosition();
}

void TForm1::PrintLastValueToggled() {
  const std::string text = plainNext_ ? ResultText(lastValue_)
                                      : ScientificText(lastValue_, kDigitDecimals, kDigitExponentDigits);
  PrintText(QStringLiteral("  ") + FromEngine(text));
  echoStart_ = RichEdit1->CaretPosition();
  plainNext_ = !plainNext_;
}

bool TForm1::SaveLog(const QString& path) {
  return zc::RunShowingFailure(prompts_, this, [this, &path] {
    WriteFileAtomically(QFile::encodeName(path).toStdString(), RichEdit1->TextWithCrLf().toStdString());
  });
}

void TForm1::SaveLogAs() {
  FileRequest request;
  request.mode = FileRequest::Mode::Save;
  request.title = QStringLiteral("ログに名前を付けて保存");
  request.folder = appDir_;
  request.types = {{QStringLiteral("テキストファイル(*.txt)"), QStringLiteral("txt")}};
  const ChosenFile chosen = prompts_.ChooseFile(this, request);
  if (!chosen.path.isEmpty()) SaveLog(chosen.path);
}

// ---- Windows opened from the menus ----

void TForm1::CreateConstantsDialog() {
  if (constDlg_ != nullptr) return;
  constDlg_ = new TConstDlg(engine_.constants, constantsEncoding_, prompts_, this);
  menu_.constants->setEnabled(true);
}

void TForm1::ShowConstantsDialog() {
  if (constDlg_ != nullptr) constDlg_->exec();
}

void TForm1::CreateErrorDialog() {
  if (expError_ != nullptr) return;
  expError_ = new TExpError(appDir_ + QStringLiteral("errors.txt"), this);
  menu_.errorHelp->setEnabled(true);
  if (!expError_->LoadError().isEmpty()) prompts_.ShowError(this, expError_->LoadError());
}

void TForm1::ShowErrorDialog() {
  if (expError_ != nullptr) expError_->exec();
}

void TForm1::ShowErrorDialogAt(const QString& code) {
  if (expError_ == nullptr) return;
  expError_->SelectCode(code);
  expError_->exec();
}

void TForm1::ShowAboutBox() {
  TAboutBox about(this);
  about.exec();
}

void TForm1::ToggleTenkeys() {
  ToggleToolWindow(tenkeys_, [this] {
    TTenkeys::Links links;
    links.insertPos = [this] { return insertPos_; };
    links.echo = [this] { Echo(); };
    links.pressEnter = [this] {
      PressEnter(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier));
    };
    links.stepHistory = [this](HistoryWalk::Direction direction) { ComboBox1->StepHistory(direction); };
    return new TTenkeys(ComboBox1, std::move(links), this);
  });
}

// ---- Shut-down ----

bool TForm1::SaveUserFunctions() {
  functionsSaved_ = zc::RunShowingFailure(
      prompts_, this, [this] { zc::SaveUserFunctions(engine_.userFunctions, FunctionsFile(appDir_)); });
  if (functionsSaved_) functionsFile_.loadedWithLosses = false;  // the file now holds the list
  return functionsSaved_;
}

bool TForm1::MayReplaceFunctionsFile() {
  if (!functionsFile_.loadedWithLosses) return true;
  Question replace;
  replace.text = QStringLiteral("%1 には読み込めなかった内容があります。\n"
                                "上書きすると、その内容は失われます。"
                                "上書きしない場合、今回のユーザー関数は保存されません。\n"
                                "上書きしますか？")
                     .arg(QDir::toNativeSeparators(QString::fromStdString(FunctionsFile(appDir_))));
  replace.tone = Question::Tone::Warning;
  replace.yesIsDefault = false;
  return prompts_.Ask(this, replace);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!MayReplaceFunctionsFile()) {
    functionsSaved_ = true;  // the user chose to keep the file as it is
    event->accept();
    emit Closed();
    return;
  }
  Question closeAnyway;
  closeAnyway.text = QStringLiteral("ユーザー関数を Functions.inf に保存できませんでした。\n"
                                    "このまま終了すると、今回の変更は失われます。終了しますか？");
  closeAnyway.tone = Question::Tone::Warning;
  closeAnyway.yesIsDefault = false;
  if (!SaveUserFunctions() && !prompts_.Ask(this, closeAnyway)) {
    event->ignore();
    return;
  }
  functionsSaved_ = true;  // saved, or the user chose to leave without it
  SaveSessionAtExit();
  event->accept();
  emit Closed();
}

// ---- Sessions ----

void TForm1::StartSession(const QString& path) {
  session_ = new SessionKeeper(path, [this] { return CaptureSession(); }, this);
  connect(session_, &SessionKeeper::Noted, this, &TForm1::ShowNote);
  if (const std::optional<SessionState> restored = session_->Load(); restored && restored->saveSession) {
    ApplySession(*restored);
  }
  menu_.saveSession->setChecked(session_->Enabled());
  connect(menu_.saveSession, &QAction::toggled, session_, &SessionKeeper::SetEnabled);
}

SessionState TForm1::CaptureSession() {
  SessionState session;
  session.history = ComboBox1->History();
  session.variables = VariablesCopy();
  session.angleMode = engine_.angleMode;
  session.geometry = saveGeometry();
  session.panels = saveState();
  return session;
}

void TForm1::ApplySession(const SessionState& session) {
  ComboBox1->SetHistory(session.history);
  if (!session.variables.empty()) {
    variables_ = session.variables;
    ValueListEditor1->Refresh();
  }
  panel_->SelectAngleMode(session.angleMode);
  engine_.angleMode = session.angleMode;
  if (!session.geometry.isEmpty()) restoreGeometry(session.geometry);
  if (!session.panels.isEmpty()) restoreState(session.panels);
}

void TForm1::SaveSessionAtExit() {
  if (session_ == nullptr || sessionSaved_) return;
  session_->Save();
  sessionSaved_ = true;
}

}  // namespace zc
