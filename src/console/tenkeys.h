// The ten-key pad ("テンキー"): a small always-on-top tool window whose edit
// line is a second view of the main window's input line. What is typed or
// clicked into the pad goes into the input line at once (and is echoed into
// the log); the main window hands every change of the input line back with
// SetText.
//
// The pad deletes itself when closed (Qt::WA_DeleteOnClose); the main window
// keeps a QPointer to it and creates a new one on the next opening.
#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace zc {

class TTenkeys : public QWidget {
  Q_OBJECT

 public:
  // What the pad needs from the main window.
  struct Links {
    // The main window's InsertPos.
    std::function<int()> insertPos;
    // The main window's echo of the input line into the log (which also
    // sets InsertPos from the input line's caret and calls SetText back).
    std::function<void()> echo;
    // Exactly what Enter typed in the input line does: Run, history,
    // clearing the line (and the pad through SetText("", 0)).
    std::function<void()> pressEnter;
  };

  // `inputLine` is the main window's ComboBox1; its drop-down list (newest
  // first) is the history that ▲ and ▼ step through.
  TTenkeys(QComboBox* inputLine, Links links, QWidget* parent = nullptr);
  ~TTenkeys() override;

  // Called by the main window whenever its input line changed.
  void SetText(const QString& text, int position);
  void SetPos(int position);

  int PadPos() const { return padPos_; }
  QLineEdit* Edit() const { return Edit1; }
  QSlider* TransparencySlider() const { return TrackBar1; }
  // The key whose caption is `caption` ("7", "BS", "▲", ...); for the two
  // Enter keys, the left one. Null when there is none.
  QPushButton* Key(const QString& caption) const;

  // One key press, as clicking the key with that caption does.
  void PressKey(const QString& caption);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TypeChar(QChar character);
  void Edit1Change(const QString& text);
  void Edit1Enter();
  void StepHistory(int direction);
  void TrackBar1Change(int value);
  QPushButton* MakeKey(const QString& caption);

  QComboBox* inputLine_;
  Links links_;
  QLineEdit* Edit1;
  QSlider* TrackBar1;
  QList<QPushButton*> keys_;
  int padPos_ = 0;
  bool padUpdating_ = false;
  // Where ▲/▼ stand in the history: -1 is the line being written, which is
  // kept in draft_ while older entries are shown.
  int historyIndex_ = -1;
  QString draft_;
  bool steppingHistory_ = false;
};

}  // namespace zc
