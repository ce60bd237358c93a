// The control panel that docks at the right of the main window: the control
// buttons, the quick buttons, the angle selector and the variables grid.
#pragma once

#include <QWidget>

#include "engine_context.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace zc {

class TQuickButtons;

class TControlPanel : public QWidget {
  Q_OBJECT

 public:
  // `variablesGrid` goes into the group "変数".
  explicit TControlPanel(QWidget* variablesGrid, QWidget* parent = nullptr);

  QPushButton* BasicButton() const { return basic_; }
  QPushButton* TextButton() const { return text_; }
  QPushButton* AnsButton() const { return ans_; }
  QPushButton* OffButton() const { return off_; }
  QPushButton* ClsButton() const { return cls_; }
  QPushButton* DigitButton() const { return digit_; }
  QPushButton* FormatButton() const { return format_; }  // "F⇔E"
  TQuickButtons* QuickButtons() const { return quick_; }

  // RadioGroup1: 0 DEG, 1 RAD, 2 GRAD.
  AngleMode SelectedAngleMode() const;
  void SelectAngleMode(AngleMode mode);

 signals:
  void AngleModeChanged(AngleMode mode);

 private:
  QPushButton* basic_;
  QPushButton* text_;
  QPushButton* ans_;
  QPushButton* off_;
  QPushButton* cls_;
  QPushButton* digit_;
  QPushButton* format_;
  TQuickButtons* quick_;
  QGroupBox* RadioGroup1;
  QButtonGroup* angleButtons_;
};

}  // namespace zc
