// The calculus tool "ラスタ微積分ツール": the slope of y = f(x) at a point
// with its tangent line, and the definite integral over a range, both from
// samples of the expression computed by the engine. Created once at start
// and shown modally; the fields keep their texts between showings.
#pragma once

#include <QDialog>
#include <functional>

#include "engine_context.h"
#include "user_prompts.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zc {

class TLimIntWin : public QDialog {
  Q_OBJECT

 public:
  // `variables` returns a copy of the variables grid's list; every
  // calculation starts from a fresh copy and never changes the grid.
  // Failures are shown through `prompts`.
  TLimIntWin(EngineContext& context, std::function<NameValueList()> variables, UserPrompts& prompts,
             QWidget* parent = nullptr);

  void SlopeButtonClick();     // "傾き計算"
  void IntegralButtonClick();  // "定積分計算"
  bool IntegralRunning() const { return running_; }

  QGroupBox* GroupBox1 = nullptr;  // "方程式"
  QGroupBox* GroupBox2 = nullptr;  // "傾き計算"
  QGroupBox* GroupBox3 = nullptr;  // "定積分計算"
  QLineEdit* ExpressionEdit = nullptr;
  QPushButton* SlopeButton = nullptr;
  QPushButton* IntegralButton = nullptr;
  QLineEdit* PointEdit = nullptr;
  QLineEdit* DeltaEdit = nullptr;
  QLineEdit* TangentEdit = nullptr;
  QLineEdit* SlopeEdit = nullptr;
  QLineEdit* StartEdit = nullptr;
  QLineEdit* EndEdit = nullptr;
  QCheckBox* ManualStepCheck = nullptr;
  QLineEdit* StepEdit = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QLineEdit* IntegralEdit = nullptr;
  QPushButton* OKBtn = nullptr;

  // Told the progress after every strip of an integral, after the window
  // has been updated; lets a caller watch or stop the loop.
  std::function<void(int progress)> StripObserver;

 public slots:
  void done(int result) override;

 private:
  EngineContext& context_;
  std::function<NameValueList()> variables_;
  UserPrompts& prompts_;
  bool running_ = false;
  bool stopRequested_ = false;
};

}  // namespace zc
