// The x–y chart: a title, a plot rectangle with background, grid and
// sub-grid, two crossing axes and any number of series drawn in list order.
// It is not a widget: it holds the layout and drawing state for a client
// area of a given size and draws itself on any QPainter through DrawGraph,
// the one draw path for the screen (graph_view.h), bitmaps, metafiles, SVG
// and PDF. Property changes only emit changed(); the next drawing lays
// everything out again for the device being drawn on.
#pragma once

#include "graph_axis.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <random>
#include <vector>

class QFontMetrics;
class QPainter;

namespace zc {

class TXYGraphSeries;

enum TGraphGridStyle { gsNone, gsHorizontal, gsVertical, gsBoth };
enum TTitleAlignment { taLeftJustify, taRightJustify, taCenter };

// Colours handed to series that were attached without one, in this order.
inline constexpr std::array<QRgb, 16> SeriesColors = {
    qRgb(255, 0, 0),   qRgb(0, 128, 0),     qRgb(0, 0, 255),     qRgb(255, 0, 255),
    qRgb(0, 128, 128), qRgb(0, 0, 128),     qRgb(128, 0, 0),     qRgb(0, 255, 0),
    qRgb(128, 128, 0), qRgb(128, 0, 128),   qRgb(192, 192, 192), qRgb(0, 255, 255),
    qRgb(0, 0, 0),     qRgb(255, 255, 0),   qRgb(255, 255, 255), qRgb(128, 128, 128)};

class TXYGraph : public QObject {
  Q_OBJECT

 public:
  using TNotifyEvent = std::function<void(TXYGraph& sender)>;

  explicit TXYGraph(QObject* parent = nullptr);
  // Frees the series still attached, last first.
  ~TXYGraph() override;

  TGraphAxis& XAxis() { return *FXAxis; }
  const TGraphAxis& XAxis() const { return *FXAxis; }
  TGraphAxis& YAxis() { return *FYAxis; }
  const TGraphAxis& YAxis() const { return *FYAxis; }

  // --- size of the drawing (300 × 200 until the host says otherwise) -------
  QSize ClientSize() const { return FClientSize; }
  void SetClientSize(const QSize& size);
  int Width() const { return FClientSize.width(); }
  int Height() const { return FClientSize.height(); }
  QRect ClientRect() const { return QRect(QPoint(0, 0), FClientSize); }

  // --- appearance ------------------------------------------------------------
  // Fill of the area outside the plot rectangle.
  const QColor& Color() const { return FColor; }
  void SetColor(const QColor& value);
  const QColor& BackColor() const { return FBackColor; }
  void SetBackColor(const QColor& value);
  bool AutoAspectRatio() const { return FAutoAspectRatio; }
  void SetAutoAspectRatio(bool value);
  bool AxesFront() const { return FAxesFront; }
  void SetAxesFront(bool value);
  const QPen& GridPen() const { return FGridPen; }
  void SetGridPen(const QPen& value);
  const QPen& SubGridPen() const { return FSubGridPen; }
  void SetSubGridPen(const QPen& value);
  TGraphGridStyle GridStyle() const { return FGridStyle; }
  // gsNone also switches the sub-grid off.
  void SetGridStyle(TGraphGridStyle value);
  bool SubGrid() const { return FSubGrid; }
  // Ignored while there is no grid.
  void SetSubGrid(bool value);
  const QString& PiSymbol() const { return FPiSymbol; }
  void SetPiSymbol(const QString& value);
  const QFont& TitleFont() const { return FTitleFont; }
  void SetTitleFont(const QFont& value);
  // One text line per entry.
  const QStringList& Title() const { return FTitle; }
  void SetTitle(const QStringList& value);
  TTitleAlignment TitleAlignment() const { return FTitleAlignment; }
  void SetTitleAlignment(TTitleAlignment value);

  // Series drawn with smoothed (antialiased) edges; the grid, axes and
  // labels stay on whole pixels either way.
  bool AntialiasSeries() const { return FAntialiasSeries; }
  void SetAntialiasSeries(bool value);
  // Device pixels per graph pixel of bitmap pictures: the layout stays that
  // of the client size, drawn that many times finer.
  double BitmapScale() const { return FBitmapScale; }
  void SetBitmapScale(double value);

  const TNotifyEvent& OnAfterDraw() const { return FOnAfterDraw; }
  void SetOnAfterDraw(TNotifyEvent handler) { FOnAfterDraw = std::move(handler); }

  // --- series ----------------------------------------------------------------
  // Attaching and detaching go through the series' SetParentGraph.
  void AddSeries(TXYGraphSeries* series);
  void RemoveSeries(TXYGraphSeries* series);
  int SeriesCount() const { return static_cast<int>(FSeriesList.size()); }
  TXYGraphSeries* Series(int index) const;
  // Replaces the list entry only.
  void SetSeries(int index, TXYGraphSeries* series);
  int SeriesIndexOf(const TXYGraphSeries* series) const;
  void SeriesUp(TXYGraphSeries* series);
  void SeriesDown(TXYGraphSeries* series);
  QColor GetFreeColor() const;
  bool IsColorFree(const QColor& color) const;

  // Extremes over the active series with data; the axis ends without any.
  double MinXValue() const;
  double MaxXValue() const;
  double MinYValue() const;
  double MaxYValue() const;

  QPoint GetXYPoint(double x, double y) const;

  // --- drawing ---------------------------------------------------------------
  // Lays out for the painter's device and draws everything. Axis failures
  // propagate; the painter is left as it was found.
  void DrawGraph(QPainter& painter);
  void CalcLayout();
  virtual void AlignAxes();
  // The painter of the drawing in progress, or nullptr between drawings.
  QPainter* Canvas() const { return FGraphCanvas; }
  // Font metrics on the current drawing's device (screen metrics between
  // drawings).
  QFontMetrics MetricsFor(const QFont& font) const;
  QRect PlotArea() const { return FPlotArea; }
  int PlotWidth() const { return FPlotWidth; }
  int PlotHeight() const { return FPlotHeight; }
  QRect WorkRect() const { return FWorkRect; }
  int TitleSize() const { return FTitleSize; }

  // While set, series are not clipped to the plot rectangle: metafile
  // exports keep the whole drawing.
  bool Metafiling() const { return FMetafiling; }
  void SetMetafiling(bool value) { FMetafiling = value; }
  class TMetafilingGuard {
   public:
    explicit TMetafilingGuard(TXYGraph& graph) : FGraph(graph) { FGraph.SetMetafiling(true); }
    ~TMetafilingGuard() { FGraph.SetMetafiling(false); }
    TMetafilingGuard(const TMetafilingGuard&) = delete;
    TMetafilingGuard& operator=(const TMetafilingGuard&) = delete;

   private:
    TXYGraph& FGraph;
  };

  // --- restoring from saved data ---------------------------------------------
  // While loading, axis setters only store their values; Loaded validates
  // the ranges once everything is in.
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }
  virtual void Loaded();

  // --- exports (defined with the picture writers in graph_export.cpp) ---------
  void CopyToClipboardBitmap();
  void SaveToBitmapFile(const QString& fileName);
  void CopyToClipboardMetafile(bool enhanced);
  void SaveToMetafile(const QString& fileName);
  void SaveToMetafileEnh(const QString& fileName);

  // Random state of the demonstration data.
  std::mt19937& RandomState() { return FRandom; }
  void ReseedRandom();

  // Emits changed(): the host repaints.
  void Invalidate();

 signals:
  void changed();

 private:
  friend class TXYGraphSeries;
  void AttachSeries(TXYGraphSeries* series);
  void DetachSeries(TXYGraphSeries* series);
  void DrawTitle(QPainter& painter);
  void DrawSeries(QPainter& painter);
  void DrawGrid(QPainter& painter);
  void DrawAxes(QPainter& painter);
  void SetClipRect(QPainter& painter, const QRect& rect);
  void UpdatePlotArea();
  // Lower end of an axis that puts its crossing value at pixel `target`
  // while its upper end stays.
  static double ShiftedMinPos(const TGraphAxis& axis, double target, bool& defined);

  QSize FClientSize{300, 200};
  QColor FColor{240, 240, 240};
  bool FAutoAspectRatio = false;
  QColor FBackColor{Qt::white};
  std::unique_ptr<TGraphAxis> FXAxis;
  std::unique_ptr<TGraphAxis> FYAxis;
  QPen FGridPen;
  QPen FSubGridPen;
  TGraphGridStyle FGridStyle = gsNone;
  bool FSubGrid = false;
  QFont FTitleFont;
  QStringList FTitle;
  int FTitleSize = 0;
  TTitleAlignment FTitleAlignment = taLeftJustify;
  QString FPiSymbol = QStringLiteral("Pi");
  QPainter* FGraphCanvas = nullptr;
  QRect FWorkRect;
  QRect FPlotArea;
  int FPlotWidth = 0;
  int FPlotHeight = 0;
  std::vector<TXYGraphSeries*> FSeriesList;
  bool FMetafiling = false;
  bool FAxesFront = false;
  bool FAntialiasSeries = false;
  double FBitmapScale = 1.0;
  bool FLoading = false;
  bool FDestroying = false;
  TNotifyEvent FOnAfterDraw;
  std::mt19937 FRandom;
};

}  // namespace zc
