#include "lim_int_win.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "calc_expression.h"
#include "numeric_calculus.h"

namespace zc {
namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, bool readOnly = false) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(readOnly);
  return edit;
}

QLineEdit* MakeResultEdit(QWidget* parent, const char* name) {
  QLineEdit* edit = MakeEdit(parent, name, QStringLiteral("0"), true);
  QFont font = edit->font();
  font.setPointSize(18);
  edit->setFont(font);
  return edit;
}

long double ReadField(const QLineEdit* field) {
  return ParseFieldNumber(field->text().toStdString());
}

// One sample: x set in the calculation's own copy of the variables, then
// the expression evaluated against that copy.
Sampler MakeSampler(EngineContext& context, const std::string& expression,
                    NameValueList& variables) {
  return [&context, &expression, &variables](long double x) {
    SetNameValue(variables, "x", ResultText(x));
    TCalcResult result;
    CalcExpression(context, expression, variables, result);
    return result;
  };
}

}  // namespace

TLimIntWin::TLimIntWin(EngineContext& context, std::function<NameValueList()> variables, UserPrompts& prompts,
                       QWidget* parent)
    : QDialog(parent), context_(context), variables_(std::move(variables)), prompts_(prompts) {
  setObjectName(QStringLiteral("LimIntWin"));
  setWindowTitle(QStringLiteral("ラスタ微積分ツール"));

  GroupBox1 = new QGroupBox(QStringLiteral("方程式"), this);
  ExpressionEdit = MakeEdit(GroupBox1, "ExpressionEdit", QString());
  SlopeButton = new QPushButton(QStringLiteral("傾き計算"), GroupBox1);
  SlopeButton->setObjectName(QStringLiteral("SlopeButton"));
  IntegralButton = new QPushButton(QStringLiteral("定積分計算"), GroupBox1);
  IntegralButton->setObjectName(QStringLiteral("IntegralButton"));
  auto* equation = new QHBoxLayout(GroupBox1);
  equation->addWidget(new QLabel(QStringLiteral(" y ="), GroupBox1));
  equation->addWidget(ExpressionEdit, 1);
  equation->addWidget(SlopeButton);
  equation->addWidget(IntegralButton);

  GroupBox2 = new QGroupBox(QStringLiteral("傾き計算"), this);
  PointEdit = MakeEdit(GroupBox2, "PointEdit", QStringLiteral("0"));
  DeltaEdit = MakeEdit(GroupBox2, "DeltaEdit", QStringLiteral("+10e-10"));
  TangentEdit = MakeEdit(GroupBox2, "TangentEdit", QString(), true);
  SlopeEdit = MakeResultEdit(GroupBox2, "SlopeEdit");
  auto* tangentRow = new QHBoxLayout;
  tangentRow->addWidget(new QLabel(QStringLiteral(" y ="), GroupBox2));
  tangentRow->addWidget(TangentEdit, 1);
  auto* slopeForm = new QFormLayout(GroupBox2);
  slopeForm->addRow(QStringLiteral("傾きを求めるポイント(x座標) :"), PointEdit);
  slopeForm->addRow(QStringLiteral("サンプリングデルタ :"), DeltaEdit);
  slopeForm->addRow(QStringLiteral("接線の方程式 :"), tangentRow);
  slopeForm->addRow(QStringLiteral("微分結果 :"), SlopeEdit);

  GroupBox3 = new QGroupBox(QStringLiteral("定積分計算"), this);
  StartEdit = MakeEdit(GroupBox3, "StartEdit", QStringLiteral("0"));
  EndEdit = MakeEdit(GroupBox3, "EndEdit", QStringLiteral("0"));
  ManualStepCheck = new QCheckBox(QStringLiteral("ステップ手動 :"), GroupBox3);
  ManualStepCheck->setObjectName(QStringLiteral("ManualStepCheck"));
  StepEdit = MakeEdit(GroupBox3, "StepEdit", QStringLiteral("+10e-5"));
  StepEdit->setEnabled(false);
  ProgressBar1 = new QProgressBar(GroupBox3);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  IntegralEdit = MakeResultEdit(GroupBox3, "IntegralEdit");
  auto* integralForm = new QFormLayout(GroupBox3);
  integralForm->addRow(QStringLiteral("開始(x座標) :"), StartEdit);
  integralForm->addRow(QStringLiteral("終了(x座標) :"), EndEdit);
  integralForm->addRow(ManualStepCheck, StepEdit);
  integralForm->addRow(QStringLiteral("進捗状況 :"), ProgressBar1);
  integralForm->addRow(QStringLiteral("積分結果 :"), IntegralEdit);

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(OKBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  auto* columns = new QHBoxLayout;
  columns->addWidget(GroupBox2, 1);
  columns->addWidget(GroupBox3, 1);
  layout->addLayout(columns);
  layout->addLayout(bottom);

  connect(ManualStepCheck, &QCheckBox::toggled, StepEdit, &QLineEdit::setEnabled);
  connect(SlopeButton, &QPushButton::clicked, this, &TLimIntWin::SlopeButtonClick);
  connect(IntegralButton, &QPushButton::clicked, this, &TLimIntWin::IntegralButtonClick);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TLimIntWin::SlopeButtonClick() {
  if (running_) return;
  RunShowingFailure(prompts_, this, [this] {
    NameValueList variables = variables_();
    const std::string expression = ExpressionEdit->text().toStdString();
    const long double x0 = ReadField(PointEdit);
    const long double h = ReadField(DeltaEdit);
    const TSlope slope = ComputeSlope(MakeSampler(context_, expression, variables), x0, h);
    TangentEdit->setText(QString::fromStdString(TangentText(slope)));
    SlopeEdit->setText(QString::fromStdString(ResultText(slope.slope)));
  });
}

void TLimIntWin::IntegralButtonClick() {
  if (running_) return;
  long double a = 0, b = 0, h = 0;
  NameValueList variables;
  const std::string expression = ExpressionEdit->text().toStdString();
  const bool ready = RunShowingFailure(prompts_, this, [&] {
    variables = variables_();
    a = ReadField(StartEdit);
    b = ReadField(EndEdit);
    const long double typedStep = ReadField(StepEdit);
    h = IntegralStep(a, b, ManualStepCheck->isChecked() ? std::optional(typedStep) : std::nullopt);
  });
  if (!ready) return;

  // The loop lets the window handle its events once per strip; a second
  // start must not nest inside it, and closing the window ends it.
  QPointer<TLimIntWin> alive(this);
  running_ = true;
  stopRequested_ = false;
  SlopeButton->setEnabled(false);
  IntegralButton->setEnabled(false);
  std::optional<long double> sum;
  QString failure;
  try {
    sum = IntegrateTrapezoid(MakeSampler(context_, expression, variables), a, b, h,
                             [this, &alive](int progress) {
                               ProgressBar1->setValue(progress);
                               if (StripObserver) StripObserver(progress);
                               QCoreApplication::processEvents();
                               return alive && !stopRequested_;
                             });
  } catch (const std::exception& error) {
    failure = QString::fromStdString(error.what());
  }
  if (!alive) return;
  running_ = false;
  ProgressBar1->setValue(0);
  SlopeButton->setEnabled(true);
  IntegralButton->setEnabled(true);
  if (!failure.isEmpty()) {
    prompts_.ShowError(this, failure);
  } else if (sum) {
    IntegralEdit->setText(QString::fromStdString(ResultText(RoundDecimals(*sum, 4))));
  }
}

void TLimIntWin::done(int result) {
  stopRequested_ = true;
  QDialog::done(result);
}

}  // namespace zc
