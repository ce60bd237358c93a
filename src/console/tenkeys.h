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

#include "history_walk.h"

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
    // Exactly what Up or Down on the input line does: the input line's one
    // history walk recalls an entry, which comes back through SetText.
    std::function<void(HistoryWalk::Direction direction)> stepHistory;
  };

  // `inputLine` is the main window's ComboBox1.
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
  void StepHistory(HistoryWalk::Direction direction);
  void TrackBar1Change(int value);
  QPushButton* MakeKey(const QString& caption);

  QComboBox* inputLine_;
  Links links_;
  QLineEdit* Edit1;
  QSlider* TrackBar1;
  QList<QPushButton*> keys_;
  int padPos_ = 0;
  bool padUpdating_ = false;
};

}  // namespace zc
