#include "exp_error.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "text_file.h"

namespace zc {

namespace {

// A section named "title=code" is listed under its title; the code goes
// into the code label.
struct TitleAndCode {
  QString title;
  QString code;
};

TitleAndCode SplitSectionName(const std::string& name) {
  const auto equals = name.find('=');
  if (equals == std::string::npos) return {};
  return {QString::fromStdString(name.substr(0, equals)), QString::fromStdString(name.substr(equals + 1))};
}

}  // namespace

TExpError::TExpError(const QString& errorsPath, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("エラー解説"));

  if (auto text = ReadTextFile(QFile::encodeName(errorsPath).toStdString())) {
    errors_ = IniFile::Parse(text->utf8);
  }

  ComboBox1 = new QComboBox(this);
  ComboBox1->setEditable(false);
  for (const auto& section : errors_.Sections()) {
    ComboBox1->addItem(SplitSectionName(section.name).title);
  }
  ComboBox1->setCurrentIndex(-1);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TExpError::ComboBox1Change);

  // The drop-down list stands where the group box's caption would be.
  auto* group = new QGroupBox(this);
  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(new QLabel(QStringLiteral("エラーコード :"), group));
  CodeLabel = new QLabel(group);
  CodeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  codeRow->addWidget(CodeLabel, 1);
  Memo1 = new QPlainTextEdit(group);
  Memo1->setReadOnly(true);
  Memo1->setBackgroundRole(QPalette::Button);
  QPalette memoPalette = Memo1->palette();
  memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
  Memo1->setPalette(memoPalette);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addLayout(codeRow);
  groupLayout->addWidget(Memo1);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ComboBox1);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);

  setFixedSize(400, 300);
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

TExpError::~TExpError() = default;

QString TExpError::CodeText() const { return CodeLabel->text(); }

QString TExpError::ExplanationText() const { return Memo1->toPlainText(); }

void TExpError::ComboBox1Change(int index) {
  CodeLabel->clear();
  Memo1->clear();
  const auto& sections = errors_.Sections();
  if (index < 0 || index >= static_cast<int>(sections.size())) return;
  const std::string& name = sections[static_cast<size_t>(index)].name;
  CodeLabel->setText(SplitSectionName(name).code);
  // Sections of the same name share the first one's text.
  const IniFile::Section* section = errors_.FindSection(name);
  if (!section) return;
  QStringList lines;
  for (const auto& entry : section->entries) {
    std::string line = entry.key;
    if (!entry.value.empty()) line += "=" + entry.value;
    lines << QString::fromStdString(line);
  }
  Memo1->setPlainText(lines.join(u'\n'));
}

}  // namespace zc
