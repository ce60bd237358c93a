// The fraction tool "約分ツール": a numerator and a denominator on the
// left, the reduced fraction on the right, updated on every keystroke.
// Modeless; it frees itself when closed.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zc {

class TYakuDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TYakuDlg(QWidget* parent = nullptr);

  // The menu command: creates the window in `instance` if there is none,
  // then closes it if it is showing, otherwise shows it. The caller keeps
  // `instance`; it turns null by itself once the window is closed and freed.
  static void Toggle(QPointer<TYakuDlg>& instance, QWidget* owner);

  QLineEdit* Memo1 = nullptr;  // numerator
  QLineEdit* Memo2 = nullptr;  // denominator
  QLineEdit* Memo3 = nullptr;  // reduced numerator
  QLineEdit* Memo4 = nullptr;  // reduced denominator
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* OKBtn = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MemoChange();
};

// Whether a typed character passes the fraction fields' filter: digits, '-'
// and the control characters 1 to 25 except Enter.
bool FractionKeyPasses(char16_t character);

}  // namespace zc
