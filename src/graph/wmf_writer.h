// Placeable Windows metafile (.wmf) records: the 22-byte placeable header
// with the picture's box at 96 units per inch, the classic metafile header,
// the 16-bit drawing records and the end record. The classic format has no
// multi-polyline record, no clip regions made of several rectangles and
// only 8-bit text: pieces become single polylines, a clip becomes its
// bounding rectangle, and text is 8-bit: Latin-1, or Japanese code page
// 932 with a font of that character set; other characters show as "?".
#pragma once

#include "metafile_recorder.h"

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace zc {

namespace wmr {
inline constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
inline constexpr std::uint16_t Eof = 0x0000;
inline constexpr std::uint16_t SaveDC = 0x001E;
inline constexpr std::uint16_t SetBkMode = 0x0102;
inline constexpr std::uint16_t SetMapMode = 0x0103;
inline constexpr std::uint16_t SetPolyFillMode = 0x0106;
inline constexpr std::uint16_t RestoreDC = 0x0127;
inline constexpr std::uint16_t SelectObject = 0x012D;
inline constexpr std::uint16_t SetTextAlign = 0x012E;
inline constexpr std::uint16_t DeleteObject = 0x01F0;
inline constexpr std::uint16_t SetTextColor = 0x0209;
inline constexpr std::uint16_t SetWindowOrg = 0x020B;
inline constexpr std::uint16_t SetWindowExt = 0x020C;
inline constexpr std::uint16_t LineTo = 0x0213;
inline constexpr std::uint16_t MoveTo = 0x0214;
inline constexpr std::uint16_t CreatePenIndirect = 0x02FA;
inline constexpr std::uint16_t CreateFontIndirect = 0x02FB;
inline constexpr std::uint16_t CreateBrushIndirect = 0x02FC;
inline constexpr std::uint16_t Polygon = 0x0324;
inline constexpr std::uint16_t Polyline = 0x0325;
inline constexpr std::uint16_t IntersectClipRect = 0x0416;
inline constexpr std::uint16_t Ellipse = 0x0418;
inline constexpr std::uint16_t Rectangle = 0x041B;
inline constexpr std::uint16_t SetPixel = 0x041F;
inline constexpr std::uint16_t PolyPolygon = 0x0538;
inline constexpr std::uint16_t ExtTextOut = 0x0A32;
inline constexpr std::uint16_t StretchDIB = 0x0F43;
}  // namespace wmr

class WmfWriter : public MetafileRecorder {
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
  // An object the device context knows: its table index and whether it is
  // selected right now (restoring the context deselects everything).
  struct Slot {
    std::uint16_t index = 0;
    bool selected = false;
  };

  qsizetype StartRecord(std::uint16_t function);
  void EndRecord(qsizetype start);
  void SimpleRecord(std::uint16_t function, std::initializer_list<int> words);
  void PutColor(QRgb color);
  std::uint16_t CreateObjectIndex();
  void Replace(std::optional<Slot>& slot, std::uint16_t newIndex);
  void Reselect(std::optional<Slot>& slot);
  void ReselectAll();
  void CreateFont(const GdiFont& font, std::uint8_t charset);

  RecordBuffer out_;
  QSize size_;
  std::uint32_t maxRecordWords_ = 0;
  std::vector<bool> objectUsed_;
  std::optional<GdiPen> pen_;
  std::optional<GdiBrush> brush_;
  std::optional<GdiFont> font_;
  std::optional<Slot> penSlot_, brushSlot_, fontSlot_;
  std::uint8_t fontCharset_ = 0;
  std::optional<QRgb> textColor_;
  std::optional<bool> winding_;
};

inline constexpr std::uint8_t kShiftJisCharset = 128;

}  // namespace zc
