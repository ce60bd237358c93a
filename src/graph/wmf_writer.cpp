#include "wmf_writer.h"

#include <QStringEncoder>

#include <algorithm>

namespace zc {

namespace {
constexpr int kUnitsPerInch = 96;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kHeaderSize = 18;
constexpr int kMapModeAnisotropic = 8;
constexpr int kTransparent = 1;
constexpr int kAlternate = 1;
constexpr int kWinding = 2;
constexpr int kAlignBaselineLeft = 24;
constexpr int kNullBrushStyle = 1;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;

constexpr std::uint8_t kAnsiCharset = 0;

int Clamp16(int value) { return std::clamp(value, -32768, 32767); }

bool IsLatin1(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; });
}

std::uint8_t CharsetFor(const QString& text) {
  if (IsLatin1(text)) return kAnsiCharset;
  QStringEncoder encoder("Shift_JIS");
  if (!encoder.isValid()) return kAnsiCharset;
  (void)encoder.encode(text);
  return encoder.hasError() ? kAnsiCharset : kShiftJisCharset;
}

QByteArray EncodeText(const QString& text, std::uint8_t charset) {
  if (charset == kShiftJisCharset) {
    QStringEncoder encoder("Shift_JIS");
    return encoder.encode(text);
  }
  return text.toLatin1();  // "?" for what Latin-1 lacks
}
}  // namespace

qsizetype WmfWriter::StartRecord(std::uint16_t function) {
  const qsizetype start = out_.Size();
  out_.Put32(0);  // size in words, patched by EndRecord
  out_.Put16(function);
  return start;
}

void WmfWriter::EndRecord(qsizetype start) {
  out_.PadTo(2);
  const auto words = static_cast<std::uint32_t>((out_.Size() - start) / 2);
  out_.Patch32(start, words);
  maxRecordWords_ = std::max(maxRecordWords_, words);
}

void WmfWriter::SimpleRecord(std::uint16_t function, std::initializer_list<int> words) {
  const qsizetype start = StartRecord(function);
  for (int w : words) out_.PutS16(w);
  EndRecord(start);
}

void WmfWriter::PutColor(QRgb color) { out_.Put32(ColorRef(color)); }

void WmfWriter::Begin(QSize size) {
  out_ = RecordBuffer();
  size_ = QSize(std::min(size.width(), 32767), std::min(size.height(), 32767));
  maxRecordWords_ = 0;
  objectUsed_.clear();
  pen_.reset();
  brush_.reset();
  font_.reset();
  penSlot_.reset();
  brushSlot_.reset();
  fontSlot_.reset();
  fontCharset_ = kAnsiCharset;
  textColor_.reset();
  winding_.reset();

  // Placeable header: the box in units of 1/96 inch; checksum by Finish.
  out_.Put32(wmr::PlaceableKey);
  out_.Put16(0);
  out_.PutS16(0);
  out_.PutS16(0);
  out_.PutS16(size_.width());
  out_.PutS16(size_.height());
  out_.Put16(kUnitsPerInch);
  out_.Put32(0);
  out_.Put16(0);
  // Classic header: in memory, 9 words, version 3; sizes patched by Finish.
  out_.Put16(1);
  out_.Put16(9);
  out_.Put16(0x0300);
  out_.Put32(0);
  out_.Put16(0);
  out_.Put32(0);
  out_.Put16(0);

  SimpleRecord(wmr::SetWindowOrg, {0, 0});
  SimpleRecord(wmr::SetWindowExt, {size_.height(), size_.width()});
  SimpleRecord(wmr::SetMapMode, {kMapModeAnisotropic});
  SimpleRecord(wmr::SetBkMode, {kTransparent});
  SimpleRecord(wmr::SetTextAlign, {kAlignBaselineLeft});
  // Clipping is undone by restoring this saved state.
  SimpleRecord(wmr::SaveDC, {});
}

QByteArray WmfWriter::Finish() {
  SimpleRecord(wmr::RestoreDC, {-1});
  for (std::optional<Slot>* slot : {&penSlot_, &brushSlot_, &fontSlot_}) {
    if (*slot) SimpleRecord(wmr::DeleteObject, {(*slot)->index});
  }
  SimpleRecord(wmr::Eof, {});

  std::uint16_t checksum = 0;
  const QByteArray& bytes = out_.Bytes();
  for (int i = 0; i < 20; i += 2) {
    checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                           (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
  }
  out_.Patch16(20, checksum);
  const auto fileWords = static_cast<std::uint32_t>((out_.Size() - kPlaceableSize) / 2);
  out_.Patch32(kPlaceableSize + 6, fileWords);
  out_.Patch16(kPlaceableSize + 10, static_cast<std::uint16_t>(std::max<std::size_t>(objectUsed_.size(), 1)));
  out_.Patch32(kPlaceableSize + 12, maxRecordWords_);
  static_assert(kPlaceableSize + kHeaderSize == 40);
  return out_.Take();
}

std::uint16_t WmfWriter::CreateObjectIndex() {
  // The device context files a new object under the lowest free index.
  const auto free = std::find(objectUsed_.begin(), objectUsed_.end(), false);
  const auto index = static_cast<std::uint16_t>(free - objectUsed_.begin());
  if (free == objectUsed_.end()) {
    objectUsed_.push_back(true);
  } else {
    *free = true;
  }
  return index;
}

void WmfWriter::Replace(std::optional<Slot>& slot, std::uint16_t newIndex) {
  SimpleRecord(wmr::SelectObject, {newIndex});
  if (slot) {
    SimpleRecord(wmr::DeleteObject, {slot->index});
    objectUsed_[slot->index] = false;
  }
  slot = Slot{newIndex, true};
}

void WmfWriter::Reselect(std::optional<Slot>& slot) {
  if (slot && !slot->selected) {
    SimpleRecord(wmr::SelectObject, {slot->index});
    slot->selected = true;
  }
}

void WmfWriter::SelectPen(const GdiPen& pen) {
  if (pen_ == pen) {
    Reselect(penSlot_);
    return;
  }
  pen_ = pen;
  const std::uint16_t index = CreateObjectIndex();
  const qsizetype start = StartRecord(wmr::CreatePenIndirect);
  out_.Put16(static_cast<std::uint16_t>(pen.style));
  out_.PutS16(pen.width);
  out_.PutS16(0);
  PutColor(pen.color);
  EndRecord(start);
  Replace(penSlot_, index);
}

void WmfWriter::SelectBrush(const GdiBrush& brush) {
  if (brush_ == brush) {
    Reselect(brushSlot_);
    return;
  }
  brush_ = brush;
  const std::uint16_t index = CreateObjectIndex();
  const qsizetype start = StartRecord(wmr::CreateBrushIndirect);
  out_.Put16(brush.null ? kNullBrushStyle : 0);
  PutColor(brush.color);
  out_.Put16(0);
  EndRecord(start);
  Replace(brushSlot_, index);
}

void WmfWriter::SelectFont(const GdiFont& font) {
  if (font_ == font) {
    Reselect(fontSlot_);
    return;
  }
  font_ = font;
  CreateFont(font, fontCharset_);
}

void WmfWriter::CreateFont(const GdiFont& font, std::uint8_t charset) {
  fontCharset_ = charset;
  const std::uint16_t index = CreateObjectIndex();
  const qsizetype start = StartRecord(wmr::CreateFontIndirect);
  out_.PutS16(-Clamp16(font.height));
  out_.PutS16(0);
  out_.PutS16(font.escapement);
  out_.PutS16(font.escapement);
  out_.PutS16(font.weight);
  out_.Put8(font.italic ? 1 : 0);
  out_.Put8(font.underline ? 1 : 0);
  out_.Put8(font.strikeOut ? 1 : 0);
  out_.Put8(charset);
  out_.Put8(0);
  out_.Put8(0);
  out_.Put8(0);
  out_.Put8(0);
  QByteArray face = EncodeText(font.family, CharsetFor(font.family)).left(31);
  face.append('\0');
  out_.PutBytes(face);
  EndRecord(start);
  Replace(fontSlot_, index);
}

void WmfWriter::SetTextColor(QRgb color) {
  if (textColor_ == color) return;
  textColor_ = color;
  const qsizetype start = StartRecord(wmr::SetTextColor);
  PutColor(color);
  EndRecord(start);
}

void WmfWriter::SetPolyFillMode(bool winding) {
  if (winding_ == winding) return;
  winding_ = winding;
  SimpleRecord(wmr::SetPolyFillMode, {winding ? kWinding : kAlternate});
}

void WmfWriter::Polylines(const GdiPolyline& lines) {
  std::size_t at = 0;
  for (std::uint32_t count : lines.counts) {
    if (count == 2) {
      SimpleRecord(wmr::MoveTo, {Clamp16(lines.points[at].y()), Clamp16(lines.points[at].x())});
      SimpleRecord(wmr::LineTo, {Clamp16(lines.points[at + 1].y()), Clamp16(lines.points[at + 1].x())});
    } else {
      const qsizetype start = StartRecord(wmr::Polyline);
      out_.PutS16(static_cast<int>(count));
      for (std::uint32_t i = 0; i < count; ++i) {
        out_.PutS16(Clamp16(lines.points[at + i].x()));
        out_.PutS16(Clamp16(lines.points[at + i].y()));
      }
      EndRecord(start);
    }
    at += count;
  }
}

void WmfWriter::Polygons(const GdiPolyline& polygons) {
  if (polygons.counts.empty()) return;
  const bool single = polygons.counts.size() == 1;
  const qsizetype start = StartRecord(single ? wmr::Polygon : wmr::PolyPolygon);
  if (single) {
    out_.PutS16(static_cast<int>(polygons.points.size()));
  } else {
    out_.PutS16(static_cast<int>(polygons.counts.size()));
    for (std::uint32_t count : polygons.counts) out_.PutS16(static_cast<int>(count));
  }
  for (const QPoint& p : polygons.points) {
    out_.PutS16(Clamp16(p.x()));
    out_.PutS16(Clamp16(p.y()));
  }
  EndRecord(start);
}

void WmfWriter::Rectangle(const QRect& box) {
  SimpleRecord(wmr::Rectangle, {Clamp16(box.top() + box.height()), Clamp16(box.left() + box.width()),
                                Clamp16(box.top()), Clamp16(box.left())});
}

void WmfWriter::Ellipse(const QRect& box) {
  SimpleRecord(wmr::Ellipse, {Clamp16(box.top() + box.height()), Clamp16(box.left() + box.width()),
                              Clamp16(box.top()), Clamp16(box.left())});
}

void WmfWriter::Pixel(QPoint point, QRgb color) {
  const qsizetype start = StartRecord(wmr::SetPixel);
  PutColor(color);
  out_.PutS16(Clamp16(point.y()));
  out_.PutS16(Clamp16(point.x()));
  EndRecord(start);
}

void WmfWriter::Text(QPoint origin, const QString& text, const std::vector<int>& advances) {
  // Latin-1 text goes out as it is; anything else in Japanese code page 932
  // with a font of that character set, as Japanese systems read it.
  const std::uint8_t charset = CharsetFor(text);
  if (font_ && charset != fontCharset_) CreateFont(*font_, charset);
  std::vector<int> byteAdvances;
  QByteArray bytes;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QByteArray one = EncodeText(QString(text.at(i)), charset);
    bytes.append(one);
    // A double-byte character carries its advance on the first byte.
    for (qsizetype b = 0; b < one.size(); ++b) {
      byteAdvances.push_back(b == 0 && static_cast<std::size_t>(i) < advances.size() ? advances[static_cast<std::size_t>(i)]
                                                                                     : 0);
    }
  }
  const qsizetype start = StartRecord(wmr::ExtTextOut);
  out_.PutS16(Clamp16(origin.y()));
  out_.PutS16(Clamp16(origin.x()));
  out_.PutS16(static_cast<int>(bytes.size()));
  out_.Put16(0);  // no options, so no rectangle
  out_.PutBytes(bytes);
  out_.PadTo(2);
  for (int advance : byteAdvances) out_.PutS16(advance);
  EndRecord(start);
}

void WmfWriter::Image(const QRect& target, const QImage& image) {
  const qsizetype start = StartRecord(wmr::StretchDIB);
  out_.Put32(kSourceCopy);
  out_.Put16(0);  // RGB colours
  out_.PutS16(image.height());
  out_.PutS16(image.width());
  out_.PutS16(0);
  out_.PutS16(0);
  out_.PutS16(target.height());
  out_.PutS16(target.width());
  out_.PutS16(Clamp16(target.top()));
  out_.PutS16(Clamp16(target.left()));
  out_.PutBytes(DeviceIndependentBitmapHeader(image));
  out_.PutBytes(DeviceIndependentBitmapBits(image));
  EndRecord(start);
}

void WmfWriter::ReselectAll() {
  for (std::optional<Slot>* slot : {&penSlot_, &brushSlot_, &fontSlot_}) {
    if (*slot) (*slot)->selected = false;
  }
  textColor_.reset();
  winding_.reset();
}

void WmfWriter::SetClip(const QRegion* region) {
  // Restoring the saved state drops the old clip (and the selections,
  // colours and modes, which the next drawing sets again).
  SimpleRecord(wmr::RestoreDC, {-1});
  SimpleRecord(wmr::SaveDC, {});
  ReselectAll();
  if (region == nullptr) return;
  const QRect box = region->boundingRect();
  SimpleRecord(wmr::IntersectClipRect, {Clamp16(box.top() + box.height()), Clamp16(box.left() + box.width()),
                                        Clamp16(box.top()), Clamp16(box.left())});
}

}  // namespace zc
