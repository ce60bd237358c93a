#include "graph_view.h"

#include "graph_error.h"
#include "graph_export.h"
#include "view_navigation.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

namespace zc {

TGraphView::TGraphView(QWidget* parent) : QWidget(parent), FGraph(new TXYGraph(this)) {
  // The whole area is painted from the off-screen image.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The cursor read-out and the zoom follow the mouse without a button.
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
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
  // One image pixel per screen pixel: at 150 % or 200 % scaling the graph
  // is drawn at that density, as sharp as the rest of the window, instead
  // of being enlarged from a picture of its size in window units.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = ScaledPictureSize(area, ratio);
  if (FBuffer.size() != pixels || FBuffer.devicePixelRatio() != ratio) {
    FBuffer = QImage(pixels, QImage::Format_RGB32);
    FBuffer.setDevicePixelRatio(ratio);
  }
  {
    QPainter painter(&FBuffer);
    try {
      FGraph->DrawGraph(painter);
    } catch (const EXYGraphError& error) {
      // An exception must not leave a paint event; the owner shows the
      // message (the graph tool in its red banner).
      painter.fillRect(QRect(QPoint(0, 0), area), FGraph->Color());
      emit drawFailed(QString::fromUtf8(error.what()));
    } catch (const std::exception& error) {
      painter.fillRect(QRect(QPoint(0, 0), area), FGraph->Color());
      emit drawFailed(QString::fromUtf8(error.what()));
    }
  }
  QPainter screen(this);
  screen.drawImage(0, 0, FBuffer);
}

// --- mouse navigation ------------------------------------------------------------

void TGraphView::wheelEvent(QWheelEvent* event) {
  // A sideways wheel (or a system that turns Shift+wheel sideways) counts
  // like the ordinary one.
  const QPoint delta = event->angleDelta();
  const int turn = delta.y() != 0 ? delta.y() : delta.x();
  if (turn == 0) {
    event->ignore();
    return;
  }
  const double factor = WheelZoomFactor(turn);
  const Qt::KeyboardModifiers keys = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  const double xFactor = keys == Qt::ShiftModifier ? 1.0 : factor;
  const double yFactor = keys == Qt::ControlModifier ? 1.0 : factor;
  emit zoomRequested(event->position(), xFactor, yFactor);
  event->accept();
}

void TGraphView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  FPanning = true;
  setCursor(Qt::ClosedHandCursor);
  emit panStarted(event->position());
}

void TGraphView::mouseMoveEvent(QMouseEvent* event) {
  if (FPanning && (event->buttons() & Qt::LeftButton)) emit panMoved(event->position());
  emit cursorMoved(event->position());
}

void TGraphView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !FPanning) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  FPanning = false;
  setCursor(Qt::CrossCursor);
  emit panFinished();
}

void TGraphView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseDoubleClickEvent(event);
    return;
  }
  emit resetRequested();
}

void TGraphView::leaveEvent(QEvent* event) {
  emit cursorLeft();
  QWidget::leaveEvent(event);
}

}  // namespace zc
