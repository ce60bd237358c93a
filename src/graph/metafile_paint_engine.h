// The QPaintEngine behind MetafilePaintDevice. It claims every painter
// feature, so QPainter hands it each primitive as it is drawn instead of
// rasterising it; transformations are applied here and the results go to a
// MetafileRecorder in whole device pixels. Gradients, patterns and alpha
// collapse to solid colours, as a device context would draw them.
#pragma once

#include "metafile_recorder.h"

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QRegion>
#include <QTransform>

#include <memory>
#include <optional>

namespace zc {

class MetafilePaintDevice;

class MetafilePaintEngine : public QPaintEngine {
 public:
  explicit MetafilePaintEngine(std::unique_ptr<MetafileRecorder> recorder);
  ~MetafilePaintEngine() override;

  bool begin(QPaintDevice* device) override;
  bool end() override;
  void updateState(const QPaintEngineState& state) override;

  void drawRects(const QRectF* rects, int rectCount) override;
  void drawLines(const QLineF* lines, int lineCount) override;
  void drawEllipse(const QRectF& rect) override;
  void drawPath(const QPainterPath& path) override;
  void drawPoints(const QPointF* points, int pointCount) override;
  void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override;
  void drawTextItem(const QPointF& origin, const QTextItem& textItem) override;
  Type type() const override { return QPaintEngine::User; }

  // Pure pieces of the translation, exposed for tests.
  static GdiPen PenFor(const QPen& pen, const QTransform& transform);
  static GdiBrush BrushFor(const QBrush& brush);
  static GdiFont FontFor(const QFont& font, const QTransform& transform, int dotsPerInch);

 private:
  void ApplyPen();
  void ApplyNullPen();
  void ApplyBrush();
  bool AxisAligned() const;
  QPoint Map(const QPointF& point) const;
  void FillAndStroke(const GdiPolyline& polygons, bool winding);

  std::unique_ptr<MetafileRecorder> recorder_;
  MetafilePaintDevice* device_ = nullptr;
  QPen pen_;
  QBrush brush_;
  QFont font_;
  QTransform transform_;
  std::optional<QRegion> clip_;  // device pixels; nothing = unclipped
  bool clipEnabled_ = false;
};

}  // namespace zc
