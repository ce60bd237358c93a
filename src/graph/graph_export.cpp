#include "graph_export.h"

#include "atomic_file_writer.h"
#include "xy_graph.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace zc {

namespace {
constexpr int kDotsPerInch = 96;

QByteArray EncodeImage(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) {
    throw GraphExportError(QStringLiteral("画像を %1 形式に変換できません").arg(QString::fromLatin1(format)).toStdString());
  }
  return bytes;
}
}  // namespace

std::optional<PictureFormat> PictureFormatForFileName(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == u"bmp") return PictureFormat::Bmp;
  if (suffix == u"png") return PictureFormat::Png;
  if (suffix == u"svg") return PictureFormat::Svg;
  if (suffix == u"emf") return PictureFormat::Emf;
  if (suffix == u"wmf") return PictureFormat::Wmf;
  if (suffix == u"pdf") return PictureFormat::Pdf;
  return std::nullopt;
}

QString PictureExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return QStringLiteral("bmp");
    case PictureFormat::Png: return QStringLiteral("png");
    case PictureFormat::Svg: return QStringLiteral("svg");
    case PictureFormat::Emf: return QStringLiteral("emf");
    case PictureFormat::Wmf: return QStringLiteral("wmf");
    case PictureFormat::Pdf: return QStringLiteral("pdf");
  }
  return {};
}

QSize ScaledPictureSize(const QSize& clientSize, double scale) {
  return QSize(static_cast<int>(std::lround(clientSize.width() * scale)),
               static_cast<int>(std::lround(clientSize.height() * scale)));
}

QImage RenderGraphImage(TXYGraph& graph) {
  // At a bitmap scale the image has that many more pixels and a painter
  // that maps the graph's layout onto them, so lines and text are drawn
  // finer rather than enlarged afterwards.
  const double scale = graph.BitmapScale();
  const QSize client = graph.ClientSize().expandedTo(QSize(1, 1));
  QImage image(ScaledPictureSize(client, scale), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  // Fonts are sized by the resolution the image reports while it is drawn.
  const auto setDotsPerInch = [&image](double dotsPerInch) {
    image.setDotsPerMeterX(static_cast<int>(dotsPerInch / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dotsPerInch / 0.0254 + 0.5));
  };
  setDotsPerInch(kDotsPerInch);
  image.fill(Qt::white);
  QPainter painter(&image);
  graph.DrawGraph(painter);
  painter.end();
  // The finer picture prints at the same size as the plain one.
  if (scale != 1.0) setDotsPerInch(kDotsPerInch * scale);
  return image;
}

QByteArray RenderGraphMetafile(TXYGraph& graph, MetafileFormat format) {
  // The plot rectangle clips the series here just as on screen: a metafile
  // shows the same picture as the window and the bitmap.
  MetafilePaintDevice device(graph.ClientSize(), format);
  QPainter painter(&device);
  graph.DrawGraph(painter);
  painter.end();
  return device.Data();
}

QByteArray RenderGraphSvg(TXYGraph& graph) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(graph.ClientSize());
  generator.setViewBox(graph.ClientRect());
  generator.setResolution(kDotsPerInch);
  generator.setTitle(QStringLiteral("グラフ"));
  QPainter painter(&generator);
  graph.DrawGraph(painter);
  painter.end();
  return bytes;
}

QByteArray RenderGraphPdf(TXYGraph& graph) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    const QSize size = graph.ClientSize().expandedTo(QSize(1, 1));
    // One page exactly the picture's size, one unit per pixel.
    writer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(size.width() * 72.0 / kDotsPerInch, size.height() * 72.0 / kDotsPerInch), QPageSize::Point),
        QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(kDotsPerInch);
    writer.setCreator(QStringLiteral("ZeltaCalc"));
    writer.setTitle(QStringLiteral("グラフ"));
    QPainter painter(&writer);
    graph.DrawGraph(painter);
    painter.end();
  }
  return bytes;
}

QByteArray RenderGraphPicture(TXYGraph& graph, PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return EncodeImage(RenderGraphImage(graph), "BMP");
    case PictureFormat::Png: return EncodeImage(RenderGraphImage(graph), "PNG");
    case PictureFormat::Svg: return RenderGraphSvg(graph);
    case PictureFormat::Emf: return RenderGraphMetafile(graph, MetafileFormat::Enhanced);
    case PictureFormat::Wmf: return RenderGraphMetafile(graph, MetafileFormat::Placeable);
    case PictureFormat::Pdf: return RenderGraphPdf(graph);
  }
  return {};
}

void SaveGraphPicture(TXYGraph& graph, const QString& fileName, PictureFormat format) {
  const QByteArray bytes = RenderGraphPicture(graph, format);
  try {
    WriteFileAtomically(QFile::encodeName(fileName).toStdString(),
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const FileError& error) {
    throw GraphExportError(error.what());
  }
}

QMimeData* BitmapMimeData(TXYGraph& graph) {
  auto* data = new QMimeData;
  data->setImageData(RenderGraphImage(graph));
  return data;
}

QMimeData* MetafileMimeData(TXYGraph& graph, bool enhanced) {
  // Draw everything before building the clipboard data, so a failing
  // drawing leaves nothing half-made behind.
  const QByteArray metafile =
      RenderGraphMetafile(graph, enhanced ? MetafileFormat::Enhanced : MetafileFormat::Placeable);
  const QByteArray svg = RenderGraphSvg(graph);
  const QImage image = RenderGraphImage(graph);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(enhanced ? EmfMimeType : WmfMimeType), metafile);
  data->setData(QString::fromLatin1(SvgMimeType), svg);
  data->setImageData(image);
  return data;
}

// --- the graph's own export operations ----------------------------------------

void TXYGraph::CopyToClipboardBitmap() {
  QMimeData* data = BitmapMimeData(*this);
  QGuiApplication::clipboard()->setMimeData(data);
}

void TXYGraph::SaveToBitmapFile(const QString& fileName) { SaveGraphPicture(*this, fileName, PictureFormat::Bmp); }

void TXYGraph::CopyToClipboardMetafile(bool enhanced) {
  QMimeData* data = MetafileMimeData(*this, enhanced);
  QGuiApplication::clipboard()->setMimeData(data);
}

void TXYGraph::SaveToMetafile(const QString& fileName) { SaveGraphPicture(*this, fileName, PictureFormat::Wmf); }

void TXYGraph::SaveToMetafileEnh(const QString& fileName) { SaveGraphPicture(*this, fileName, PictureFormat::Emf); }

}  // namespace zc
