#include "emf_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace zc {

namespace {
constexpr int kDotsPerInch = 96;

constexpr std::uint32_t kStockObject = 0x80000000u;
constexpr std::uint32_t kWhiteBrush = kStockObject | 0;
constexpr std::uint32_t kNullBrush = kStockObject | 5;
constexpr std::uint32_t kBlackPen = kStockObject | 7;
constexpr std::uint32_t kNullPen = kStockObject | 8;
constexpr std::uint32_t kSystemFont = kStockObject | 13;

constexpr std::uint32_t kPenSlot = 1;    // slots 1 and 2
constexpr std::uint32_t kBrushSlot = 3;  // slots 3 and 4
constexpr std::uint32_t kFontSlot = 5;   // slots 5 and 6
constexpr std::uint16_t kHandles = 7;    // slot 0 is the metafile itself

constexpr std::uint32_t kMapModeText = 1;
constexpr std::uint32_t kTransparent = 1;
constexpr std::uint32_t kAlternate = 1;
constexpr std::uint32_t kWinding = 2;
constexpr std::uint32_t kAlignBaselineLeft = 24;
constexpr std::uint32_t kRegionAnd = 1;
constexpr std::uint32_t kRegionCopy = 5;
constexpr std::uint32_t kGraphicsModeCompatible = 1;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint8_t kDefaultCharset = 1;

// Byte offsets of the fields filled in once their values are known: a
// record's size (in every record), and in the header, which starts the
// file, the picture bounds (left, top, right, bottom), the file size and
// the record count.
constexpr qsizetype kRecordSizeOffset = 4;
constexpr qsizetype kHeaderBoundsLeftOffset = 8;
constexpr qsizetype kHeaderBoundsTopOffset = 12;
constexpr qsizetype kHeaderBoundsRightOffset = 16;
constexpr qsizetype kHeaderBoundsBottomOffset = 20;
constexpr qsizetype kHeaderFileSizeOffset = 48;
constexpr qsizetype kHeaderRecordCountOffset = 52;

bool FitsIn16(const std::vector<QPoint>& points) {
  return std::all_of(points.begin(), points.end(), [](const QPoint& p) {
    return p.x() >= std::numeric_limits<std::int16_t>::min() && p.x() <= std::numeric_limits<std::int16_t>::max() &&
           p.y() >= std::numeric_limits<std::int16_t>::min() && p.y() <= std::numeric_limits<std::int16_t>::max();
  });
}

QRect BoundsOf(const std::vector<QPoint>& points) {
  if (points.empty()) return {};
  int left = points.front().x(), right = left, top = points.front().y(), bottom = top;
  for (const QPoint& p : points) {
    left = std::min(left, p.x());
    right = std::max(right, p.x());
    top = std::min(top, p.y());
    bottom = std::max(bottom, p.y());
  }
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

int HundredthsOfMillimetre(int pixels) {
  return static_cast<int>(std::lround(pixels * 2540.0 / kDotsPerInch));
}
}  // namespace

qsizetype EmfWriter::StartRecord(std::uint32_t type) {
  const qsizetype start = out_.Size();
  out_.Put32(type);
  out_.Put32(0);  // size, patched by EndRecord
  return start;
}

void EmfWriter::EndRecord(qsizetype start) {
  out_.PadTo(4);
  out_.Patch32(start + kRecordSizeOffset, static_cast<std::uint32_t>(out_.Size() - start));
  ++records_;
}

void EmfWriter::SimpleRecord(std::uint32_t type, std::initializer_list<std::uint32_t> values) {
  const qsizetype start = StartRecord(type);
  for (std::uint32_t v : values) out_.Put32(v);
  EndRecord(start);
}

void EmfWriter::PutRect(const QRect& inclusive) {
  out_.PutS32(inclusive.left());
  out_.PutS32(inclusive.top());
  out_.PutS32(inclusive.right());
  out_.PutS32(inclusive.bottom());
}

void EmfWriter::PutNoRect() {
  out_.PutS32(0);
  out_.PutS32(0);
  out_.PutS32(-1);
  out_.PutS32(-1);
}

void EmfWriter::Include(const QRect& inclusive) {
  // Nothing can be seen outside the picture, so the bounds stay inside it.
  const QRect seen = inclusive.intersected(QRect(QPoint(0, 0), size_));
  if (!seen.isEmpty()) bounds_ = bounds_.united(seen);
}

void EmfWriter::Begin(QSize size) {
  out_ = RecordBuffer();
  size_ = size;
  records_ = 0;
  bounds_ = QRect();
  pen_.reset();
  brush_.reset();
  font_.reset();
  penSlot_.reset();
  brushSlot_.reset();
  fontSlot_.reset();
  textColor_.reset();
  winding_.reset();

  // Header; bounds, file size, record count are filled in by Finish.
  const qsizetype start = StartRecord(emr::Header);
  PutRect(QRect(0, 0, 0, 0));
  out_.PutS32(0);
  out_.PutS32(0);
  out_.PutS32(HundredthsOfMillimetre(size.width()) - 1);
  out_.PutS32(HundredthsOfMillimetre(size.height()) - 1);
  out_.Put32(emr::Signature);
  out_.Put32(0x10000);  // version
  out_.Put32(0);        // nBytes
  out_.Put32(0);        // nRecords
  out_.Put16(kHandles);
  out_.Put16(0);
  out_.Put32(0);  // no description
  out_.Put32(0);
  out_.Put32(0);  // no palette
  // The reference device is the picture itself at 96 pixels per inch; the
  // micrometre sizes keep the exact scale that whole millimetres lose.
  out_.PutS32(size.width());
  out_.PutS32(size.height());
  out_.PutS32(std::max(1, static_cast<int>(std::lround(size.width() * 25.4 / kDotsPerInch))));
  out_.PutS32(std::max(1, static_cast<int>(std::lround(size.height() * 25.4 / kDotsPerInch))));
  out_.Put32(0);  // no pixel format
  out_.Put32(0);
  out_.Put32(0);  // not OpenGL
  out_.Put32(static_cast<std::uint32_t>(std::lround(size.width() * 25400.0 / kDotsPerInch)));
  out_.Put32(static_cast<std::uint32_t>(std::lround(size.height() * 25400.0 / kDotsPerInch)));
  EndRecord(start);

  SimpleRecord(emr::SaveDC, {});
  SimpleRecord(emr::SetMapMode, {kMapModeText});
  SimpleRecord(emr::SetBkMode, {kTransparent});
  SimpleRecord(emr::SetTextAlign, {kAlignBaselineLeft});
}

QByteArray EmfWriter::Finish() {
  // Put the stock objects back before deleting ours, as a tidy device
  // context expects.
  if (penSlot_) {
    SimpleRecord(emr::SelectObject, {kBlackPen});
    SimpleRecord(emr::DeleteObject, {*penSlot_});
  }
  if (brushSlot_) {
    SimpleRecord(emr::SelectObject, {kWhiteBrush});
    SimpleRecord(emr::DeleteObject, {*brushSlot_});
  }
  if (fontSlot_) {
    SimpleRecord(emr::SelectObject, {kSystemFont});
    SimpleRecord(emr::DeleteObject, {*fontSlot_});
  }
  SimpleRecord(emr::RestoreDC, {static_cast<std::uint32_t>(-1)});
  // End of file: no palette; the last field repeats the record's size.
  SimpleRecord(emr::Eof, {0, 16, 20});

  const QRect bounds = bounds_.isEmpty() ? QRect(0, 0, 0, 0) : bounds_;
  out_.Patch32(kHeaderBoundsLeftOffset, static_cast<std::uint32_t>(bounds.left()));
  out_.Patch32(kHeaderBoundsTopOffset, static_cast<std::uint32_t>(bounds.top()));
  out_.Patch32(kHeaderBoundsRightOffset, static_cast<std::uint32_t>(bounds_.isEmpty() ? -1 : bounds.right()));
  out_.Patch32(kHeaderBoundsBottomOffset, static_cast<std::uint32_t>(bounds_.isEmpty() ? -1 : bounds.bottom()));
  out_.Patch32(kHeaderFileSizeOffset, static_cast<std::uint32_t>(out_.Size()));
  out_.Patch32(kHeaderRecordCountOffset, records_);
  return out_.Take();
}

std::uint32_t EmfWriter::NextSlot(std::uint32_t first, std::optional<std::uint32_t>& current) {
  return current == first ? first + 1 : first;
}

void EmfWriter::SelectPen(const GdiPen& pen) {
  if (pen_ == pen) return;
  pen_ = pen;
  const std::optional<std::uint32_t> old = penSlot_;
  if (pen.style == GdiPenStyle::Null) {
    SimpleRecord(emr::SelectObject, {kNullPen});
    penSlot_.reset();
  } else {
    const std::uint32_t slot = NextSlot(kPenSlot, penSlot_);
    SimpleRecord(emr::CreatePen, {slot, static_cast<std::uint32_t>(pen.style), static_cast<std::uint32_t>(pen.width), 0,
                                  ColorRef(pen.color)});
    SimpleRecord(emr::SelectObject, {slot});
    penSlot_ = slot;
  }
  if (old) SimpleRecord(emr::DeleteObject, {*old});
}

void EmfWriter::SelectBrush(const GdiBrush& brush) {
  if (brush_ == brush) return;
  brush_ = brush;
  const std::optional<std::uint32_t> old = brushSlot_;
  if (brush.null) {
    SimpleRecord(emr::SelectObject, {kNullBrush});
    brushSlot_.reset();
  } else {
    const std::uint32_t slot = NextSlot(kBrushSlot, brushSlot_);
    SimpleRecord(emr::CreateBrushIndirect, {slot, 0 /* solid */, ColorRef(brush.color), 0});
    SimpleRecord(emr::SelectObject, {slot});
    brushSlot_ = slot;
  }
  if (old) SimpleRecord(emr::DeleteObject, {*old});
}

void EmfWriter::SelectFont(const GdiFont& font) {
  if (font_ == font) return;
  font_ = font;
  const std::optional<std::uint32_t> old = fontSlot_;
  const std::uint32_t slot = NextSlot(kFontSlot, fontSlot_);
  const qsizetype start = StartRecord(emr::ExtCreateFontIndirectW);
  out_.Put32(slot);
  out_.PutS32(-font.height);  // negative: the character height, not the cell
  out_.PutS32(0);
  out_.PutS32(font.escapement);
  out_.PutS32(font.escapement);
  out_.PutS32(font.weight);
  out_.Put8(font.italic ? 1 : 0);
  out_.Put8(font.underline ? 1 : 0);
  out_.Put8(font.strikeOut ? 1 : 0);
  out_.Put8(kDefaultCharset);
  out_.Put8(0);  // default output precision
  out_.Put8(0);  // default clip precision
  out_.Put8(0);  // default quality
  out_.Put8(0);  // default pitch and family
  const QString face = font.family.left(31);
  for (int i = 0; i < 32; ++i) out_.Put16(i < face.size() ? face.at(i).unicode() : 0);
  EndRecord(start);
  SimpleRecord(emr::SelectObject, {slot});
  fontSlot_ = slot;
  if (old) SimpleRecord(emr::DeleteObject, {*old});
}

void EmfWriter::SetTextColor(QRgb color) {
  if (textColor_ == color) return;
  textColor_ = color;
  SimpleRecord(emr::SetTextColor, {ColorRef(color)});
}

void EmfWriter::SetPolyFillMode(bool winding) {
  if (winding_ == winding) return;
  winding_ = winding;
  SimpleRecord(emr::SetPolyFillMode, {winding ? kWinding : kAlternate});
}

void EmfWriter::PolyRecord(const GdiPolyline& pieces, bool closed) {
  if (pieces.counts.empty()) return;
  const QRect bounds = BoundsOf(pieces.points);
  Include(bounds);
  const bool small = FitsIn16(pieces.points);
  const auto putPoints = [&] {
    for (const QPoint& p : pieces.points) {
      if (small) {
        out_.PutS16(p.x());
        out_.PutS16(p.y());
      } else {
        out_.PutS32(p.x());
        out_.PutS32(p.y());
      }
    }
  };
  if (pieces.counts.size() == 1) {
    if (!closed && pieces.points.size() == 2) {
      SimpleRecord(emr::MoveToEx, {static_cast<std::uint32_t>(pieces.points[0].x()),
                                   static_cast<std::uint32_t>(pieces.points[0].y())});
      SimpleRecord(emr::LineTo, {static_cast<std::uint32_t>(pieces.points[1].x()),
                                 static_cast<std::uint32_t>(pieces.points[1].y())});
      return;
    }
    const qsizetype start = StartRecord(closed ? (small ? emr::Polygon16 : emr::Polygon)
                                               : (small ? emr::Polyline16 : emr::Polyline));
    PutRect(bounds);
    out_.Put32(static_cast<std::uint32_t>(pieces.points.size()));
    putPoints();
    EndRecord(start);
    return;
  }
  const qsizetype start = StartRecord(closed ? (small ? emr::PolyPolygon16 : emr::PolyPolygon)
                                             : (small ? emr::PolyPolyline16 : emr::PolyPolyline));
  PutRect(bounds);
  out_.Put32(static_cast<std::uint32_t>(pieces.counts.size()));
  out_.Put32(static_cast<std::uint32_t>(pieces.points.size()));
  for (std::uint32_t count : pieces.counts) out_.Put32(count);
  putPoints();
  EndRecord(start);
}

void EmfWriter::Polylines(const GdiPolyline& lines) { PolyRecord(lines, false); }

void EmfWriter::Polygons(const GdiPolyline& polygons) { PolyRecord(polygons, true); }

void EmfWriter::Rectangle(const QRect& box) {
  Include(box);
  SimpleRecord(emr::Rectangle,
               {static_cast<std::uint32_t>(box.left()), static_cast<std::uint32_t>(box.top()),
                static_cast<std::uint32_t>(box.left() + box.width()),
                static_cast<std::uint32_t>(box.top() + box.height())});
}

void EmfWriter::Ellipse(const QRect& box) {
  Include(box);
  SimpleRecord(emr::Ellipse,
               {static_cast<std::uint32_t>(box.left()), static_cast<std::uint32_t>(box.top()),
                static_cast<std::uint32_t>(box.left() + box.width()),
                static_cast<std::uint32_t>(box.top() + box.height())});
}

void EmfWriter::Pixel(QPoint point, QRgb color) {
  Include(QRect(point, QSize(1, 1)));
  SimpleRecord(emr::SetPixelV, {static_cast<std::uint32_t>(point.x()), static_cast<std::uint32_t>(point.y()),
                                ColorRef(color)});
}

void EmfWriter::Text(QPoint origin, const QString& text, const std::vector<int>& advances) {
  int width = 0;
  for (int advance : advances) width += advance;
  const int height = font_ ? font_->height : 12;
  // A rough extent is enough for the picture bounds: readers lay the glyphs
  // out themselves. Turned text may point anywhere around its origin.
  if (font_ && font_->escapement == 0) {
    Include(QRect(QPoint(origin.x(), origin.y() - height), QPoint(origin.x() + width, origin.y() + height / 3)));
  } else {
    const int reach = width + height;
    Include(QRect(QPoint(origin.x() - reach, origin.y() - reach), QPoint(origin.x() + reach, origin.y() + reach)));
  }

  const qsizetype start = StartRecord(emr::ExtTextOutW);
  PutNoRect();  // bounds left to the reader
  out_.Put32(kGraphicsModeCompatible);
  // Hundredths of a millimetre per pixel, for readers that size text by it.
  const float scale = 2540.0f / kDotsPerInch;
  out_.Put32(std::bit_cast<std::uint32_t>(scale));
  out_.Put32(std::bit_cast<std::uint32_t>(scale));
  out_.PutS32(origin.x());
  out_.PutS32(origin.y());
  const auto chars = static_cast<std::uint32_t>(text.size());
  out_.Put32(chars);
  const std::uint32_t stringOffset = 76;
  const std::uint32_t stringBytes = (chars * 2 + 3) / 4 * 4;
  out_.Put32(stringOffset);
  out_.Put32(0);  // no options
  PutNoRect();  // no opaquing or clipping rectangle
  out_.Put32(stringOffset + stringBytes);  // offDx
  for (QChar c : text) out_.Put16(c.unicode());
  out_.PadTo(4);
  for (std::uint32_t i = 0; i < chars; ++i) out_.PutS32(i < advances.size() ? advances[i] : 0);
  EndRecord(start);
}

void EmfWriter::Image(const QRect& target, const QImage& image) {
  Include(target);
  const QByteArray info = DeviceIndependentBitmapHeader(image);
  const QByteArray bits = DeviceIndependentBitmapBits(image);
  const qsizetype start = StartRecord(emr::StretchDIBits);
  PutRect(target);
  out_.PutS32(target.left());
  out_.PutS32(target.top());
  out_.PutS32(0);
  out_.PutS32(0);
  out_.PutS32(image.width());
  out_.PutS32(image.height());
  constexpr std::uint32_t kFixed = 80;
  out_.Put32(kFixed);
  out_.Put32(static_cast<std::uint32_t>(info.size()));
  out_.Put32(kFixed + static_cast<std::uint32_t>(info.size()));
  out_.Put32(static_cast<std::uint32_t>(bits.size()));
  out_.Put32(0);  // RGB colours
  out_.Put32(kSourceCopy);
  out_.PutS32(target.width());
  out_.PutS32(target.height());
  out_.PutBytes(info);
  out_.PutBytes(bits);
  EndRecord(start);
}

void EmfWriter::SetClip(const QRegion* region) {
  // Copy mode without region data restores the default (whole) clip.
  SimpleRecord(emr::ExtSelectClipRgn, {0, kRegionCopy});
  if (region == nullptr) return;
  // The new region is then intersected with the whole picture rather than
  // copied in: readers agree on that form, while some skip copied data.
  const qsizetype start = StartRecord(emr::ExtSelectClipRgn);
  const auto rects = static_cast<std::uint32_t>(region->rectCount());
  out_.Put32(32 + rects * 16);  // region data: header and rectangles
  out_.Put32(kRegionAnd);
  out_.Put32(32);  // region header size
  out_.Put32(1);   // rectangles
  out_.Put32(rects);
  out_.Put32(rects * 16);
  const QRect box = region->boundingRect();
  // Region rectangles exclude their right and bottom edges.
  out_.PutS32(box.left());
  out_.PutS32(box.top());
  out_.PutS32(box.left() + box.width());
  out_.PutS32(box.top() + box.height());
  for (const QRect& r : *region) {
    out_.PutS32(r.left());
    out_.PutS32(r.top());
    out_.PutS32(r.left() + r.width());
    out_.PutS32(r.top() + r.height());
  }
  EndRecord(start);
}

}  // namespace zc
