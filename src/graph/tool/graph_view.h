// The on-screen host of a graph: a widget that keeps the graph's client size
// equal to its own, repaints when the graph reports a change, and paints
// through an off-screen image in one block so the picture never flickers.
// It turns the mouse into navigation requests (zoom, pan, back to the
// starting range) and leaves what they mean for the ranges to its owner.
#pragma once

#include "xy_graph.h"

#include <QImage>
#include <QWidget>

namespace zc {

class TGraphView : public QWidget {
  Q_OBJECT

 public:
  // Shows its own graph.
  explicit TGraphView(QWidget* parent = nullptr);
  TGraphView(const TGraphView&) = delete;
  TGraphView& operator=(const TGraphView&) = delete;
  ~TGraphView() override;

  TXYGraph& Graph() { return *FGraph; }
  const TXYGraph& Graph() const { return *FGraph; }

  // The last complete picture, as painted: one pixel per screen pixel, so
  // its size is the widget's times the screen's device pixel ratio.
  const QImage& Picture() const { return FBuffer; }

  QSize sizeHint() const override { return QSize(300, 200); }

 signals:
  // A drawing stopped on a graph failure (an axis setting the data cannot
  // take); the view then shows the plain background.
  void drawFailed(const QString& message);

  // The wheel turned over `position`: each axis's range is to shrink (below
  // 1) or grow by its factor around that point. Ctrl keeps y as it is,
  // Shift keeps x.
  void zoomRequested(const QPointF& position, double xFactor, double yFactor);
  // A drag with the left button: where it started, where the cursor is
  // now, and its end.
  void panStarted(const QPointF& position);
  void panMoved(const QPointF& position);
  void panFinished();
  // A double click: back to the range the view started from.
  void resetRequested();
  // The cursor moved over the view, or left it.
  void cursorMoved(const QPointF& position);
  void cursorLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  TXYGraph* FGraph;
  QImage FBuffer;
  bool FPanning = false;
};

}  // namespace zc
