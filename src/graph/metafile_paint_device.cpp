#include "metafile_paint_device.h"

#include "emf_writer.h"
#include "metafile_paint_engine.h"
#include "wmf_writer.h"

#include <cmath>

namespace zc {

namespace {
constexpr int kDotsPerInch = 96;

std::unique_ptr<MetafileRecorder> RecorderFor(MetafileFormat format) {
  if (format == MetafileFormat::Placeable) return std::make_unique<WmfWriter>();
  return std::make_unique<EmfWriter>();
}
}  // namespace

MetafilePaintDevice::MetafilePaintDevice(QSize size, MetafileFormat format)
    : size_(size.expandedTo(QSize(1, 1))),
      format_(format),
      engine_(std::make_unique<MetafilePaintEngine>(RecorderFor(format))) {}

MetafilePaintDevice::~MetafilePaintDevice() = default;

QPaintEngine* MetafilePaintDevice::paintEngine() const { return engine_.get(); }

int MetafilePaintDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return static_cast<int>(std::lround(size_.width() * 25.4 / kDotsPerInch));
    case PdmHeightMM: return static_cast<int>(std::lround(size_.height() * 25.4 / kDotsPerInch));
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return kDotsPerInch;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
  }
  return 0;
}

}  // namespace zc
