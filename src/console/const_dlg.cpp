#include "const_dlg.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "constants_file.h"
#include "replace_question.h"
#include "value_list_editor.h"

namespace zc {

namespace {

FileRequest ConstantsFileRequest(FileRequest::Mode mode) {
  FileRequest request;
  request.mode = mode;
  request.types = {{QStringLiteral("イコール区切りテキスト(*.txt)"), QStringLiteral("txt")}};
  return request;
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TConstDlg::TConstDlg(NameValueList& constants, TextEncoding encoding, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), constants_(constants), encoding_(encoding), prompts_(prompts) {
  setWindowTitle(QStringLiteral("定数"));

  auto* buttons = new QHBoxLayout;
  auto* button1 = new QPushButton(QStringLiteral("追加(&A)"), this);
  auto* button2 = new QPushButton(QStringLiteral("削除(&D)"), this);
  auto* button3 = new QPushButton(QStringLiteral("インポート(&I)"), this);
  auto* button4 = new QPushButton(QStringLiteral("エクスポート(&E)"), this);
  for (auto* button : {button1, button2, button3, button4}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  connect(button1, &QPushButton::clicked, this, &TConstDlg::Button1Click);
  connect(button2, &QPushButton::clicked, this, &TConstDlg::Button2Click);
  connect(button3, &QPushButton::clicked, this, &TConstDlg::Button3Click);
  connect(button4, &QPushButton::clicked, this, &TConstDlg::Button4Click);

  ValueListEditor1 = new ValueListEditor(gridLines_, this);
  ValueListEditor1->SetColumnWidths(106, 235);
  ValueListEditor1->SetValueFilter(true);
  ValueListEditor1->SetEnterAppendsRow(false);
  ValueListEditor1->SetPopupMenuEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(ValueListEditor1);

  // A fixed dialog frame: the grid's two columns set the width.
  setFixedSize(372, 320);
}

TConstDlg::~TConstDlg() {
  // The grid edits gridLines_, which dies before the QDialog base hides the
  // window; a cell editor still open would commit into it then.
  delete ValueListEditor1;
}

void TConstDlg::showEvent(QShowEvent* event) {
  gridLines_ = constants_;
  ValueListEditor1->Refresh();
  QDialog::showEvent(event);
  ValueListEditor1->setFocus();
}

void TConstDlg::done(int result) {
  ValueListEditor1->CommitEdit();
  constants_ = gridLines_;
  QDialog::done(result);
}

void TConstDlg::Button1Click() { ValueListEditor1->AddNewRow(); }

void TConstDlg::Button2Click() { ValueListEditor1->DeleteCurrentRow(); }

void TConstDlg::Button3Click() {
  const QString path = prompts_.ChooseFile(this, ConstantsFileRequest(FileRequest::Mode::Open)).path;
  if (path.isEmpty()) return;
  const bool replace = prompts_.Ask(this, ReplaceQuestion(path));
  ImportFile(path, replace);
}

void TConstDlg::Button4Click() {
  const QString path = prompts_.ChooseFile(this, ConstantsFileRequest(FileRequest::Mode::Save)).path;
  if (path.isEmpty()) return;
  ExportFile(path);
}

bool TConstDlg::ImportFile(const QString& path, bool replace) {
  ValueListEditor1->CommitEdit();
  ConstantsFile file;
  if (!RunShowingFailure(prompts_, this, [&] { file = LoadConstants(LocalPath(path)); })) return false;
  if (replace) {
    gridLines_ = std::move(file.lines);
  } else {
    gridLines_.insert(gridLines_.end(), file.lines.begin(), file.lines.end());
  }
  encoding_ = file.encoding;
  ValueListEditor1->Refresh();
  return true;
}

bool TConstDlg::ExportFile(const QString& path) {
  ValueListEditor1->CommitEdit();
  return RunShowingFailure(prompts_, this, [&] { SaveConstants(LocalPath(path), gridLines_, encoding_); });
}

}  // namespace zc
