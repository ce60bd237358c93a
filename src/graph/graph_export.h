// Pictures of a graph: bitmaps, metafiles, SVG and PDF, for files and the
// clipboard. Every format is drawn by the graph's own DrawGraph on the
// matching device, at the graph's client size.
#pragma once

#include "metafile_paint_device.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <stdexcept>

class QMimeData;

namespace zc {

class TXYGraph;

// A picture that could not be written. The message names the file and the
// reason in Japanese, ready for an error box.
class GraphExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class PictureFormat { Bmp, Png, Svg, Emf, Wmf, Pdf };

// The format a file name's extension asks for (case ignored), or nothing.
std::optional<PictureFormat> PictureFormatForFileName(const QString& fileName);
// The extension of a format, without the dot: "bmp", "emf", …
QString PictureExtension(PictureFormat format);

// Pixel size of a bitmap of a client area drawn at `scale` device pixels
// per graph pixel.
QSize ScaledPictureSize(const QSize& clientSize, double scale);

// Axis failures of the drawing (EXYGraphAxisError) pass through all of
// these unchanged. Bitmaps have the graph's client size times its
// BitmapScale in pixels.
QImage RenderGraphImage(TXYGraph& graph);
QByteArray RenderGraphMetafile(TXYGraph& graph, MetafileFormat format);
QByteArray RenderGraphSvg(TXYGraph& graph);
QByteArray RenderGraphPdf(TXYGraph& graph);
// The whole file content of a picture in `format`.
QByteArray RenderGraphPicture(TXYGraph& graph, PictureFormat format);

// Draws the picture first and only then replaces the file, atomically, so a
// failed drawing or a full disk never leaves a broken or half-written file.
// Throws GraphExportError when the file cannot be written.
void SaveGraphPicture(TXYGraph& graph, const QString& fileName, PictureFormat format);

// Clipboard contents: the bitmap; or the metafile together with the same
// picture as SVG and as a bitmap, so programs that take no metafiles still
// paste it.
QMimeData* BitmapMimeData(TXYGraph& graph);
QMimeData* MetafileMimeData(TXYGraph& graph, bool enhanced);

// Mime types of the metafile formats on the clipboard.
inline constexpr const char* EmfMimeType = "image/x-emf";
inline constexpr const char* WmfMimeType = "image/x-wmf";
inline constexpr const char* SvgMimeType = "image/svg+xml";

}  // namespace zc
