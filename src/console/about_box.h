// The about box ("About"): a frameless 600 x 340 window with artwork drawn
// in code, the maker's notice, the version "v1.01", a link to the maker's
// site and an "OK" button. It is created for each showing; with no title
// bar, it is moved by dragging the picture or the frames.
#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;

namespace zc {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

  QLabel* VersionLabel() const { return Version; }
  QLabel* LinkLabel() const { return Link; }
  QPushButton* OkButton() const { return Button1; }

  // The link's hover look: highlight colour and underline while the mouse is
  // over it, dark blue without underline otherwise.
  void SetLinkHovered(bool hovered);
  bool LinkHovered() const { return linkHovered_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenLink();

  QLabel* Version;
  QLabel* Link;
  QPushButton* Button1;
  bool linkHovered_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace zc
