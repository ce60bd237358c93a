// A paint device whose drawings become a Windows metafile. The graph draws
// on it through the same QPainter calls it uses on screen; the engine turns
// each call into device-context records (pens, brushes, fonts, polylines,
// polygons, rectangles, ellipses, text, clip regions) for the enhanced
// (.emf) or the placeable classic (.wmf) format.
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace zc {

class MetafilePaintEngine;
class MetafileRecorder;

enum class MetafileFormat {
  Enhanced,   // .emf
  Placeable,  // .wmf with the placeable header
};

class MetafilePaintDevice : public QPaintDevice {
 public:
  // A picture of `size` pixels at 96 pixels per inch.
  MetafilePaintDevice(QSize size, MetafileFormat format);
  ~MetafilePaintDevice() override;
  MetafilePaintDevice(const MetafilePaintDevice&) = delete;
  MetafilePaintDevice& operator=(const MetafilePaintDevice&) = delete;

  QPaintEngine* paintEngine() const override;
  QSize Size() const { return size_; }
  MetafileFormat Format() const { return format_; }

  // The file bytes, complete once the painter on this device has ended.
  // Empty while painting is under way or before anything was painted.
  const QByteArray& Data() const { return data_; }

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  friend class MetafilePaintEngine;
  void SetData(QByteArray data) { data_ = std::move(data); }

  QSize size_;
  MetafileFormat format_;
  QByteArray data_;
  std::unique_ptr<MetafilePaintEngine> engine_;
};

}  // namespace zc
