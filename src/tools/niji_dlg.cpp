#include "niji_dlg.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>
#include <stdexcept>

#include "fraction_math.h"
#include "number_text.h"
#include "quadratic_math.h"
#include "right_edit.h"

namespace zc {
namespace {

const QString kTooLargeMessage =
    QStringLiteral("結果が 32 ビット整数の範囲 (-2147483648 ～ 2147483647) を超えるため、表示できません。");

bool FitsInt32(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

std::int32_t Coefficient(const QLineEdit* field) {
  return ReadCoefficient(field->text().trimmed().toStdString());
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

TRightEdit* MakeCoefficientField(QWidget* parent, const char* name) {
  auto* field = new TRightEdit(parent);
  field->setObjectName(QLatin1String(name));
  QFont font = field->font();
  font.setPointSize(16);
  field->setFont(font);
  field->setFixedWidth(110);
  return field;
}

QLabel* MakeSymbol(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setPointSize(16);
  label->setFont(font);
  return label;
}

QLineEdit* MakeOutputField(QWidget* parent, const char* name, const QString& text) {
  auto* field = new QLineEdit(text, parent);
  field->setObjectName(QLatin1String(name));
  return field;
}

}  // namespace

TNijiDlg::TNijiDlg(UserPrompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("NijiDlg"));
  setWindowTitle(QStringLiteral("二次方程式ツール"));

  GroupBox1 = new QGroupBox(QStringLiteral("展開＆分解"), this);
  Edit1 = MakeCoefficientField(GroupBox1, "Edit1");
  Edit2 = MakeCoefficientField(GroupBox1, "Edit2");
  RightEdit2 = MakeCoefficientField(GroupBox1, "RightEdit2");
  RightEdit1 = MakeCoefficientField(GroupBox1, "RightEdit1");
  Edit3 = MakeCoefficientField(GroupBox1, "Edit3");
  Edit4 = MakeCoefficientField(GroupBox1, "Edit4");
  Edit5 = MakeCoefficientField(GroupBox1, "Edit5");
  Button1 = new QPushButton(QStringLiteral("↓展開↓"), GroupBox1);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("↑因数分解↑"), GroupBox1);
  Button2->setObjectName(QStringLiteral("Button2"));

  // The product (Edit1 x Edit2)(RightEdit2 x RightEdit1).
  Label1 = MakeSymbol(GroupBox1, QStringLiteral("("));
  Label1->setObjectName(QStringLiteral("Label1"));
  auto* product = new QHBoxLayout;
  product->addWidget(Label1);
  product->addWidget(Edit1);
  product->addWidget(MakeSymbol(GroupBox1, QStringLiteral("x")));
  product->addWidget(Edit2);
  product->addWidget(MakeSymbol(GroupBox1, QStringLiteral(")(")));
  product->addWidget(RightEdit2);
  product->addWidget(MakeSymbol(GroupBox1, QStringLiteral("x")));
  product->addWidget(RightEdit1);
  product->addWidget(MakeSymbol(GroupBox1, QStringLiteral(")")));
  product->addStretch();

  // The polynomial Edit3 x² Edit4 x Edit5.
  Label2 = MakeSymbol(GroupBox1, QStringLiteral("x<sup>2</sup>"));
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setTextFormat(Qt::RichText);
  Label3 = MakeSymbol(GroupBox1, QStringLiteral("x"));
  Label3->setObjectName(QStringLiteral("Label3"));
  auto* polynomial = new QHBoxLayout;
  polynomial->addWidget(Edit3);
  polynomial->addWidget(Label2);
  polynomial->addWidget(Edit4);
  polynomial->addWidget(Label3);
  polynomial->addWidget(Edit5);
  polynomial->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addStretch();
  auto* area1 = new QVBoxLayout(GroupBox1);
  area1->addLayout(product);
  area1->addLayout(buttons);
  area1->addLayout(polynomial);

  GroupBox2 = new QGroupBox(QStringLiteral("解"), this);
  Button3 = new QPushButton(QStringLiteral("上式=0としたときの解は"), GroupBox2);
  Button3->setObjectName(QStringLiteral("Button3"));
  Edit6 = MakeOutputField(GroupBox2, "Edit6", QString());
  Edit7 = MakeOutputField(GroupBox2, "Edit7", QString());
  Edit8 = MakeOutputField(GroupBox2, "Edit8", QString());
  Button4 = new QPushButton(QStringLiteral("Button4"), GroupBox2);
  Button4->setObjectName(QStringLiteral("Button4"));
  Edit9 = MakeOutputField(GroupBox2, "Edit9", QStringLiteral("Edit9"));
  Edit10 = MakeOutputField(GroupBox2, "Edit10", QStringLiteral("Edit9"));
  auto* area2 = new QGridLayout(GroupBox2);
  area2->addWidget(Button3, 0, 0);
  area2->addWidget(Edit6, 0, 1, 1, 2);
  area2->addWidget(Edit7, 1, 1);
  area2->addWidget(Edit8, 1, 2);
  area2->addWidget(Button4, 2, 0);
  area2->addWidget(Edit9, 2, 1);
  area2->addWidget(Edit10, 2, 2);

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(OKBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addWidget(GroupBox2);
  layout->addLayout(bottom);

  connect(Button1, &QPushButton::clicked, this, &TNijiDlg::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TNijiDlg::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TNijiDlg::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TNijiDlg::Button4Click);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TNijiDlg::Button1Click() {
  // The coefficient fields are read back as 32-bit values: a wider result
  // would turn into a different number there.
  const auto q = Expand(Coefficient(Edit1), Coefficient(Edit2), Coefficient(RightEdit2),
                        Coefficient(RightEdit1));
  if (!q) {
    ShowError(kTooLargeMessage);
    return;
  }
  Edit3->setText(Text(IntegerText(q->a)));
  Edit4->setText(Text(IntegerText(q->b)));
  Edit5->setText(Text(IntegerText(q->c)));
}

void TNijiDlg::Button2Click() {
  const auto factors = Factorise(Coefficient(Edit3), Coefficient(Edit4), Coefficient(Edit5));
  if (!factors) {
    for (QLineEdit* field : {static_cast<QLineEdit*>(Edit1), static_cast<QLineEdit*>(Edit2),
                             static_cast<QLineEdit*>(RightEdit2), static_cast<QLineEdit*>(RightEdit1)}) {
      field->setText(QStringLiteral("0"));
    }
    return;
  }
  // Shown negated, (-p x - s)(-q x - t): the same product.
  if (!FitsInt32(-factors->p) || !FitsInt32(-factors->q) || !FitsInt32(-factors->s) ||
      !FitsInt32(-factors->t)) {
    ShowError(kTooLargeMessage);
    return;
  }
  Edit1->setText(Text(FormatCoefficient(-factors->p, false, true)));
  Edit2->setText(Text(FormatCoefficient(-factors->s, true, false)));
  RightEdit2->setText(Text(FormatCoefficient(-factors->q, false, true)));
  RightEdit1->setText(Text(FormatCoefficient(-factors->t, true, false)));
}

void TNijiDlg::Button3Click() {
  const std::int64_t a = Coefficient(Edit3);
  const std::int64_t b = Coefficient(Edit4);
  const std::int64_t c = Coefficient(Edit5);
  if (a == 0) {
    // Without x² there is no quadratic: dividing by 2A would give nonsense roots.
    ShowError(QStringLiteral("x² の係数が 0 なので、二次方程式ではありません。"));
    return;
  }
  TQuadraticRoots roots;
  try {
    roots = SolveQuadratic(a, b, c);
  } catch (const std::overflow_error&) {
    ShowError(QStringLiteral("判別式が大きすぎるため、解を求められません。"));
    return;
  }
  switch (roots.kind) {
    case RootKind::None:
      Edit6->setText(QStringLiteral("実数解はありません。"));
      return;
    case RootKind::Double:
      Edit6->setText(QStringLiteral("重解になります。"));
      break;
    case RootKind::Two:
      Edit6->setText(QStringLiteral("二つの実数解があります。"));
      break;
  }
  if (roots.rational) {
    Edit7->setText(Text(RootText(roots.root1)));
    Edit8->setText(Text(RootText(roots.root2)));
  } else {
    Edit7->setText(Text(RadicalRootText(roots)));
  }
}

void TNijiDlg::Button4Click() {
  std::int32_t values[2] = {0, 0};
  const QLineEdit* fields[2] = {Edit9, Edit10};
  for (int i = 0; i < 2; ++i) {
    const auto value = ReadInteger<std::int32_t>(fields[i]->text().trimmed().toStdString());
    if (!value) {
      ShowError(QStringLiteral("'%1' は整数ではありません").arg(fields[i]->text()));
      return;
    }
    values[i] = value.value;
  }
  const auto fraction = ReduceFraction(values[0], values[1]);
  prompts_.ShowMessage(this, Text(IntegerText(fraction.numerator) + "/" + IntegerText(fraction.denominator)));
}

}  // namespace zc
