#include "metafile_paint_engine.h"

#include "metafile_paint_device.h"

#include <QFontMetricsF>
#include <QGradient>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>

namespace zc {

namespace {

// The length a unit step grows to under `transform` (the mean of both axes).
double ScaleOf(const QTransform& transform) {
  const double sx = std::hypot(transform.m11(), transform.m12());
  const double sy = std::hypot(transform.m21(), transform.m22());
  return (sx + sy) / 2.0;
}

int RoundToInt(double value) {
  if (!std::isfinite(value)) return 0;
  value = std::clamp(value, -1.0e9, 1.0e9);
  return static_cast<int>(std::lround(value));
}

void AddPiece(GdiPolyline& into, const QPolygonF& polygon, const QTransform& transform) {
  if (polygon.size() < 2) return;
  for (const QPointF& p : polygon) {
    const QPointF m = transform.map(p);
    into.points.emplace_back(RoundToInt(m.x()), RoundToInt(m.y()));
  }
  into.counts.push_back(static_cast<std::uint32_t>(polygon.size()));
}

}  // namespace

MetafilePaintEngine::MetafilePaintEngine(std::unique_ptr<MetafileRecorder> recorder)
    // Claiming every feature keeps QPainter from rasterising anything it
    // thinks we cannot draw; what a device context lacks is simplified here.
    : QPaintEngine(QPaintEngine::AllFeatures), recorder_(std::move(recorder)) {}

MetafilePaintEngine::~MetafilePaintEngine() = default;

bool MetafilePaintEngine::begin(QPaintDevice* device) {
  device_ = static_cast<MetafilePaintDevice*>(device);
  pen_ = QPen();
  brush_ = QBrush();
  font_ = QFont();
  transform_ = QTransform();
  clip_.reset();
  clipEnabled_ = false;
  recorder_->Begin(device_->Size());
  setActive(true);
  return true;
}

bool MetafilePaintEngine::end() {
  device_->SetData(recorder_->Finish());
  setActive(false);
  return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState& state) {
  const DirtyFlags flags = state.state();
  if (flags & DirtyPen) pen_ = state.pen();
  if (flags & DirtyBrush) brush_ = state.brush();
  if (flags & DirtyFont) font_ = state.font();
  if (flags & DirtyTransform) transform_ = state.transform();

  bool clipChanged = false;
  // Clip shapes arrive in the coordinates in force when they were set.
  if (flags & (DirtyClipRegion | DirtyClipPath)) {
    QRegion region;
    if (flags & DirtyClipRegion) {
      region = state.transform().map(state.clipRegion());
    } else {
      const QPainterPath path = state.transform().map(state.clipPath());
      region = QRegion(path.toFillPolygon().toPolygon(), path.fillRule());
    }
    switch (state.clipOperation()) {
      case Qt::NoClip:
        clip_.reset();
        break;
      case Qt::ReplaceClip:
        clip_ = region;
        break;
      case Qt::IntersectClip:
        clip_ = clip_ ? clip_->intersected(region) : region;
        break;
    }
    clipEnabled_ = clip_.has_value();
    clipChanged = true;
  }
  if (flags & DirtyClipEnabled) {
    clipEnabled_ = state.isClipEnabled() && clip_.has_value();
    clipChanged = true;
  }
  if (clipChanged) recorder_->SetClip(clipEnabled_ ? &*clip_ : nullptr);
}

GdiPen MetafilePaintEngine::PenFor(const QPen& pen, const QTransform& transform) {
  GdiPen result;
  const QColor color = pen.brush().gradient() && !pen.brush().gradient()->stops().isEmpty()
                           ? pen.brush().gradient()->stops().first().second
                           : pen.color();
  if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush || color.alpha() == 0) {
    result.style = GdiPenStyle::Null;
    result.color = 0xff000000;
    result.width = 1;
    return result;
  }
  switch (pen.style()) {
    case Qt::DashLine: result.style = GdiPenStyle::Dash; break;
    case Qt::DotLine: result.style = GdiPenStyle::Dot; break;
    case Qt::DashDotLine: result.style = GdiPenStyle::DashDot; break;
    case Qt::DashDotDotLine: result.style = GdiPenStyle::DashDotDot; break;
    default: result.style = GdiPenStyle::Solid; break;
  }
  const double width = pen.isCosmetic() ? pen.widthF() : pen.widthF() * ScaleOf(transform);
  result.width = std::max(1, RoundToInt(width));
  result.color = color.rgb();
  return result;
}

GdiBrush MetafilePaintEngine::BrushFor(const QBrush& brush) {
  GdiBrush result;
  if (brush.style() == Qt::NoBrush) return result;
  QColor color = brush.color();
  if (const QGradient* gradient = brush.gradient(); gradient && !gradient->stops().isEmpty()) {
    color = gradient->stops().first().second;
  }
  if (color.alpha() == 0) return result;
  result.null = false;
  result.color = color.rgb();
  return result;
}

GdiFont MetafilePaintEngine::FontFor(const QFont& font, const QTransform& transform, int dotsPerInch) {
  GdiFont result;
  result.family = font.family();
  const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dotsPerInch / 72.0;
  result.height = std::max(1, RoundToInt(pixels * ScaleOf(transform)));
  // Qt turns clockwise on screen; the device context counts the other way.
  const double degrees = std::atan2(transform.m12(), transform.m11()) * 180.0 / M_PI;
  int tenths = RoundToInt(-degrees * 10.0) % 3600;
  if (tenths < 0) tenths += 3600;
  result.escapement = tenths;
  result.weight = std::clamp(static_cast<int>(font.weight()), 100, 900);
  result.italic = font.italic();
  result.underline = font.underline();
  result.strikeOut = font.strikeOut();
  return result;
}

void MetafilePaintEngine::ApplyPen() { recorder_->SelectPen(PenFor(pen_, transform_)); }

void MetafilePaintEngine::ApplyNullPen() {
  GdiPen pen;
  pen.style = GdiPenStyle::Null;
  recorder_->SelectPen(pen);
}

void MetafilePaintEngine::ApplyBrush() { recorder_->SelectBrush(BrushFor(brush_)); }

bool MetafilePaintEngine::AxisAligned() const {
  return transform_.type() <= QTransform::TxScale && transform_.m11() > 0 && transform_.m22() > 0;
}

QPoint MetafilePaintEngine::Map(const QPointF& point) const {
  const QPointF m = transform_.map(point);
  return {RoundToInt(m.x()), RoundToInt(m.y())};
}

void MetafilePaintEngine::drawRects(const QRectF* rects, int rectCount) {
  if (rectCount <= 0) return;
  if (!AxisAligned()) {
    GdiPolyline polygons;
    for (int i = 0; i < rectCount; ++i) AddPiece(polygons, QPolygonF(rects[i]), transform_);
    FillAndStroke(polygons, true);
    return;
  }
  ApplyPen();
  ApplyBrush();
  for (int i = 0; i < rectCount; ++i) {
    const QRectF r = rects[i].normalized();
    const QPoint topLeft = Map(r.topLeft());
    const QPoint bottomRight = Map(r.bottomRight());
    // QPainter outlines a w × h rectangle over w + 1 pixel columns; the
    // device context's box leaves its last column out, so the inclusive
    // corners make the same picture.
    recorder_->Rectangle(QRect(topLeft, bottomRight));
  }
}

void MetafilePaintEngine::drawLines(const QLineF* lines, int lineCount) {
  if (lineCount <= 0) return;
  GdiPolyline pieces;
  pieces.points.reserve(static_cast<std::size_t>(lineCount) * 2);
  for (int i = 0; i < lineCount; ++i) {
    pieces.points.push_back(Map(lines[i].p1()));
    pieces.points.push_back(Map(lines[i].p2()));
    pieces.counts.push_back(2);
  }
  ApplyPen();
  recorder_->Polylines(pieces);
}

void MetafilePaintEngine::drawEllipse(const QRectF& rect) {
  if (!AxisAligned()) {
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
    return;
  }
  const QRectF r = rect.normalized();
  const QPoint topLeft = Map(r.topLeft());
  const QPoint bottomRight = Map(r.bottomRight());
  ApplyPen();
  ApplyBrush();
  recorder_->Ellipse(QRect(topLeft, bottomRight));
}

void MetafilePaintEngine::FillAndStroke(const GdiPolyline& polygons, bool winding) {
  if (polygons.counts.empty()) return;
  recorder_->SetPolyFillMode(winding);
  ApplyPen();
  ApplyBrush();
  recorder_->Polygons(polygons);
}

void MetafilePaintEngine::drawPath(const QPainterPath& path) {
  if (path.isEmpty()) return;
  const GdiBrush brush = BrushFor(brush_);
  if (!brush.null) {
    GdiPolyline fill;
    for (const QPolygonF& polygon : path.toFillPolygons()) AddPiece(fill, polygon, transform_);
    if (!fill.counts.empty()) {
      recorder_->SetPolyFillMode(path.fillRule() == Qt::WindingFill);
      ApplyNullPen();
      recorder_->SelectBrush(brush);
      recorder_->Polygons(fill);
    }
  }
  const GdiPen pen = PenFor(pen_, transform_);
  if (pen.style != GdiPenStyle::Null) {
    GdiPolyline outline;
    for (const QPolygonF& polygon : path.toSubpathPolygons()) AddPiece(outline, polygon, transform_);
    if (!outline.counts.empty()) {
      recorder_->SelectPen(pen);
      recorder_->Polylines(outline);
    }
  }
}

void MetafilePaintEngine::drawPoints(const QPointF* points, int pointCount) {
  const GdiPen pen = PenFor(pen_, transform_);
  if (pen.style == GdiPenStyle::Null) return;
  for (int i = 0; i < pointCount; ++i) recorder_->Pixel(Map(points[i]), pen.color);
}

void MetafilePaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
  if (pointCount < 2) return;
  GdiPolyline piece;
  AddPiece(piece, QPolygonF(QList<QPointF>(points, points + pointCount)), transform_);
  if (mode == PolylineMode) {
    ApplyPen();
    recorder_->Polylines(piece);
    return;
  }
  FillAndStroke(piece, mode == WindingMode);
}

void MetafilePaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
  drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void MetafilePaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                                    Qt::ImageConversionFlags /*flags*/) {
  if (image.isNull()) return;
  const QImage part = image.copy(source.toAlignedRect());
  const QRect box = transform_.mapRect(target).toAlignedRect();
  if (part.isNull() || box.isEmpty()) return;
  recorder_->Image(box, part);
}

void MetafilePaintEngine::drawTextItem(const QPointF& origin, const QTextItem& textItem) {
  const QString text = textItem.text();
  if (text.isEmpty()) return;
  const QFont font = textItem.font();
  recorder_->SelectFont(FontFor(font, transform_, device_->logicalDpiY()));
  const GdiPen pen = PenFor(pen_, transform_);
  recorder_->SetTextColor(pen.style == GdiPenStyle::Null ? pen_.color().rgb() : pen.color);

  // Advances from the font's own metrics keep the text as wide as on
  // screen, whatever font the reader substitutes.
  const QFontMetricsF metrics(font, device_);
  const double scale = ScaleOf(transform_);
  std::vector<int> advances;
  advances.reserve(static_cast<std::size_t>(text.size()));
  int previous = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int upTo = RoundToInt(metrics.horizontalAdvance(text.left(i + 1)) * scale);
    advances.push_back(upTo - previous);
    previous = upTo;
  }
  recorder_->Text(Map(origin), text, advances);
}

}  // namespace zc
