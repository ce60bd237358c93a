#include "metafile_recorder.h"

namespace zc {

QByteArray DeviceIndependentBitmapHeader(const QImage& image) {
  RecordBuffer header;
  header.Put32(40);
  header.PutS32(image.width());
  header.PutS32(image.height());  // positive: rows run bottom-up
  header.Put16(1);                // planes
  header.Put16(32);               // bits per pixel
  header.Put32(0);                // uncompressed RGB
  header.Put32(static_cast<std::uint32_t>(image.width()) * static_cast<std::uint32_t>(image.height()) * 4);
  header.PutS32(3780);  // 96 pixels per inch in pixels per metre
  header.PutS32(3780);
  header.Put32(0);
  header.Put32(0);
  return header.Take();
}

QByteArray DeviceIndependentBitmapBits(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  RecordBuffer bits;
  for (int y = rgb.height() - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      bits.Put8(static_cast<std::uint8_t>(qBlue(row[x])));
      bits.Put8(static_cast<std::uint8_t>(qGreen(row[x])));
      bits.Put8(static_cast<std::uint8_t>(qRed(row[x])));
      bits.Put8(0);
    }
  }
  return bits.Take();
}

}  // namespace zc
