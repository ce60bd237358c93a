#include "graph_view.h"

#include "graph_error.h"

#include <QPainter>
#include <QResizeEvent>

namespace zc {

TGraphView::TGraphView(QWidget* parent) : QWidget(parent), FGraph(new TXYGraph(this)) {
  // The whole area is painted from the off-screen image.
  setAttribute(Qt::WA_OpaquePaintEvent);
  FGraph->SetClientSize(size());
  connect(FGraph, &TXYGraph::changed, this, qOverload<>(&QWidget::update));
}

TGraphView::~TGraphView() {
  // The series go with the graph; nothing may repaint while they do.
  disconnect(FGraph, nullptr, this, nullptr);
  delete FGraph;
}

void TGraphView::resizeEvent(QResizeEvent* event) {
  FGraph->SetClientSize(event->size());
  QWidget::resizeEvent(event);
}

void TGraphView::paintEvent(QPaintEvent* event) {
  (void)event;
  const QSize area = size();
  if (area.isEmpty()) return;
  if (FBuffer.size() != area) FBuffer = QImage(area, QImage::Format_RGB32);
  {
    QPainter painter(&FBuffer);
    try {
      FGraph->DrawGraph(painter);
    } catch (const EXYGraphError& error) {
      // An exception must not leave a paint event; the owner shows the
      // message (the graph tool in its red banner).
      painter.fillRect(FBuffer.rect(), FGraph->Color());
      emit drawFailed(QString::fromUtf8(error.what()));
    } catch (const std::exception& error) {
      painter.fillRect(FBuffer.rect(), FGraph->Color());
      emit drawFailed(QString::fromUtf8(error.what()));
    }
  }
  QPainter screen(this);
  screen.drawImage(0, 0, FBuffer);
}

}  // namespace zc
