#include "yaku_dlg.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fraction_math.h"
#include "number_text.h"

namespace zc {
namespace {

// The value of an input field: its text without line breaks as a 32-bit
// integer; anything else, the empty text included, counts as 0.
std::int32_t FieldValue(const QLineEdit* field) {
  QString text = field->text();
  text.remove(QLatin1Char('\r'));
  text.remove(QLatin1Char('\n'));
  return ReadInteger<std::int32_t>(text.toStdString()).ValueOr(0);
}

QLineEdit* MakeField(QWidget* parent, const char* name, bool readOnly) {
  auto* field = new QLineEdit(QStringLiteral("1"), parent);
  field->setObjectName(QLatin1String(name));
  field->setAlignment(Qt::AlignCenter);
  field->setFrame(false);
  field->setReadOnly(readOnly);
  QFont font = field->font();
  font.setPointSize(20);
  field->setFont(font);
  field->setMinimumWidth(180);
  return field;
}

QLabel* MakeBar(QWidget* parent, const char* name) {
  auto* bar = new QLabel(QStringLiteral("――――"), parent);
  bar->setObjectName(QLatin1String(name));
  bar->setAlignment(Qt::AlignCenter);
  QFont font = bar->font();
  font.setPointSize(20);
  bar->setFont(font);
  return bar;
}

}  // namespace

bool FractionKeyPasses(char16_t character) {
  if (character >= 1 && character <= 25) return character != 13;
  return character == u'-' || (character >= u'0' && character <= u'9');
}

TYakuDlg::TYakuDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("YakuDlg"));
  setWindowTitle(QStringLiteral("約分ツール"));
  setAttribute(Qt::WA_DeleteOnClose);

  Memo1 = MakeField(this, "Memo1", false);
  Memo2 = MakeField(this, "Memo2", false);
  Memo3 = MakeField(this, "Memo3", true);
  Memo4 = MakeField(this, "Memo4", true);
  Label1 = MakeBar(this, "Label1");
  Label2 = MakeBar(this, "Label2");
  Label3 = new QLabel(QStringLiteral("＝"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  QFont equalsFont = Label3->font();
  equalsFont.setPointSize(24);
  Label3->setFont(equalsFont);
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Memo1, 0, 0);
  grid->addWidget(Label1, 1, 0);
  grid->addWidget(Memo2, 2, 0);
  grid->addWidget(Label3, 0, 1, 3, 1, Qt::AlignCenter);
  grid->addWidget(Memo3, 0, 2);
  grid->addWidget(Label2, 1, 2);
  grid->addWidget(Memo4, 2, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  for (QLineEdit* field : {Memo1, Memo2, Memo3, Memo4}) field->installEventFilter(this);
  connect(Memo1, &QLineEdit::textChanged, this, &TYakuDlg::MemoChange);
  connect(Memo2, &QLineEdit::textChanged, this, &TYakuDlg::MemoChange);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::close);
}

void TYakuDlg::Toggle(QPointer<TYakuDlg>& instance, QWidget* owner) {
  if (!instance) instance = new TYakuDlg(owner);
  if (instance->isVisible()) {
    instance->close();
  } else {
    instance->show();
  }
}

bool TYakuDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Enter must neither reach the field nor press OK.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
    const QString text = key->text();
    if (text.size() == 1 && !FractionKeyPasses(text.front().unicode())) return true;
    if (text.size() > 1) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TYakuDlg::MemoChange() {
  const auto fraction = ReduceFraction(FieldValue(Memo1), FieldValue(Memo2));
  Memo3->setText(QString::fromStdString(IntegerText(fraction.numerator)));
  Memo4->setText(QString::fromStdString(IntegerText(fraction.denominator)));
}

}  // namespace zc
