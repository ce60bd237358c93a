// The graph's pictures in every format, read back; failures leave files
// as they were.
#include "emf_writer.h"
#include "graph_error.h"
#include "graph_export.h"
#include "metafile_walk.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zc {
namespace {

// A 400 × 300 graph, x and y over −10 … 10, with one red diagonal.
struct SampleGraph {
  TXYGraph graph;
  TXYLineSeries* line;
  SampleGraph() {
    graph.SetClientSize(QSize(400, 300));
    graph.SetColor(QColor(240, 240, 240));
    graph.XAxis().SetMinMax(-10, 10);
    graph.YAxis().SetMinMax(-10, 10);
    line = new TXYLineSeries(QStringLiteral("line"));
    line->SetLinePen(QPen(QColor(255, 0, 0), 3));
    line->SetParentGraph(&graph);
    line->AddXY(-20, -20);
    line->AddXY(20, 20);
  }
};

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GraphExport, formatFollowsTheExtension) {
  struct Case {
    const char* name;
    std::optional<PictureFormat> format;
  };
  const Case cases[] = {{"a.bmp", PictureFormat::Bmp}, {"a.BMP", PictureFormat::Bmp}, {"dir.x/a.emf", PictureFormat::Emf},
                        {"a.wmf", PictureFormat::Wmf}, {"a.png", PictureFormat::Png}, {"a.svg", PictureFormat::Svg},
                        {"a.pdf", PictureFormat::Pdf}, {"a.jpg", std::nullopt},       {"bmp", std::nullopt},
                        {"a.emf.txt", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(PictureFormatForFileName(QString::fromLatin1(c.name)), c.format) << c.name;
}

TEST(GraphExport, bitmapIsAWindowsBitmapOfTheClientSize) {
  SampleGraph g;
  const QByteArray bytes = RenderGraphPicture(g.graph, PictureFormat::Bmp);
  ASSERT_TRUE(bytes.startsWith("BM"));
  const QImage image = QImage::fromData(bytes, "BMP");
  ASSERT_EQ(image.size(), QSize(400, 300));
  // The curve runs through the middle of the plot.
  const QRect plot = g.graph.PlotArea();
  const QPoint centre = g.graph.GetXYPoint(0, 0);
  ASSERT_TRUE(plot.contains(centre));
  EXPECT_EQ(image.pixelColor(centre), QColor(255, 0, 0));
  // Outside the plot there is only the control's colour or axis labels,
  // never the curve: it is cut at the plot border.
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (!plot.adjusted(-2, -2, 2, 2).contains(x, y)) {
        ASSERT_NE(image.pixelColor(x, y), QColor(255, 0, 0)) << x << "," << y;
      }
    }
  }
}

QStringList LabelTexts(const TGraphAxis& axis) {
  QStringList texts;
  for (int i = 0; i < axis.LabelValueList().Count(); ++i) texts << axis.GetValueText(axis.LabelValueList()[i]);
  return texts;
}

TEST(GraphExport, aBitmapScaleDrawsTheSameLayoutFiner) {
  SampleGraph g;
  const QImage plain = RenderGraphImage(g.graph);
  const QStringList xLabels = LabelTexts(g.graph.XAxis());
  const QStringList yLabels = LabelTexts(g.graph.YAxis());
  const QRect plot = g.graph.PlotArea();

  g.graph.SetBitmapScale(2);
  const QImage fine = RenderGraphImage(g.graph);
  EXPECT_EQ(fine.size(), QSize(800, 600));
  EXPECT_EQ(LabelTexts(g.graph.XAxis()), xLabels);
  EXPECT_EQ(LabelTexts(g.graph.YAxis()), yLabels);
  EXPECT_EQ(g.graph.PlotArea(), plot);
  // It prints at the same size: twice the dots per inch.
  EXPECT_NEAR(fine.dotsPerMeterX(), 2 * plain.dotsPerMeterX(), 2);
  // Drawn finer, not enlarged: text and slanted lines differ from the plain
  // picture blown up pixel for pixel, while the plot's corners match.
  const QImage enlarged = plain.scaled(fine.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                              .convertToFormat(fine.format());
  EXPECT_NE(QImage(fine).convertToFormat(enlarged.format()), enlarged);
  EXPECT_EQ(fine.pixelColor(2 * plot.center()), plain.pixelColor(plot.center()));
  EXPECT_EQ(fine.pixelColor(2 * (plot.topLeft() + QPoint(3, 3))), plain.pixelColor(plot.topLeft() + QPoint(3, 3)));
}

// Rows of axis-black pixels crossing the X axis line in one column that no
// tick mark touches.
int AxisLineThickness(TXYGraph& graph, const QImage& image, double scale) {
  const TGraphAxis& x = graph.XAxis();
  std::vector<int> marks;
  for (const TGraphValueList* list : {&x.TickDataList(), &x.SubTickDataList()})
    for (int i = 0; i < list->Count(); ++i) marks.push_back(x.GetValuePos((*list)[i]));
  std::sort(marks.begin(), marks.end());
  int column = -1;
  for (std::size_t i = 1; i < marks.size() && column < 0; ++i)
    if (marks[i] - marks[i - 1] >= 4) column = (marks[i] + marks[i - 1]) / 2;
  const int line = x.AxisPos();
  int rows = 0;
  for (int y = static_cast<int>((line - 3) * scale); y <= static_cast<int>((line + 3) * scale); ++y)
    rows += image.pixelColor(static_cast<int>(column * scale), y) == QColor(Qt::black);
  return rows;
}

TEST(GraphExport, hairlinesKeepTheirWidthInGraphPixels) {
  SampleGraph g;
  ASSERT_EQ(g.graph.XAxis().AxisPen().widthF(), 0.0);
  const QImage plain = RenderGraphImage(g.graph);
  EXPECT_EQ(AxisLineThickness(g.graph, plain, 1), 1);
  g.graph.SetBitmapScale(3);
  const QImage fine = RenderGraphImage(g.graph);
  EXPECT_EQ(AxisLineThickness(g.graph, fine, 3), 3);
}

TEST(GraphExport, antialiasingTouchesOnlyTheSeries) {
  SampleGraph g;
  const QImage plain = RenderGraphImage(g.graph);
  g.graph.SetAntialiasSeries(true);
  const QImage smooth = RenderGraphImage(g.graph);
  int changed = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) == smooth.pixel(x, y)) continue;
      ++changed;
      // Near the red diagonal, which runs through (0, 0) of the graph.
      const QPoint origin = g.graph.GetXYPoint(0, 0);
      const QPoint corner = g.graph.GetXYPoint(10, 10);
      const double dx = corner.x() - origin.x(), dy = corner.y() - origin.y();
      const double distance = std::fabs(dy * (x - origin.x()) - dx * (y - origin.y())) / std::hypot(dx, dy);
      ASSERT_LT(distance, 4) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 100);
}

TEST(GraphExport, enhancedMetafileFramesTheWholeGraph) {
  SampleGraph g;
  const QByteArray bytes = RenderGraphPicture(g.graph, PictureFormat::Emf);
  const test::Walk walk = test::WalkEmf(bytes);
  ASSERT_EQ(walk.error, "");
  EXPECT_EQ(test::EmfHeaderBounds(bytes), QRect(0, 0, 400, 300));
  EXPECT_EQ(test::EmfHeaderFrame(bytes).bottomRight(), QPoint(10583 - 1, 7938 - 1));
  EXPECT_FALSE(walk.OfType(emr::ExtTextOutW).empty());  // the axis labels
  EXPECT_TRUE(walk.OfType(emr::StretchDIBits).empty());  // no pixels, only drawing records
  // The series is clipped to the plot rectangle as on screen.
  EXPECT_FALSE(walk.OfType(emr::ExtSelectClipRgn).empty());
  // The red pen of the curve is among the pens.
  bool redPen = false;
  for (const test::Record& r : walk.OfType(emr::CreatePen)) redPen |= test::U32(bytes, r.offset + 24) == 0x0000FFu;
  EXPECT_TRUE(redPen);
}

TEST(GraphExport, everyFormatIsRecognisable) {
  struct Case {
    PictureFormat format;
    QByteArray start;
  };
  const Case cases[] = {{PictureFormat::Bmp, "BM"},
                        {PictureFormat::Png, "\x89PNG"},
                        {PictureFormat::Pdf, "%PDF"},
                        {PictureFormat::Emf, QByteArray("\x01\x00\x00\x00", 4)},
                        {PictureFormat::Wmf, QByteArray("\xD7\xCD\xC6\x9A", 4)}};
  SampleGraph g;
  for (const Case& c : cases) {
    EXPECT_TRUE(RenderGraphPicture(g.graph, c.format).startsWith(c.start)) << PictureExtension(c.format).toStdString();
  }
  const QByteArray svg = RenderGraphPicture(g.graph, PictureFormat::Svg);
  EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
  EXPECT_TRUE(svg.contains("viewBox=\"0 0 400 300\""));
  EXPECT_EQ(test::WalkWmf(RenderGraphPicture(g.graph, PictureFormat::Wmf)).error, "");
}

TEST(GraphExport, theGraphsOwnSaveOperationsWriteTheirFormats) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  SampleGraph g;
  g.graph.SaveToBitmapFile(dir.filePath(QStringLiteral("a.bmp")));
  g.graph.SaveToMetafileEnh(dir.filePath(QStringLiteral("a.emf")));
  g.graph.SaveToMetafile(dir.filePath(QStringLiteral("a.wmf")));
  EXPECT_EQ(QImage(dir.filePath(QStringLiteral("a.bmp")), "BMP").size(), QSize(400, 300));
  EXPECT_EQ(test::WalkEmf(ReadAll(dir.filePath(QStringLiteral("a.emf")))).error, "");
  EXPECT_EQ(test::WalkWmf(ReadAll(dir.filePath(QStringLiteral("a.wmf")))).error, "");
}

TEST(GraphExport, aFailedDrawingLeavesTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("keep.emf"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
  }
  SampleGraph g;
  // A rejected maximum stays stored, so the next drawing fails on the range.
  EXPECT_THROW(g.graph.XAxis().SetMax(-20), EXYGraphAxisError);
  EXPECT_THROW(SaveGraphPicture(g.graph, path, PictureFormat::Emf), EXYGraphAxisError);
  EXPECT_EQ(ReadAll(path), QByteArray("old"));
}

TEST(GraphExport, anUnwritableFileIsReportedWithItsName) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/graph.bmp"));
  SampleGraph g;
  try {
    SaveGraphPicture(g.graph, path, PictureFormat::Bmp);
    ADD_FAILURE() << "no failure";
  } catch (const GraphExportError& e) {
    EXPECT_NE(std::string(e.what()).find("graph.bmp"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(QFile::exists(path));
}

TEST(GraphExport, clipboardMetafileCarriesSvgAndABitmapToo) {
  SampleGraph g;
  std::unique_ptr<QMimeData> enhanced(MetafileMimeData(g.graph, true));
  EXPECT_EQ(test::WalkEmf(enhanced->data(QString::fromLatin1(EmfMimeType))).error, "");
  EXPECT_TRUE(enhanced->data(QString::fromLatin1(SvgMimeType)).contains("<svg"));
  EXPECT_TRUE(enhanced->hasImage());
  std::unique_ptr<QMimeData> classic(MetafileMimeData(g.graph, false));
  EXPECT_EQ(test::WalkWmf(classic->data(QString::fromLatin1(WmfMimeType))).error, "");
  std::unique_ptr<QMimeData> bitmap(BitmapMimeData(g.graph));
  EXPECT_EQ(qvariant_cast<QImage>(bitmap->imageData()).size(), QSize(400, 300));
}

TEST(GraphExport, copyingPutsThePictureOnTheClipboard) {
  SampleGraph g;
  QClipboard* clipboard = QGuiApplication::clipboard();
  g.graph.CopyToClipboardMetafile(true);
  ASSERT_NE(clipboard->mimeData(), nullptr);
  EXPECT_EQ(test::WalkEmf(clipboard->mimeData()->data(QString::fromLatin1(EmfMimeType))).error, "");
  EXPECT_TRUE(clipboard->mimeData()->hasFormat(QString::fromLatin1(SvgMimeType)));
  g.graph.CopyToClipboardBitmap();
  EXPECT_EQ(clipboard->image().size(), QSize(400, 300));
  EXPECT_FALSE(clipboard->mimeData()->hasFormat(QString::fromLatin1(EmfMimeType)));
}

}  // namespace
}  // namespace zc
