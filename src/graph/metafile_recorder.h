// The drawing vocabulary shared by both metafile formats: what a Windows
// device context can record (pens, brushes, fonts, lines, polygons,
// rectangles, ellipses, text, pixels, bitmaps, clip regions). The metafile
// paint engine turns QPainter calls into these, in device pixels, and the
// enhanced (.emf) and placeable (.wmf) writers turn them into records.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

namespace zc {

// Pen styles in the order of the device context's pen style numbers.
enum class GdiPenStyle : std::uint32_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

struct GdiPen {
  GdiPenStyle style = GdiPenStyle::Solid;
  int width = 1;  // device pixels; 1 = the thinnest line
  QRgb color = 0xff000000;
  bool operator==(const GdiPen&) const = default;
};

struct GdiBrush {
  bool null = true;  // a hollow brush: shapes are outlined only
  QRgb color = 0xffffffff;
  bool operator==(const GdiBrush&) const = default;
};

struct GdiFont {
  QString family;
  int height = 12;      // character (em) height in device pixels
  int escapement = 0;   // baseline angle, tenths of a degree counter-clockwise
  int weight = 400;     // 100 … 900
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const GdiFont&) const = default;
};

// A run of pieces: counts[i] consecutive points of `points` form piece i.
struct GdiPolyline {
  std::vector<QPoint> points;
  std::vector<std::uint32_t> counts;
};

class MetafileRecorder {
 public:
  virtual ~MetafileRecorder() = default;

  // Starts a picture of `size` device pixels at 96 pixels per inch.
  virtual void Begin(QSize size) = 0;
  // Completes the picture and returns the file bytes.
  virtual QByteArray Finish() = 0;

  virtual void SelectPen(const GdiPen& pen) = 0;
  virtual void SelectBrush(const GdiBrush& brush) = 0;
  virtual void SelectFont(const GdiFont& font) = 0;
  virtual void SetTextColor(QRgb color) = 0;
  // Winding (true) or alternate (false) filling of self-overlapping polygons.
  virtual void SetPolyFillMode(bool winding) = 0;

  // Open pieces with the current pen; pieces of fewer than two points are
  // dropped by the caller.
  virtual void Polylines(const GdiPolyline& lines) = 0;
  // Closed pieces, filled with the current brush and outlined with the pen.
  virtual void Polygons(const GdiPolyline& polygons) = 0;
  // `box` spans the device context's box: left + width and top + height are
  // its right and bottom edges, which the shape does not reach.
  virtual void Rectangle(const QRect& box) = 0;
  virtual void Ellipse(const QRect& box) = 0;
  virtual void Pixel(QPoint point, QRgb color) = 0;
  // Text with its left baseline point at `origin`; `advances` holds one
  // advance per UTF-16 unit.
  virtual void Text(QPoint origin, const QString& text, const std::vector<int>& advances) = 0;
  virtual void Image(const QRect& target, const QImage& image) = 0;
  // Replaces the clip region; nullptr removes clipping.
  virtual void SetClip(const QRegion* region) = 0;
};

// Little-endian record building shared by both writers.
class RecordBuffer {
 public:
  void Put8(std::uint8_t value) { bytes_.append(static_cast<char>(value)); }
  void Put16(std::uint16_t value) {
    Put8(static_cast<std::uint8_t>(value & 0xff));
    Put8(static_cast<std::uint8_t>(value >> 8));
  }
  void Put32(std::uint32_t value) {
    Put16(static_cast<std::uint16_t>(value & 0xffff));
    Put16(static_cast<std::uint16_t>(value >> 16));
  }
  void PutS16(int value) { Put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
  void PutS32(int value) { Put32(static_cast<std::uint32_t>(value)); }
  void PutBytes(const QByteArray& data) { bytes_.append(data); }
  void PadTo(int multiple) {
    while (bytes_.size() % multiple != 0) Put8(0);
  }
  void Patch32(qsizetype offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
  }
  void Patch16(qsizetype offset, std::uint16_t value) {
    bytes_[offset] = static_cast<char>(value & 0xff);
    bytes_[offset + 1] = static_cast<char>(value >> 8);
  }
  qsizetype Size() const { return bytes_.size(); }
  const QByteArray& Bytes() const { return bytes_; }
  QByteArray Take() { return std::exchange(bytes_, QByteArray()); }

 private:
  QByteArray bytes_;
};

// A COLORREF: 0x00BBGGRR.
inline std::uint32_t ColorRef(QRgb color) {
  return static_cast<std::uint32_t>(qRed(color)) | (static_cast<std::uint32_t>(qGreen(color)) << 8) |
         (static_cast<std::uint32_t>(qBlue(color)) << 16);
}

// A device-independent bitmap of `image`: a 40-byte info header followed by
// bottom-up 32-bit rows. Both metafile formats embed pictures this way.
QByteArray DeviceIndependentBitmapHeader(const QImage& image);
QByteArray DeviceIndependentBitmapBits(const QImage& image);

}  // namespace zc
