#include "control_panel.h"

#include <algorithm>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "quick_buttons.h"

namespace zc {

namespace {

QPushButton* MakeButton(const QString& caption, const QString& hint, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setStatusTip(hint);
  button->setFocusPolicy(Qt::NoFocus);  // typing goes on in the input line
  return button;
}

}  // namespace

TControlPanel::TControlPanel(QWidget* variablesGrid, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);

  auto* control = new QGroupBox(QStringLiteral("コントロール"), this);
  auto* controlLayout = new QGridLayout(control);
  controlLayout->setContentsMargins(4, 4, 4, 4);
  controlLayout->setSpacing(2);
  basic_ = MakeButton(QStringLiteral("BASIC"), {}, control);
  text_ = MakeButton(QStringLiteral("TEXT"), {}, control);
  basic_->setEnabled(false);
  text_->setEnabled(false);
  ans_ = MakeButton(QStringLiteral("ANS"), QStringLiteral("直前の計算結果ANSを入力します"), control);
  off_ = MakeButton(QStringLiteral("OFF"), QStringLiteral("ZELTA CALC SYSTEMを終了します"), control);
  cls_ = MakeButton(QStringLiteral("CLS"), QStringLiteral("コンソールをクリアします"), control);
  digit_ = MakeButton(QStringLiteral("DIGIT"), QStringLiteral("直前の計算結果を指数表記と通常表記で交互に表示します"), control);
  format_ = MakeButton(QStringLiteral("F⇔E"), QStringLiteral("直前の計算結果を指数表記と通常表記で交互に表示します"), control);
  controlLayout->addWidget(basic_, 0, 0);
  controlLayout->addWidget(text_, 0, 1);
  controlLayout->addWidget(ans_, 1, 0);
  controlLayout->addWidget(off_, 1, 1);
  controlLayout->addWidget(cls_, 2, 0, 1, 2);
  controlLayout->addWidget(digit_, 3, 0);
  controlLayout->addWidget(format_, 3, 1);
  layout->addWidget(control);

  quick_ = new TQuickButtons(this);
  layout->addWidget(quick_);

  RadioGroup1 = new QGroupBox(QStringLiteral("角度"), this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  auto* angleLayout = new QHBoxLayout(RadioGroup1);
  angleLayout->setContentsMargins(4, 2, 4, 2);
  angleButtons_ = new QButtonGroup(this);
  const char* const names[] = {"DEG", "RAD", "GRAD"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(QString::fromLatin1(names[i]), RadioGroup1);
    radio->setFocusPolicy(Qt::NoFocus);
    angleButtons_->addButton(radio, i);
    angleLayout->addWidget(radio);
  }
  angleButtons_->button(0)->setChecked(true);
  connect(angleButtons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit AngleModeChanged(static_cast<AngleMode>(id));
  });
  layout->addWidget(RadioGroup1);

  auto* variables = new QGroupBox(QStringLiteral("変数"), this);
  auto* variablesLayout = new QVBoxLayout(variables);
  variablesLayout->setContentsMargins(4, 4, 4, 4);
  if (variablesGrid != nullptr) variablesLayout->addWidget(variablesGrid);
  layout->addWidget(variables, 1);
}

AngleMode TControlPanel::SelectedAngleMode() const {
  return static_cast<AngleMode>(std::max(0, angleButtons_->checkedId()));
}

void TControlPanel::SelectAngleMode(AngleMode mode) {
  angleButtons_->button(static_cast<int>(mode))->setChecked(true);
}

}  // namespace zc
