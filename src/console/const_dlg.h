// The constants dialog ("定数"): edits ConstantList through a grid, imports
// and exports name=value files. It is created once at start and shown
// modally; every time it is shown the grid gets a fresh copy of the
// constants, and every close (there is no OK or Cancel) copies the grid back.
#pragma once

#include <QDialog>

#include "engine_context.h"
#include "text_encoding.h"
#include "user_prompts.h"

class QPushButton;

namespace zc {

class ValueListEditor;

class TConstDlg : public QDialog {
  Q_OBJECT

 public:
  // `constants` is ConstantList and must outlive the dialog; `encoding` is
  // how constants.txt was stored, kept for exports. The file questions and
  // failures go through `prompts`.
  TConstDlg(NameValueList& constants, TextEncoding encoding, UserPrompts& prompts, QWidget* parent = nullptr);
  ~TConstDlg() override;

  // The encoding the grid's lines were last read with (constants.txt, or the
  // last imported file).
  TextEncoding Encoding() const { return encoding_; }

  ValueListEditor* Grid() const { return ValueListEditor1; }
  const NameValueList& GridLines() const { return gridLines_; }

  // The button actions, callable directly.
  void Button1Click();  // 追加(&A)
  void Button2Click();  // 削除(&D)
  void Button3Click();  // インポート(&I)
  void Button4Click();  // エクスポート(&E)

  // Import and export without the file dialogs. Both show their failures
  // and leave the grid unchanged; they return success.
  bool ImportFile(const QString& path, bool replace);
  bool ExportFile(const QString& path);

 public slots:
  // Every way of closing the dialog ends here; it applies the edits.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  NameValueList& constants_;
  NameValueList gridLines_;
  TextEncoding encoding_;
  UserPrompts& prompts_;
  ValueListEditor* ValueListEditor1;
};

}  // namespace zc
