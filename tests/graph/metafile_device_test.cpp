// The metafile paint device: what QPainter calls become, and whether the
// files are framed so that other programs can read them.
#include "emf_writer.h"
#include "metafile_paint_device.h"
#include "metafile_paint_engine.h"
#include "metafile_walk.h"
#include "wmf_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace zc {
namespace {

using test::S16;
using test::S32;
using test::U16;
using test::U32;

QByteArray Draw(MetafileFormat format, QSize size, const std::function<void(QPainter&)>& draw) {
  MetafilePaintDevice device(size, format);
  QPainter painter(&device);
  draw(painter);
  painter.end();
  return device.Data();
}

QByteArray Emf(const std::function<void(QPainter&)>& draw, QSize size = QSize(200, 100)) {
  return Draw(MetafileFormat::Enhanced, size, draw);
}

// A bit of everything the graph draws, plus what it might.
void DrawSampler(QPainter& p) {
  p.fillRect(QRect(0, 0, 200, 100), QColor(240, 240, 240));
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(10, 10, 50, 10);
  const QLine ticks[] = {{20, 50, 20, 45}, {40, 50, 40, 45}, {60, 50, 60, 45}};
  p.drawLines(ticks, 3);
  const QPoint zigzag[] = {{0, 0}, {10, 20}, {20, 0}, {30, 20}};
  p.drawPolyline(zigzag, 4);
  p.setBrush(Qt::blue);
  p.drawPolygon(zigzag, 4);
  p.drawRect(5, 5, 20, 10);
  p.drawEllipse(QRect(60, 60, 10, 10));
  p.setClipRect(QRect(10, 10, 100, 50));
  p.setFont(QFont(QStringLiteral("Arial"), 12));
  p.drawText(QPoint(30, 40), QStringLiteral("2Pi"));
  p.save();
  p.translate(15, 80);
  p.rotate(270);
  p.drawText(QPoint(0, 0), QStringLiteral("y"));
  p.restore();
  p.setClipping(false);
  QPainterPath path;
  path.addEllipse(QRectF(100, 20, 30, 30));
  p.drawPath(path);
  p.drawPoint(150, 50);
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::green);
  p.drawImage(QPoint(170, 70), image);
}

TEST(EmfDevice, everyRecordIsFramedAndCounted) {
  const QByteArray bytes = Emf(DrawSampler);
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  EXPECT_EQ(walk.records.front().size, static_cast<qsizetype>(emr::HeaderSize));
  EXPECT_EQ(walk.records.back().size, 20);
  // Handles: the header announces enough slots for every object used.
  const std::uint16_t handles = U16(bytes, 56);
  for (std::uint32_t type : {emr::CreatePen, emr::CreateBrushIndirect, emr::ExtCreateFontIndirectW}) {
    for (const test::Record& r : walk.OfType(type)) EXPECT_LT(U32(bytes, r.offset + 8), handles);
  }
}

TEST(EmfDevice, headerBoundsCoverTheDrawingAndFrameIsTheSizeInHundredthsOfMillimetre) {
  const QByteArray bytes = Emf([](QPainter& p) { p.fillRect(QRect(0, 0, 200, 100), Qt::white); });
  ASSERT_EQ(test::WalkEmf(bytes).error, "");
  EXPECT_EQ(test::EmfHeaderBounds(bytes), QRect(0, 0, 200, 100));
  // 200 px at 96 per inch = 52.92 mm.
  EXPECT_EQ(test::EmfHeaderFrame(bytes), QRect(QPoint(0, 0), QPoint(5291, 2645)));
  EXPECT_EQ(S32(bytes, 72), 200);  // reference device in pixels
  EXPECT_EQ(S32(bytes, 80), 53);   // and in millimetres
  EXPECT_EQ(U32(bytes, 100), 52917u);  // and in micrometres
}

TEST(EmfDevice, boundsStayInsideThePictureAndTrackOnlyWhatWasDrawn) {
  const QByteArray bytes = Emf([](QPainter& p) {
    p.drawLine(20, 30, 40, 35);
    p.drawLine(-50, 50, 500, 50);
  });
  ASSERT_EQ(test::WalkEmf(bytes).error, "");
  EXPECT_EQ(test::EmfHeaderBounds(bytes), QRect(QPoint(0, 30), QPoint(199, 50)));
}

// One primitive each: the record it must become and its coordinates.
struct PrimitiveCase {
  const char* name;
  std::function<void(QPainter&)> draw;
  std::uint32_t type;
  std::vector<std::int32_t> fields;  // 32-bit fields from offset 8 (after type and size)
  bool sixteenBit = false;           // fields are 16-bit points from `pointsAt`
  int pointsAt = 0;
};

TEST(EmfDevice, primitivesBecomeTheirRecords) {
  const std::vector<PrimitiveCase> cases = {
      {"line", [](QPainter& p) { p.drawLine(3, 4, 30, 40); }, emr::LineTo, {30, 40}},
      {"line start", [](QPainter& p) { p.drawLine(3, 4, 30, 40); }, emr::MoveToEx, {3, 4}},
      {"translated line", [](QPainter& p) { p.translate(10, 20); p.drawLine(0, 0, 5, 5); }, emr::LineTo, {15, 25}},
      // QPainter covers both edge columns of a rectangle; the box ends one beyond.
      {"rectangle", [](QPainter& p) { p.drawRect(10, 10, 20, 5); }, emr::Rectangle, {10, 10, 31, 16}},
      {"filled rectangle", [](QPainter& p) { p.fillRect(QRect(0, 0, 8, 4), Qt::red); }, emr::Rectangle, {0, 0, 9, 5}},
      {"ellipse", [](QPainter& p) { p.drawEllipse(QRect(60, 60, 10, 10)); }, emr::Ellipse, {60, 60, 71, 71}},
      {"pixel", [](QPainter& p) { p.setPen(QColor(1, 2, 3)); p.drawPoint(7, 8); }, emr::SetPixelV,
       {7, 8, 0x030201}},
      {"polyline",
       [](QPainter& p) {
         const QPoint pts[] = {{1, 2}, {3, 4}, {5, 6}};
         p.drawPolyline(pts, 3);
       },
       emr::Polyline16, {1, 2, 3, 4, 5, 6}, true, 28},
      {"polygon",
       [](QPainter& p) {
         const QPoint pts[] = {{1, 2}, {30, 4}, {5, 60}};
         p.drawPolygon(pts, 3);
       },
       emr::Polygon16, {1, 2, 30, 4, 5, 60}, true, 28},
      {"far polyline needs 32-bit points",
       [](QPainter& p) {
         const QPoint pts[] = {{0, 0}, {40000, 1}, {2, -40000}};
         p.drawPolyline(pts, 3);
       },
       emr::Polyline, {0, 0, 40000, 1, 2, -40000}, false},
  };
  for (const PrimitiveCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray bytes = Emf(c.draw);
    const test::Walk walk = test::WalkEmf(bytes);
    ASSERT_EQ(walk.error, "");
    const auto found = walk.OfType(c.type);
    ASSERT_EQ(found.size(), 1u);
    const qsizetype at = found.front().offset;
    std::vector<std::int32_t> fields;
    if (c.sixteenBit) {
      for (std::size_t i = 0; i < c.fields.size(); ++i) fields.push_back(S16(bytes, at + c.pointsAt + 2 * i));
    } else if (c.type == emr::Polyline) {
      for (std::size_t i = 0; i < c.fields.size(); ++i) fields.push_back(S32(bytes, at + 28 + 4 * i));
    } else {
      for (std::size_t i = 0; i < c.fields.size(); ++i) fields.push_back(S32(bytes, at + 8 + 4 * i));
    }
    EXPECT_EQ(fields, c.fields);
  }
}

TEST(EmfDevice, manyLinesGoOutAsOnePolyPolyline) {
  const QByteArray bytes = Emf([](QPainter& p) {
    const QLine ticks[] = {{20, 50, 20, 45}, {40, 50, 40, 45}, {60, 50, 60, 45}};
    p.drawLines(ticks, 3);
  });
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  const auto found = walk.OfType(emr::PolyPolyline16);
  ASSERT_EQ(found.size(), 1u);
  const qsizetype at = found.front().offset;
  EXPECT_EQ(U32(bytes, at + 24), 3u);  // pieces
  EXPECT_EQ(U32(bytes, at + 28), 6u);  // points
  EXPECT_EQ(U32(bytes, at + 32), 2u);
  EXPECT_EQ(S16(bytes, at + 44 + 4 * 5), 60);  // last point x
  EXPECT_EQ(S16(bytes, at + 44 + 4 * 5 + 2), 45);
  EXPECT_EQ(found.front().size, 44 + 6 * 4);
}

TEST(EmfDevice, pensBrushesAndFontsAreCreatedSelectedAndDeleted) {
  const QByteArray bytes = Emf([](QPainter& p) {
    p.setPen(QPen(QColor(10, 20, 30), 3));
    p.drawLine(0, 0, 10, 10);
    p.setPen(QPen(QColor(40, 50, 60), 1));
    p.drawLine(0, 0, 10, 10);
    p.setBrush(QColor(1, 2, 3));
    p.drawRect(1, 1, 5, 5);
    p.setPen(Qt::NoPen);
    p.drawRect(1, 1, 5, 5);
    p.drawText(5, 20, QStringLiteral("x"));
  });
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  const auto pens = walk.OfType(emr::CreatePen);
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_EQ(S32(bytes, pens[0].offset + 16), 3);  // width
  EXPECT_EQ(U32(bytes, pens[0].offset + 24), 0x1E140Au);
  EXPECT_EQ(U32(bytes, pens[1].offset + 24), 0x3C3228u);
  const auto brushes = walk.OfType(emr::CreateBrushIndirect);
  ASSERT_EQ(brushes.size(), 1u);
  EXPECT_EQ(U32(bytes, brushes[0].offset + 16), 0x030201u);

  // Every created object is deleted once, and only after something else
  // took its place in the device context.
  std::map<std::uint32_t, int> live;
  std::map<std::uint32_t, std::uint32_t> selected;  // kind slot pair → object
  for (const test::Record& r : walk.records) {
    if (r.type == emr::CreatePen || r.type == emr::CreateBrushIndirect || r.type == emr::ExtCreateFontIndirectW) {
      EXPECT_EQ(live[U32(bytes, r.offset + 8)]++, 0) << "slot reused while alive";
    } else if (r.type == emr::DeleteObject) {
      EXPECT_EQ(--live[U32(bytes, r.offset + 8)], 0) << "deleting an object that does not exist";
    }
  }
  for (const auto& [slot, count] : live) EXPECT_EQ(count, 0) << "slot " << slot << " never deleted";
  // The hidden pen is the stock null pen, not a created one.
  bool nullPenSelected = false;
  for (const test::Record& r : walk.OfType(emr::SelectObject)) nullPenSelected |= U32(bytes, r.offset + 8) == 0x80000008u;
  EXPECT_TRUE(nullPenSelected);
}

TEST(EmfDevice, textKeepsItsCharactersOriginAndTurn) {
  const QByteArray bytes = Emf([](QPainter& p) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor(225, 0, 0));
    p.drawText(QPoint(30, 40), QStringLiteral("2π"));
    p.translate(15, 80);
    p.rotate(270);
    p.drawText(QPoint(0, 0), QStringLiteral("y"));
  });
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  const auto texts = walk.OfType(emr::ExtTextOutW);
  ASSERT_EQ(texts.size(), 2u);
  const qsizetype t = texts[0].offset;
  EXPECT_EQ(S32(bytes, t + 36), 30);
  EXPECT_EQ(S32(bytes, t + 40), 40);
  ASSERT_EQ(U32(bytes, t + 44), 2u);
  const std::uint32_t stringOffset = U32(bytes, t + 48);
  EXPECT_EQ(U16(bytes, t + stringOffset), u'2');
  EXPECT_EQ(U16(bytes, t + stringOffset + 2), u'π');
  const std::uint32_t dxOffset = U32(bytes, t + 72);
  EXPECT_GT(S32(bytes, t + dxOffset), 0);
  EXPECT_LE(static_cast<qsizetype>(dxOffset + 8), texts[0].size);
  EXPECT_EQ(S32(bytes, texts[1].offset + 36), 15);
  EXPECT_EQ(S32(bytes, texts[1].offset + 40), 80);

  const auto fonts = walk.OfType(emr::ExtCreateFontIndirectW);
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(S32(bytes, fonts[0].offset + 12), -12);  // character height
  EXPECT_EQ(S32(bytes, fonts[0].offset + 20), 0);
  EXPECT_EQ(S32(bytes, fonts[1].offset + 20), 900);  // reads bottom to top
  EXPECT_EQ(U16(bytes, fonts[0].offset + 40), u'T');
  const auto colours = walk.OfType(emr::SetTextColor);
  ASSERT_FALSE(colours.empty());
  EXPECT_EQ(U32(bytes, colours[0].offset + 8), 0x0000E1u);
}

TEST(EmfDevice, clipRegionsAreReplacedAndRemoved) {
  const QByteArray bytes = Emf([](QPainter& p) {
    p.translate(5, 5);
    p.setClipRect(QRect(10, 20, 30, 40));
    p.drawLine(0, 0, 100, 100);
    p.setClipping(false);
    p.drawLine(0, 0, 100, 100);
  });
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  const auto clips = walk.OfType(emr::ExtSelectClipRgn);
  // Reset, intersect with the new region; reset again when clipping ends.
  ASSERT_EQ(clips.size(), 3u);
  EXPECT_EQ(U32(bytes, clips[0].offset + 8), 0u);  // no region data
  EXPECT_EQ(U32(bytes, clips[0].offset + 12), 5u);  // copy: back to the whole picture
  const qsizetype c = clips[1].offset;
  EXPECT_EQ(U32(bytes, c + 8), 48u);  // region header and one rectangle
  EXPECT_EQ(U32(bytes, c + 12), 1u);  // intersect
  EXPECT_EQ(U32(bytes, c + 24), 1u);  // one rectangle
  // In device pixels, right and bottom exclusive.
  EXPECT_EQ(S32(bytes, c + 48), 15);
  EXPECT_EQ(S32(bytes, c + 52), 25);
  EXPECT_EQ(S32(bytes, c + 56), 45);
  EXPECT_EQ(S32(bytes, c + 60), 65);
  EXPECT_EQ(U32(bytes, clips[2].offset + 8), 0u);
  EXPECT_EQ(U32(bytes, clips[2].offset + 12), 5u);
  EXPECT_EQ(clips[2].size, 16);
  // Drawing records fall between the clip changes as painted.
  EXPECT_LT(clips[1].offset, walk.OfType(emr::LineTo).front().offset);
  EXPECT_GT(clips[2].offset, walk.OfType(emr::LineTo).front().offset);
}

TEST(EmfDevice, anEmptyPictureIsStillAFile) {
  const QByteArray bytes = Emf([](QPainter&) {});
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  EXPECT_TRUE(test::EmfHeaderBounds(bytes).isEmpty());
}

TEST(EmfDevice, paintsTheSamplerWithoutFallingBackToPixels) {
  // Only the one explicit image may become a bitmap record: lines, text
  // and shapes must stay vectors.
  const test::Walk walk = test::WalkEmf(Emf(DrawSampler));
  ASSERT_EQ(walk.error, "");
  EXPECT_EQ(walk.OfType(emr::StretchDIBits).size(), 1u);
  EXPECT_EQ(walk.OfType(emr::ExtTextOutW).size(), 2u);
  EXPECT_FALSE(walk.OfType(emr::PolyPolygon16).empty() && walk.OfType(emr::Polygon16).empty());
}

TEST(WmfDevice, placeableFileIsFramedAndCounted) {
  const QByteArray bytes = Draw(MetafileFormat::Placeable, QSize(300, 200), DrawSampler);
  const test::Walk walk = test::WalkWmf(bytes);
  ASSERT_EQ(walk.error, "");
  EXPECT_EQ(S16(bytes, 10), 300);  // box right
  EXPECT_EQ(S16(bytes, 12), 200);  // box bottom
  EXPECT_EQ(U16(bytes, 14), 96);   // units per inch
  // Objects are filed under the lowest free index and never beyond the
  // table size the header announces.
  const std::uint16_t objects = U16(bytes, 32);
  for (const test::Record& r : walk.OfType(wmr::SelectObject)) EXPECT_LT(U16(bytes, r.offset + 6), objects);
  EXPECT_FALSE(walk.OfType(wmr::ExtTextOut).empty());
  EXPECT_FALSE(walk.OfType(wmr::IntersectClipRect).empty());
}

TEST(WmfDevice, rectanglesAreWrittenBottomRightFirst) {
  const QByteArray bytes =
      Draw(MetafileFormat::Placeable, QSize(100, 100), [](QPainter& p) { p.drawRect(10, 20, 30, 40); });
  const test::Walk walk = test::WalkWmf(bytes);
  ASSERT_EQ(walk.error, "");
  const auto rects = walk.OfType(wmr::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  const qsizetype at = rects[0].offset + 6;
  EXPECT_EQ(S16(bytes, at), 61);
  EXPECT_EQ(S16(bytes, at + 2), 41);
  EXPECT_EQ(S16(bytes, at + 4), 20);
  EXPECT_EQ(S16(bytes, at + 6), 10);
}

TEST(WmfDevice, clippingAgainReselectsTheObjectsInUse) {
  // Restoring the saved state to drop a clip deselects pen and brush; the
  // next drawing must select them again instead of drawing with defaults.
  const QByteArray bytes = Draw(MetafileFormat::Placeable, QSize(100, 100), [](QPainter& p) {
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(0, 0, 10, 10);
    p.setClipRect(QRect(0, 0, 50, 50));
    p.drawLine(0, 0, 10, 10);
  });
  const test::Walk walk = test::WalkWmf(bytes);
  ASSERT_EQ(walk.error, "");
  int selectsAfterClip = 0;
  bool clipped = false;
  for (const test::Record& r : walk.records) {
    if (r.type == wmr::IntersectClipRect) clipped = true;
    if (clipped && r.type == wmr::SelectObject) ++selectsAfterClip;
  }
  EXPECT_EQ(selectsAfterClip, 1);
  EXPECT_EQ(walk.OfType(wmr::CreatePenIndirect).size(), 1u);
}

TEST(WmfDevice, japaneseTextGoesOutInCodePage932) {
  const QByteArray bytes = Draw(MetafileFormat::Placeable, QSize(100, 100), [](QPainter& p) {
    p.drawText(QPoint(5, 20), QStringLiteral("x1"));
    p.drawText(QPoint(5, 40), QStringLiteral("グラフ"));
  });
  const test::Walk walk = test::WalkWmf(bytes);
  ASSERT_EQ(walk.error, "");
  const auto texts = walk.OfType(wmr::ExtTextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(bytes.mid(texts[0].offset + 14, 2), QByteArray("x1"));
  const qsizetype t = texts[1].offset;
  ASSERT_EQ(S16(bytes, t + 10), 6);  // three characters, two bytes each
  EXPECT_EQ(bytes.mid(t + 14, 6), QByteArray("\x83\x4f\x83\x89\x83\x74"));
  // Each character's advance sits on its first byte.
  EXPECT_GT(S16(bytes, t + 20), 0);
  EXPECT_EQ(S16(bytes, t + 22), 0);
  // The Japanese text is drawn with a font of the Japanese character set.
  const auto fonts = walk.OfType(wmr::CreateFontIndirect);
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[fonts[0].offset + 6 + 13]), 0);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[fonts[1].offset + 6 + 13]), 128);
  EXPECT_LT(fonts[1].offset, t);
}

TEST(MetafileTranslation, pensFollowTheirStyleWidthAndScale) {
  struct Case {
    QPen pen;
    QTransform transform;
    GdiPen expected;
  };
  const std::vector<Case> cases = {
      {QPen(QColor(1, 2, 3), 0), QTransform(), {GdiPenStyle::Solid, 1, qRgb(1, 2, 3)}},
      {QPen(Qt::red, 2), QTransform::fromScale(3, 3), {GdiPenStyle::Solid, 6, qRgb(255, 0, 0)}},
      {[] { QPen p(Qt::blue, 2); p.setCosmetic(true); return p; }(), QTransform::fromScale(3, 3),
       {GdiPenStyle::Solid, 2, qRgb(0, 0, 255)}},
      {QPen(QBrush(Qt::black), 1, Qt::DashLine), QTransform(), {GdiPenStyle::Dash, 1, qRgb(0, 0, 0)}},
      {QPen(QBrush(Qt::black), 1, Qt::DotLine), QTransform(), {GdiPenStyle::Dot, 1, qRgb(0, 0, 0)}},
      {QPen(Qt::NoPen), QTransform(), {GdiPenStyle::Null, 1, qRgb(0, 0, 0)}},
      {QPen(QColor(0, 0, 0, 0)), QTransform(), {GdiPenStyle::Null, 1, qRgb(0, 0, 0)}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MetafilePaintEngine::PenFor(c.pen, c.transform), c.expected) << c.pen.style() << " " << c.pen.widthF();
  }
}

}  // namespace
}  // namespace zc
