// The quick buttons ("クイックボタン"): twelve buttons whose labels and texts
// come from one page of presets.txt, the page selector ComboBox2 and the
// quick-execution toggle SpeedButton1 ("簡易実行").
#pragma once

#include <QGroupBox>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ini_file.h"

class QComboBox;
class QPushButton;
class QToolButton;

namespace zc {

inline constexpr int kQuickButtonCount = 12;

// One button of a page: its label and the text a click inserts.
struct QuickEntry {
  std::string caption;
  std::string text;
};

// The entries of one presets.txt section, at most twelve, in file order.
std::vector<QuickEntry> QuickPageEntries(const IniFile::Section& section);

// The bare-number test of quick execution: at least two characters, the first
// one of "+-." a digit or "E", every further one ".", a digit or "E".
bool IsPlainNumber(std::string_view text);

class TQuickButtons : public QGroupBox {
  Q_OBJECT

 public:
  explicit TQuickButtons(QWidget* parent = nullptr);

  // Takes the pages of presets.txt: lists every section in the selector and
  // fills the buttons from the first one.
  void SetPresets(IniFile presets);

  // Fills the buttons from the section of that name; an unknown name changes
  // nothing.
  void LoadQuickPage(const QString& section);

  bool QuickExecution() const;

  // Button3 ... Button13, Button19 in the order pages fill them.
  QPushButton* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  QComboBox* PageSelector() const { return ComboBox2; }
  QToolButton* QuickExecutionToggle() const { return SpeedButton1; }

 signals:
  // A button was clicked: `text` is its hint, the text it inserts.
  void FunctionRequested(const QString& text);

 private:
  IniFile presets_;
  std::array<QPushButton*, kQuickButtonCount> buttons_{};
  QComboBox* ComboBox2;
  QToolButton* SpeedButton1;
};

}  // namespace zc
