#include "exp_error.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "file_reader.h"

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

// A line of an explanation as the dialog shows it: blanks around its first
// "=" removed.
QString EntryLine(const IniFile::Entry& entry) {
  std::string line = entry.key;
  if (!entry.value.empty()) line += "=" + entry.value;
  return QString::fromStdString(line);
}

}  // namespace

TExpError::TExpError(const QString& errorsPath, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("エラー解説"));

  try {
    if (auto text = ReadTextFileIfExists(QFile::encodeName(errorsPath).toStdString())) {
      errors_ = IniFile::Parse(text->utf8);
    }
  } catch (const FileError& error) {
    loadError_ = QString::fromUtf8(error.what());
  }

  ComboBox1 = new QComboBox(this);
  ComboBox1->setEditable(false);
  for (const auto& section : errors_.Sections()) {
    ComboBox1->addItem(SplitSectionName(section.name).title);
  }
  ComboBox1->setCurrentIndex(-1);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TExpError::ComboBox1Change);

  // The drop-down list stands on the group box's top edge, where its
  // caption would be.
  setFixedSize(400, 300);
  auto* group = new QGroupBox(this);
  group->setGeometry(8, 20, 384, 232);
  ComboBox1->setGeometry(18, 8, 300, 26);
  ComboBox1->raise();

  auto* codeCaption = new QLabel(QStringLiteral("エラーコード :"), group);
  codeCaption->setGeometry(12, 22, 96, 22);
  CodeLabel = new QLabel(group);
  CodeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  CodeLabel->setGeometry(110, 22, 100, 22);
  Memo1 = new QPlainTextEdit(group);
  Memo1->setReadOnly(true);
  QPalette memoPalette = Memo1->palette();
  memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
  Memo1->setPalette(memoPalette);
  Memo1->setGeometry(12, 50, 360, 170);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setDefault(true);
  Button1->setGeometry(304, 262, 88, 28);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

TExpError::~TExpError() = default;

QString TExpError::CodeText() const { return CodeLabel->text(); }

QString TExpError::ExplanationText() const { return Memo1->toPlainText(); }

int TExpError::IndexOfCode(const QString& code) const {
  const auto& sections = errors_.Sections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (SplitSectionName(sections[i].name).code.trimmed() == code.trimmed()) return static_cast<int>(i);
  }
  return -1;
}

bool TExpError::SelectCode(const QString& code) {
  const int index = IndexOfCode(code);
  if (index < 0) return false;
  ComboBox1->setCurrentIndex(index);
  return true;
}

QString TExpError::Summary(const QString& code) const {
  const int index = IndexOfCode(code);
  if (index < 0) return {};
  const std::string& name = errors_.Sections()[static_cast<std::size_t>(index)].name;
  QString summary = SplitSectionName(name).title.trimmed();
  const IniFile::Section* section = errors_.FindSection(name);
  if (section != nullptr && !section->entries.empty()) {
    summary += QStringLiteral(" — ") + EntryLine(section->entries.front());
  }
  return summary;
}

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
  for (const auto& entry : section->entries) lines << EntryLine(entry);
  Memo1->setPlainText(lines.join(u'\n'));
}

}  // namespace zc
