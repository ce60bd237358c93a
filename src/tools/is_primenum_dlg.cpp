#include "is_primenum_dlg.h"

#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

#include "file_error.h"
#include "number_text.h"
#include "prime_cache_file.h"
#include "prime_math.h"

namespace zc {

TIsPrimenumDlg::TIsPrimenumDlg(const QString& appDir, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), cacheFile_(appDir + QLatin1String(kPrimeCacheFileName)) {
  setObjectName(QStringLiteral("IsPrimenumDlg"));
  setWindowTitle(QStringLiteral("素ツール"));
  setAttribute(Qt::WA_DeleteOnClose);

  Label1 = new QLabel(QStringLiteral("自然数"), this);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  QFont large = Edit1->font();
  large.setPointSize(18);
  Edit1->setFont(large);
  Button1 = new QPushButton(QStringLiteral("素数判定"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("素因数分解"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Panel1 = new QLabel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setMinimumHeight(32);
  Panel1->setFrameShape(QFrame::StyledPanel);
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setReadOnly(true);
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);

  auto* buttons = new QHBoxLayout;
  auto* testColumn = new QVBoxLayout;
  testColumn->addWidget(Button1);
  testColumn->addWidget(Panel1);
  auto* factorColumn = new QVBoxLayout;
  factorColumn->addWidget(Button2);
  factorColumn->addWidget(Edit2);
  buttons->addLayout(testColumn, 1);
  buttons->addLayout(factorColumn, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(OKBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  layout->addLayout(buttons);
  layout->addLayout(bottom);
  layout->addWidget(StatusBar1);
  resize(460, 220);

  connect(Button1, &QPushButton::clicked, this, &TIsPrimenumDlg::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TIsPrimenumDlg::Button2Click);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::close);

  try {
    LoadPrimeCacheFile(QFile::encodeName(cacheFile_).toStdString(), cache_);
  } catch (const FileError& error) {
    // Told once the window shows, so that the box stands over it.
    loadError_ = QString::fromUtf8(error.what());
  }
}

TIsPrimenumDlg::~TIsPrimenumDlg() {
  // Written on every destruction. A failure leaves the old file intact; the
  // user learns that this session's primes were not kept.
  try {
    SavePrimeCacheFile(QFile::encodeName(cacheFile_).toStdString(), cache_);
  } catch (const FileError& error) {
    ShowError(QString::fromUtf8(error.what()));
  }
}

void TIsPrimenumDlg::Toggle(QPointer<TIsPrimenumDlg>& instance, QWidget* owner, const QString& appDir,
                            UserPrompts& prompts) {
  if (!instance) instance = new TIsPrimenumDlg(appDir, prompts, owner);
  if (instance->isVisible()) {
    instance->close();
  } else {
    instance->show();
  }
}

void TIsPrimenumDlg::showEvent(QShowEvent* event) {
  UpdateStatus();
  QDialog::showEvent(event);
  if (!loadError_.isEmpty()) {
    QMetaObject::invokeMethod(
        this, [this, message = std::exchange(loadError_, QString())] { ShowError(message); }, Qt::QueuedConnection);
  }
}

std::optional<std::int64_t> TIsPrimenumDlg::ReadNumber() {
  const auto value = ReadInteger<std::int64_t>(Edit1->text().trimmed().toStdString());
  if (!value) {
    ShowError(QStringLiteral("'%1' は整数ではありません").arg(Edit1->text()));
    return std::nullopt;
  }
  // Numbers from 2^62 on lie beyond the tool's divisor search (and the
  // magnitude of -2^63 does not even exist as a 64-bit number).
  if (value.value >= kPrimeInputLimit || value.value <= -kPrimeInputLimit) {
    ShowError(QStringLiteral("%1 は大きすぎます。絶対値が 4611686018427387904 (2^62) 未満の整数を入力してください。")
                  .arg(value.value));
    return std::nullopt;
  }
  return value.value;
}

void TIsPrimenumDlg::Button1Click() {
  const auto typed = ReadNumber();
  if (!typed) return;
  const std::int64_t value = *typed < 0 ? -*typed : *typed;
  QFont font = Panel1->font();
  QPalette palette = Panel1->palette();
  if (IsPrime(value, cache_)) {
    font.setBold(true);
    palette.setColor(QPalette::WindowText, QColor(0, 255, 96));
    Panel1->setText(QStringLiteral("%1 は、素数です。").arg(value));
  } else {
    font.setBold(false);
    palette.setColor(QPalette::WindowText, Qt::black);
    Panel1->setText(QStringLiteral("%1 は、素数ではありません。").arg(value));
  }
  Panel1->setFont(font);
  Panel1->setPalette(palette);
  UpdateStatus();
}

void TIsPrimenumDlg::Button2Click() {
  const auto value = ReadNumber();
  if (!value) return;
  if (*value < 0) {
    ShowError(QStringLiteral("負の数は素因数分解できません。"));
    return;
  }
  Edit2->setText(QString::fromStdString(Factorize(*value, cache_)));
  UpdateStatus();
}

void TIsPrimenumDlg::UpdateStatus() {
  StatusBar1->showMessage(QStringLiteral("素数キャッシュ: %1").arg(cache_.Count()));
}

}  // namespace zc
