// The prime tool "素ツール": tests a number for primality and factorises it.
// Every prime met as a divisor goes into the prime cache, which is loaded
// from Primenumbers.log when the window is created and written back when it
// is destroyed. Modeless; it frees itself when closed.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>

#include "prime_cache.h"
#include "user_prompts.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace zc {

class TIsPrimenumDlg : public QDialog {
  Q_OBJECT

 public:
  // `appDir` is the folder of Primenumbers.log, with a trailing '/'. Input
  // that cannot be used is explained through `prompts`.
  TIsPrimenumDlg(const QString& appDir, UserPrompts& prompts, QWidget* parent = nullptr);
  ~TIsPrimenumDlg() override;

  // The menu command: creates the window in `instance` if there is none,
  // then closes it if it is showing, otherwise shows it. The caller keeps
  // `instance`; it turns null by itself once the window is closed and freed.
  static void Toggle(QPointer<TIsPrimenumDlg>& instance, QWidget* owner, const QString& appDir,
                     UserPrompts& prompts);

  void Button1Click();  // "素数判定"
  void Button2Click();  // "素因数分解"

  const PrimeCache& Cache() const { return cache_; }

  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;      // the number
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QLabel* Panel1 = nullptr;        // primality result
  QLineEdit* Edit2 = nullptr;      // factor text
  QPushButton* OKBtn = nullptr;
  QStatusBar* StatusBar1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The field's number, or nothing after the user has been told why not.
  std::optional<std::int64_t> ReadNumber();
  void UpdateStatus();
  // Also tells that Primenumbers.log could not be read (once the window
  // shows) or written (when it is freed).
  void ShowError(const QString& text) { prompts_.ShowError(this, text); }

  UserPrompts& prompts_;
  QString cacheFile_;
  PrimeCache cache_;
  QString loadError_;  // shown once the window is visible
};

}  // namespace zc
