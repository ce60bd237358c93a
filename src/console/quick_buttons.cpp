#include "quick_buttons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "number_text.h"

namespace zc {

namespace {

// The designer names of the buttons, in the order a page fills them.
constexpr std::array<const char*, kQuickButtonCount> kButtonNames = {
    "Button3", "Button4", "Button5",  "Button6",  "Button7",  "Button8",
    "Button9", "Button10", "Button11", "Button12", "Button13", "Button19"};

}  // namespace

std::vector<QuickEntry> QuickPageEntries(const IniFile::Section& section) {
  std::vector<QuickEntry> entries;
  for (const IniFile::Entry& entry : section.entries) {
    if (entries.size() == kQuickButtonCount) break;
    // A line without '=' is an entry with neither caption nor text.
    if (entry.hasEquals) {
      entries.push_back({entry.key, entry.value});
    } else {
      entries.push_back({});
    }
  }
  return entries;
}

bool IsPlainNumber(std::string_view text) {
  if (text.size() < 2) return false;
  const char first = text.front();
  if (!(first == '+' || first == '-' || first == '.' || first == 'E' || IsDecimalDigit(first))) return false;
  for (char c : text.substr(1)) {
    if (!(c == '.' || c == 'E' || IsDecimalDigit(c))) return false;
  }
  return true;
}

TQuickButtons::TQuickButtons(QWidget* parent) : QGroupBox(QStringLiteral("クイックボタン"), parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);

  auto* top = new QHBoxLayout;
  ComboBox2 = new QComboBox(this);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  ComboBox2->addItems({QStringLiteral("1stF"), QStringLiteral("2ndF"), QStringLiteral("3rdF")});
  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setText(QStringLiteral("簡易実行"));
  SpeedButton1->setCheckable(true);
  SpeedButton1->setAutoRaise(true);  // flat
  SpeedButton1->setStatusTip(QStringLiteral("数値の入力中、または計算の直後に関数ボタンを押すと、その場で計算します"));
  top->addWidget(ComboBox2, 1);
  top->addWidget(SpeedButton1);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  for (int i = 0; i < kQuickButtonCount; ++i) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(kButtonNames[static_cast<std::size_t>(i)]));
    button->setEnabled(false);
    button->setMinimumWidth(40);
    button->setFocusPolicy(Qt::NoFocus);  // keep the caret in the input line
    connect(button, &QPushButton::clicked, this, [this, button] {
      emit FunctionRequested(button->statusTip());
    });
    buttons_[static_cast<std::size_t>(i)] = button;
    grid->addWidget(button, i / 4, i % 4);
  }
  layout->addLayout(grid);

  connect(ComboBox2, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) LoadQuickPage(ComboBox2->itemText(index));
  });
}

void TQuickButtons::SetPresets(IniFile presets) {
  presets_ = std::move(presets);
  const auto& sections = presets_.Sections();
  // Without any page the buttons keep their empty design state.
  if (sections.empty()) {
    ComboBox2->clear();
    return;
  }
  LoadQuickPage(QString::fromStdString(sections.front().name));
  ComboBox2->clear();
  for (const auto& section : sections) ComboBox2->addItem(QString::fromStdString(section.name));
  ComboBox2->setCurrentIndex(0);
}

void TQuickButtons::LoadQuickPage(const QString& section) {
  const IniFile::Section* page = presets_.FindSection(section.toStdString());
  if (page == nullptr) return;
  const std::vector<QuickEntry> entries = QuickPageEntries(*page);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    QPushButton* button = buttons_[i];
    if (i >= entries.size()) {
      button->setText({});
      button->setStatusTip({});
      button->setEnabled(false);
      continue;
    }
    const QString caption = QString::fromStdString(entries[i].caption);
    QString label = caption;
    label.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a label, not a shortcut
    button->setText(label);
    button->setStatusTip(QString::fromStdString(entries[i].text));
    button->setEnabled(!caption.isEmpty());
  }
}

bool TQuickButtons::QuickExecution() const { return SpeedButton1->isChecked(); }

}  // namespace zc
