// The on-screen host of a graph: a widget that keeps the graph's client size
// equal to its own, repaints when the graph reports a change, and paints
// through an off-screen image in one block so the picture never flickers.
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

  // The last complete picture, as painted.
  const QImage& Picture() const { return FBuffer; }

  QSize sizeHint() const override { return QSize(300, 200); }

 signals:
  // A drawing stopped on a graph failure (an axis setting the data cannot
  // take); the view then shows the plain background.
  void drawFailed(const QString& message);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TXYGraph* FGraph;
  QImage FBuffer;
};

}  // namespace zc
