// Enhanced metafile (.emf) records: a header with the picture's bounds and
// its frame in hundredths of a millimetre, the drawing records in MM_TEXT
// pixels, and the end-of-file record. Every record is a multiple of four
// bytes long, as readers require.
#pragma once

#include "metafile_recorder.h"

#include <cstdint>
#include <optional>

namespace zc {

namespace emr {
inline constexpr std::uint32_t Header = 1;
inline constexpr std::uint32_t Polygon = 3;
inline constexpr std::uint32_t Polyline = 4;
inline constexpr std::uint32_t PolyPolyline = 7;
inline constexpr std::uint32_t PolyPolygon = 8;
inline constexpr std::uint32_t Eof = 14;
inline constexpr std::uint32_t SetPixelV = 15;
inline constexpr std::uint32_t SetMapMode = 17;
inline constexpr std::uint32_t SetBkMode = 18;
inline constexpr std::uint32_t SetPolyFillMode = 19;
inline constexpr std::uint32_t SetTextAlign = 22;
inline constexpr std::uint32_t SetTextColor = 24;
inline constexpr std::uint32_t MoveToEx = 27;
inline constexpr std::uint32_t SaveDC = 33;
inline constexpr std::uint32_t RestoreDC = 34;
inline constexpr std::uint32_t SelectObject = 37;
inline constexpr std::uint32_t CreatePen = 38;
inline constexpr std::uint32_t CreateBrushIndirect = 39;
inline constexpr std::uint32_t DeleteObject = 40;
inline constexpr std::uint32_t Ellipse = 42;
inline constexpr std::uint32_t Rectangle = 43;
inline constexpr std::uint32_t LineTo = 54;
inline constexpr std::uint32_t ExtSelectClipRgn = 75;
inline constexpr std::uint32_t StretchDIBits = 81;
inline constexpr std::uint32_t ExtCreateFontIndirectW = 82;
inline constexpr std::uint32_t ExtTextOutW = 84;
inline constexpr std::uint32_t Polygon16 = 86;
inline constexpr std::uint32_t Polyline16 = 87;
inline constexpr std::uint32_t PolyPolyline16 = 90;
inline constexpr std::uint32_t PolyPolygon16 = 91;

inline constexpr std::uint32_t Signature = 0x464D4520;  // " EMF"
inline constexpr std::uint32_t HeaderSize = 108;        // with the micrometre extension
}  // namespace emr

class EmfWriter : public MetafileRecorder {
 public:
  void Begin(QSize size) override;
  QByteArray Finish() override;

  void SelectPen(const GdiPen& pen) override;
  void SelectBrush(const GdiBrush& brush) override;
  void SelectFont(const GdiFont& font) override;
  void SetTextColor(QRgb color) override;
  void SetPolyFillMode(bool winding) override;

  void Polylines(const GdiPolyline& lines) override;
  void Polygons(const GdiPolyline& polygons) override;
  void Rectangle(const QRect& box) override;
  void Ellipse(const QRect& box) override;
  void Pixel(QPoint point, QRgb color) override;
  void Text(QPoint origin, const QString& text, const std::vector<int>& advances) override;
  void Image(const QRect& target, const QImage& image) override;
  void SetClip(const QRegion* region) override;

 private:
  qsizetype StartRecord(std::uint32_t type);
  void EndRecord(qsizetype start);
  void SimpleRecord(std::uint32_t type, std::initializer_list<std::uint32_t> values);
  void PutRect(const QRect& inclusive);
  void PutNoRect();
  void Include(const QRect& inclusive);
  void PolyRecord(const GdiPolyline& pieces, bool closed);
  // Object slots alternate so the new object is selected before the old
  // one is deleted.
  std::uint32_t NextSlot(std::uint32_t first, std::optional<std::uint32_t>& current);

  RecordBuffer out_;
  QSize size_;
  std::uint32_t records_ = 0;
  QRect bounds_;  // union of everything drawn, inclusive pixels
  std::optional<GdiPen> pen_;
  std::optional<GdiBrush> brush_;
  std::optional<GdiFont> font_;
  std::optional<std::uint32_t> penSlot_, brushSlot_, fontSlot_;
  std::optional<QRgb> textColor_;
  std::optional<bool> winding_;
};

}  // namespace zc
