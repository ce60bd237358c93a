// Pens as the device being drawn on needs them.
#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace zc {

// A hairline pen (width 0) is one device pixel wide whatever the painter's
// scale. On a device with several pixels per graph pixel (a high-DPI screen,
// a picture drawn at a larger scale) that would make the axis and its ticks
// thinner than the one-pixel grid and curves, so there it becomes one graph
// pixel wide like them. At one device pixel per graph pixel (every saved
// picture at its plain size, every metafile) the pen stays as it is.
inline QPen PenForDevice(const QPainter& painter, const QPen& pen) {
  const QPaintDevice* device = painter.device();
  if (device == nullptr || device->devicePixelRatioF() <= 1.0 || !pen.isCosmetic()) return pen;
  QPen scaled = pen;
  scaled.setCosmetic(false);
  if (scaled.widthF() == 0) scaled.setWidthF(1.0);
  return scaled;
}

}  // namespace zc
