#include "graph_tool_window.h"

#include "graph_error.h"
#include "graph_view.h"
#include "number_text.h"
#include "plot_sampling.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <optional>

namespace zc {

namespace {

// Height the side panel needs; the graph panel is at least as high.
constexpr int kGraphPanelHeight = 470;

const QStringList& ScaleItems() {
  static const QStringList items = {QStringLiteral("リニア"), QStringLiteral("対数"), QStringLiteral("パーセント"),
                                    QStringLiteral("π")};
  return items;
}

// A range edit's number; a text that is not one counts as 0.
double EditNumber(const QLineEdit* edit) {
  return ReadDecimal<double>(edit->text().toStdString(), kTypedDecimal).ValueOr(0.0);
}

QString NumberText(double value) { return QString::fromStdString(ResultText(static_cast<long double>(value))); }

}  // namespace

TForm5::TForm5(EngineContext& context, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), FContext(context), FPrompts(prompts) {
  setWindowTitle(QStringLiteral("グラフ"));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  QFont windowFont = font();
  windowFont.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  setFont(windowFont);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  auto* top = new QHBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);
  Panel1 = new QWidget(this);
  Panel1->setMinimumHeight(kGraphPanelHeight);
  auto* graphLayout = new QVBoxLayout(Panel1);
  graphLayout->setContentsMargins(0, 0, 0, 0);
  graphLayout->setSpacing(0);
  XYGraph1 = new TGraphView(Panel1);
  graphLayout->addWidget(XYGraph1, 1);
  // The axis values under the cursor, in a small line under the graph.
  Label10 = new QLabel(Panel1);
  Label10->setContentsMargins(6, 1, 6, 1);
  Label10->setFixedHeight(Label10->sizeHint().height());
  graphLayout->addWidget(Label10);
  top->addWidget(Panel1, 1);
  Panel4 = CreateRightPanel();
  top->addWidget(Panel4);
  outer->addLayout(top, 1);

  for (int i = 0; i < kFormulaRows; ++i) {
    FormulaRows[static_cast<std::size_t>(i)] = CreateFormulaRow(i);
    outer->addWidget(FormulaRows[static_cast<std::size_t>(i)]);
  }

  // Red banner over the graph's top-left corner.
  Panel6 = new QLabel(XYGraph1);
  Panel6->setGeometry(8, 8, 289, 41);
  Panel6->setWordWrap(true);
  Panel6->setAlignment(Qt::AlignCenter);
  Panel6->setFrameShape(QFrame::Panel);
  Panel6->setAutoFillBackground(true);
  QFont bannerFont = Panel6->font();
  bannerFont.setBold(true);
  Panel6->setFont(bannerFont);
  QPalette bannerPalette = Panel6->palette();
  bannerPalette.setColor(QPalette::WindowText, QColor(225, 0, 0));
  Panel6->setPalette(bannerPalette);
  Panel6->hide();

  PopupMenu1 = new QMenu(this);
  C1 = PopupMenu1->addAction(QStringLiteral("ビットマップ形式でコピー(&B)"), this, &TForm5::C1Click);
  V1 = PopupMenu1->addAction(QStringLiteral("ベクター形式でコピー(&V)"), this, &TForm5::V1Click);
  S1 = PopupMenu1->addAction(QStringLiteral("名前を付けて保存(&S)..."), this, &TForm5::S1Click);
  PopupMenu1->addSeparator();
  R1 = PopupMenu1->addAction(QStringLiteral("範囲を元に戻す"), this, &TForm5::R1Click);
  XYGraph1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(XYGraph1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(XYGraph1->mapToGlobal(at)); });
  // A failure while drawing (data an axis setting cannot take) shows where
  // range failures show.
  connect(XYGraph1, &TGraphView::drawFailed, this, &TForm5::ShowBanner);
  connect(XYGraph1, &TGraphView::zoomRequested, this,
          [this](const QPointF& at, double xFactor, double yFactor) {
            ZoomAt(at, xFactor, yFactor);
            ShowCursorPosition(at);
          });
  connect(XYGraph1, &TGraphView::panStarted, this, &TForm5::BeginPan);
  connect(XYGraph1, &TGraphView::panMoved, this, &TForm5::PanTo);
  connect(XYGraph1, &TGraphView::panFinished, this, &TForm5::EndPan);
  connect(XYGraph1, &TGraphView::resetRequested, this, &TForm5::RestorePanelRange);
  connect(XYGraph1, &TGraphView::cursorMoved, this, &TForm5::ShowCursorPosition);
  connect(XYGraph1, &TGraphView::cursorLeft, Label10, &QLabel::clear);

  FSeries = ConfigureToolGraph(XYGraph1->Graph());
  FormCreate();
}

TForm5::~TForm5() = default;

TXYGraph& TForm5::Graph() { return XYGraph1->Graph(); }

QWidget* TForm5::CreateRightPanel() {
  auto* panel = new QWidget(this);
  panel->setFixedWidth(kRightPanelWidth);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(6, 6, 6, 6);

  const auto axisBox = [&](const QString& title, QLineEdit*& maxEdit, QLineEdit*& minEdit, QLineEdit*& stepEdit,
                           QComboBox*& scale) {
    auto* box = new QGroupBox(title, panel);
    auto* grid = new QGridLayout(box);
    const auto row = [&](int r, const QString& label, QWidget* field) {
      grid->addWidget(new QLabel(label, box), r, 0);
      grid->addWidget(field, r, 1);
    };
    maxEdit = new QLineEdit(box);
    minEdit = new QLineEdit(box);
    stepEdit = new QLineEdit(box);
    scale = new QComboBox(box);
    scale->addItems(ScaleItems());
    scale->setCurrentIndex(0);
    row(0, QStringLiteral("最大値"), maxEdit);
    row(1, QStringLiteral("最小値"), minEdit);
    row(2, QStringLiteral("目盛り間隔"), stepEdit);
    row(3, QStringLiteral("目盛りタイプ"), scale);
    for (QLineEdit* edit : {maxEdit, minEdit, stepEdit}) {
      edit->installEventFilter(this);
      connect(edit, &QLineEdit::textChanged, this, &TForm5::Edit1Change);
    }
    connect(scale, &QComboBox::currentIndexChanged, this, &TForm5::Edit1Change);
    layout->addWidget(box);
    return box;
  };
  GroupBox1 = axisBox(QStringLiteral("X軸"), Edit1, Edit2, Edit3, ComboBox1);
  GroupBox2 = axisBox(QStringLiteral("Y軸"), Edit4, Edit5, Edit6, ComboBox2);

  RadioGroup1 = new QGroupBox(QStringLiteral("シート数"), panel);
  RadioGroup1Buttons = new QButtonGroup(RadioGroup1);
  auto* rowsLayout = new QHBoxLayout(RadioGroup1);
  for (int i = 0; i < kFormulaRows; ++i) {
    auto* button = new QRadioButton(QString::number(i + 1), RadioGroup1);
    RadioGroup1Buttons->addButton(button, i);
    rowsLayout->addWidget(button);
  }
  RadioGroup1Buttons->button(0)->setChecked(true);
  connect(RadioGroup1Buttons, &QButtonGroup::idClicked, this, &TForm5::RadioGroup1Click);
  layout->addWidget(RadioGroup1);

  GroupBox3 = new QGroupBox(QStringLiteral("プロット間隔"), panel);
  GroupBox3->installEventFilter(this);
  auto* spacing = new QGridLayout(GroupBox3);
  TrackBar1 = new QSlider(Qt::Horizontal, GroupBox3);
  TrackBar1->setRange(kTrackBarMin, kTrackBarMax);
  TrackBar1->setValue(kTrackBarMin);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(50);
  TrackBar1->setSingleStep(10);
  TrackBar1->setPageStep(10);
  Label8 = new QLabel(QStringLiteral("< FINE"), GroupBox3);
  Label9 = new QLabel(QStringLiteral("RUDE >"), GroupBox3);
  Label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SpeedButton1 = new QToolButton(GroupBox3);
  SpeedButton1->setText(QStringLiteral("自動調節"));
  SpeedButton1->setCheckable(true);
  SpeedButton1->setChecked(true);
  connect(SpeedButton1, &QToolButton::clicked, this, &TForm5::SpeedButton1Click);
  spacing->addWidget(TrackBar1, 0, 0, 1, 2);
  spacing->addWidget(Label8, 1, 0);
  spacing->addWidget(Label9, 1, 1);
  spacing->addWidget(SpeedButton1, 2, 0, 1, 2, Qt::AlignRight);
  layout->addWidget(GroupBox3);
  layout->addStretch(1);
  return panel;
}

QFrame* TForm5::CreateFormulaRow(int index) {
  auto* row = new QFrame(this);
  row->setFrameShape(QFrame::StyledPanel);
  row->setFixedHeight(kRowHeight);
  auto* layout = new QHBoxLayout(row);
  auto* swatch = new QFrame(row);
  swatch->setFixedSize(24, 24);
  swatch->setAutoFillBackground(true);
  QPalette swatchPalette = swatch->palette();
  swatchPalette.setColor(QPalette::Window, QColor(SwatchColors[static_cast<std::size_t>(index)]));
  swatch->setPalette(swatchPalette);
  layout->addWidget(swatch);
  layout->addWidget(new QLabel(QStringLiteral(" y="), row));
  auto* edit = new QLineEdit(row);
  FormulaEdits[static_cast<std::size_t>(index)] = edit;
  layout->addWidget(edit, 1);
  auto* button = new QPushButton(QStringLiteral("プロット"), row);
  PlotButtons[static_cast<std::size_t>(index)] = button;
  layout->addWidget(button);
  static constexpr void (TForm5::*kHandlers[kFormulaRows])() = {&TForm5::Button2Click, &TForm5::Button3Click,
                                                                &TForm5::Button4Click};
  connect(button, &QPushButton::clicked, this, kHandlers[index]);
  return row;
}

void TForm5::FormCreate() {
  resize(kClientWidth, kGraphPanelHeight + kRowHeight);
  SpeedButton1Click();
  RadioGroup1Click();
}

void TForm5::ResetRangeAndShow() {
  SetGraphRange(10, -10, 5, 10, -10, 5, asNormal, asNormal);
  exec();
}

bool TForm5::SetGraphRange(double XMax, double XMin, double XStep, double YMax, double YMin, double YStep,
                           TAxisScale XType, TAxisScale YType) {
  Panel6->hide();
  try {
    ApplyGraphRange(Graph(), TGraphRange{XMax, XMin, XStep, YMax, YMin, YStep, XType, YType});
  } catch (const EXYGraphAxisError& failure) {
    ShowBanner(QString::fromUtf8(failure.what()));
    return false;
  }
  if (!GraphRangeFromView) FPanelRange = TGraphRange{XMax, XMin, XStep, YMax, YMin, YStep, XType, YType};
  GraphRangeUpdating = true;
  if (!GraphRangeFromEdits) {
    Edit1->setText(NumberText(XMax));
    Edit2->setText(NumberText(XMin));
    Edit3->setText(NumberText(XStep));
    Edit4->setText(NumberText(YMax));
    Edit5->setText(NumberText(YMin));
    Edit6->setText(NumberText(YStep));
  }
  GraphRangeUpdating = false;
  return true;
}

void TForm5::ShowBanner(const QString& message) {
  Panel6->setText(message);
  Panel6->show();
  Panel6->raise();
}

bool TForm5::RunShowingFailure(const std::function<void()>& action) {
  return zc::RunShowingFailure(FPrompts, this, action);
}

void TForm5::Edit1Change() {
  if (GraphRangeUpdating) return;
  const double xMax = EditNumber(Edit1), xMin = EditNumber(Edit2), xStep = EditNumber(Edit3);
  const double yMax = EditNumber(Edit4), yMin = EditNumber(Edit5), yStep = EditNumber(Edit6);
  TrackBar1->setValue(TrackBarPositionForRange(xMax, xMin));
  GraphRangeFromEdits = true;
  SetGraphRange(xMax, xMin, xStep, yMax, yMin, yStep, ScaleFromComboIndex(ComboBox1->currentIndex()),
                ScaleFromComboIndex(ComboBox2->currentIndex()));
  GraphRangeFromEdits = false;
}

bool TForm5::RangeKeyAccepted(const QString& text) {
  if (text.isEmpty()) return true;  // keys without a character: arrows, Home, …
  const QChar c = text.front();
  // ASCII digits only: other scripts' digits would read as no number.
  return c.unicode() < 26 || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9') || c == u'E';
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      (watched == Edit1 || watched == Edit2 || watched == Edit3 || watched == Edit4 || watched == Edit5 ||
       watched == Edit6)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (Ctrl+C, Ctrl+V, …) carry control characters and pass.
    if (!RangeKeyAccepted(key->text())) return true;
  }
  if (watched == GroupBox3 && event->type() == QEvent::MouseButtonDblClick) {
    GroupBox3DblClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm5::RadioGroup1Click() {
  const int rows = RadioGroup1Buttons->checkedId() + 1;
  // The graph keeps its height; the window grows or shrinks by the rows.
  const int graphHeight = Panel1->height() > 0 && isVisible() ? Panel1->height() : kGraphPanelHeight;
  for (int i = 0; i < kFormulaRows; ++i) FormulaRows[static_cast<std::size_t>(i)]->setVisible(i < rows);
  for (int i = rows; i < kFormulaRows; ++i) {
    FSeries[static_cast<std::size_t>(i)]->Clear();
    FPlottedTexts[static_cast<std::size_t>(i)].clear();
  }
  // The layout must forget the hidden rows before the window may shrink.
  layout()->activate();
  resize(width(), graphHeight + rows * kRowHeight);
}

void TForm5::SpeedButton1Click() {
  const bool manual = !SpeedButton1->isChecked();
  TrackBar1->setEnabled(manual);
  Label8->setEnabled(manual);
  Label9->setEnabled(manual);
}

void TForm5::GroupBox3DblClick() {
  const bool enable = !TrackBar1->isEnabled();
  TrackBar1->setEnabled(enable);
  Label8->setEnabled(enable);
  Label9->setEnabled(enable);
}

float TForm5::PlotSpacingNow() const { return PlotSpacing(TrackBar1->minimum(), TrackBar1->value()); }

void TForm5::PlotExpression(const QString& Text, int SeriesIndex) {
  const auto index = static_cast<std::size_t>(SeriesIndex);
  TXYLineSeries& series = *FSeries[index];
  FPlottedTexts[index] = Text;
  // On a failure the samples made so far stay on the graph; zooming does
  // not ask for the same failure again.
  const bool plotted = RunShowingFailure(
      [&] { PlotExpressionInto(FContext, series, Text.toUtf8().toStdString(), PlotSpacingNow()); });
  if (!plotted) FPlottedTexts[index].clear();
}

void TForm5::ReplotCurves() {
  for (int i = 0; i < kFormulaRows; ++i) {
    const QString text = FPlottedTexts[static_cast<std::size_t>(i)];
    if (!text.isEmpty()) PlotExpression(text, i);
  }
}

// --- mouse navigation -------------------------------------------------------------

TGraphRange TForm5::CurrentRange() {
  const TGraphAxis& x = Graph().XAxis();
  const TGraphAxis& y = Graph().YAxis();
  return TGraphRange{x.Max(), x.Min(), x.TickStep(), y.Max(), y.Min(), y.TickStep(), x.AxisScale(), y.AxisScale()};
}

namespace {

// Lays the graph out as it is drawn now; false when the axes cannot take
// the data (the view shows that failure already).
bool LayOut(TXYGraph& graph) {
  try {
    graph.CalcLayout();
    return true;
  } catch (const EXYGraphError&) {
    return false;
  }
}

void StoreSpan(const TAxisSpan& span, double& min, double& max) {
  min = span.min;
  max = span.max;
}

}  // namespace

bool TForm5::ApplyFromView(const TGraphRange& range) {
  GraphRangeFromView = true;
  const bool applied =
      SetGraphRange(range.xMax, range.xMin, range.xStep, range.yMax, range.yMin, range.yStep, range.xType, range.yType);
  GraphRangeFromView = false;
  return applied;
}

std::optional<QPointF> TForm5::ApplyAnchored(TGraphRange range, const TAnchor& anchor, bool moveX, bool moveY) {
  if (!ApplyFromView(range)) return std::nullopt;
  // New labels can move the plot's edges by a few pixels; move the range
  // after them until the anchored point is back under its pixel.
  for (int round = 0;; ++round) {
    if (!LayOut(Graph())) return QPointF();  // the view shows why it cannot draw
    const TGraphAxis& xAxis = Graph().XAxis();
    const TGraphAxis& yAxis = Graph().YAxis();
    const TAxisPixels xPixels = AxisPixelsOf(xAxis), yPixels = AxisPixelsOf(yAxis);
    const TAxisSpan xSpan = AxisSpanOf(xAxis), ySpan = AxisSpanOf(yAxis);
    const double xNow = SpanFraction(xSpan, anchor.x), yNow = SpanFraction(ySpan, anchor.y);
    // An axis the step leaves alone keeps its range exactly.
    const QPointF off(moveX ? std::fabs(PixelAtFraction(xPixels, xNow) - anchor.pixel.x()) : 0.0,
                      moveY ? std::fabs(PixelAtFraction(yPixels, yNow) - anchor.pixel.y()) : 0.0);
    if ((off.x() < 0.5 && off.y() < 0.5) || round == 3) return off;
    if (off.x() >= 0.5) {
      const double wanted = FractionAtPixel(xPixels, anchor.pixel.x());
      StoreSpan(RoundedSpan(PanSpan(xSpan, xNow - wanted), xPixels.plotSize), range.xMin, range.xMax);
    }
    if (off.y() >= 0.5) {
      const double wanted = FractionAtPixel(yPixels, anchor.pixel.y());
      StoreSpan(RoundedSpan(PanSpan(ySpan, yNow - wanted), yPixels.plotSize), range.yMin, range.yMax);
    }
    if (!ApplyFromView(range)) return std::nullopt;
  }
}

bool TForm5::FinishNavigation(bool applied, const TGraphRange& before) {
  if (!applied) {
    // Back to the picture before the step, keeping the axes' word on why.
    const QString message = Panel6->text();
    ApplyFromView(before);
    ShowBanner(message);
    return false;
  }
  // The spacing follows the new width as it does when the width is typed.
  TrackBar1->setValue(TrackBarPositionForRange(Graph().XAxis().Max(), Graph().XAxis().Min()));
  ReplotCurves();
  return true;
}

bool TForm5::ZoomAt(const QPointF& position, double xFactor, double yFactor) {
  if (!LayOut(Graph())) return false;
  const TGraphRange before = CurrentRange();
  const TAxisPixels xPixels = AxisPixelsOf(Graph().XAxis()), yPixels = AxisPixelsOf(Graph().YAxis());
  const TAxisSpan xSpan = AxisSpanOf(Graph().XAxis()), ySpan = AxisSpanOf(Graph().YAxis());
  const TAnchor anchor{position, ValueAtFraction(xSpan, FractionAtPixel(xPixels, position.x())),
                       ValueAtFraction(ySpan, FractionAtPixel(yPixels, position.y()))};
  const int xIntervals = NavigationIntervals(FPanelRange.xMin, FPanelRange.xMax, FPanelRange.xStep);
  const int yIntervals = NavigationIntervals(FPanelRange.yMin, FPanelRange.yMax, FPanelRange.yStep);
  // `xNudge` and `yNudge` are powers of the factors: 1 is the step asked for.
  const auto zoomed = [&](double xNudge, double yNudge, bool& changed) {
    TGraphRange range = before;
    changed = false;
    const auto zoomAxis = [&](const TAxisSpan& span, const TAxisPixels& pixels, double value, double factor,
                              int intervals, double& min, double& max, double& step) {
      if (factor == 1.0) return;
      const TAxisSpan next = ZoomSpan(span, value, factor);
      if (next.min == span.min && next.max == span.max) return;
      const TAxisSpan rounded = RoundedSpan(next, pixels.plotSize);
      StoreSpan(rounded, min, max);
      step = NavigationTickStep(rounded, step, intervals);
      changed = true;
    };
    zoomAxis(xSpan, xPixels, anchor.x, std::pow(xFactor, xNudge), xIntervals, range.xMin, range.xMax, range.xStep);
    zoomAxis(ySpan, yPixels, anchor.y, std::pow(yFactor, yNudge), yIntervals, range.yMin, range.yMax, range.yStep);
    return range;
  };
  // A label that comes to sit at an edge pulls that edge in by a few
  // pixels, and near such a range no shift puts the point back under the
  // cursor (each shift flips the label in or out). Zooming that axis a
  // little less or more then lands with the point in place: 1, 1.05, 0.95,
  // 1.1, … up to 0.3 and 1.7 times the step.
  constexpr int kNudges = 29;
  const auto nudgeAt = [](int index) { return 1.0 + (index % 2 == 0 ? 1 : -1) * 0.05 * ((index + 1) / 2); };
  std::optional<TGraphRange> best;
  double bestOff = 0;
  int xIndex = 0, yIndex = 0;
  while (xIndex < kNudges && yIndex < kNudges) {
    bool changed = false;
    const TGraphRange range = zoomed(nudgeAt(xIndex), nudgeAt(yIndex), changed);
    // Zoomed in as far as the numbers go: nothing changes.
    if (!changed) break;
    const std::optional<QPointF> off = ApplyAnchored(range, anchor, xFactor != 1.0, yFactor != 1.0);
    if (!off) return FinishNavigation(false, before);
    if (!best || std::max(off->x(), off->y()) < bestOff) {
      best = CurrentRange();
      bestOff = std::max(off->x(), off->y());
    }
    if (bestOff < 0.5) return FinishNavigation(true, before);
    if (off->x() >= 0.5) ++xIndex;
    if (off->y() >= 0.5) ++yIndex;
  }
  return best ? FinishNavigation(ApplyFromView(*best), before) : false;
}

void TForm5::BeginPan(const QPointF& start) {
  FPan.reset();
  if (!LayOut(Graph())) return;
  const TAxisPixels xPixels = AxisPixelsOf(Graph().XAxis()), yPixels = AxisPixelsOf(Graph().YAxis());
  const TGraphRange range = CurrentRange();
  FPan = TPan{start, range, xPixels, yPixels};
}

bool TForm5::PanTo(const QPointF& position) {
  if (!FPan) return false;
  const TGraphRange& start = FPan->range;
  const double xMoved = FractionAtPixel(FPan->x, position.x()) - FractionAtPixel(FPan->x, FPan->start.x());
  const double yMoved = FractionAtPixel(FPan->y, position.y()) - FractionAtPixel(FPan->y, FPan->start.y());
  TGraphRange range = start;
  // The picture follows the hand: the range moves the other way.
  const auto panAxis = [](double moved, TAxisScale type, const TAxisPixels& pixels, int intervals, double& min,
                          double& max, double& step) {
    if (moved == 0) return;
    const TAxisSpan span = RoundedSpan(PanSpan(TAxisSpan{min, max, type}, -moved), pixels.plotSize);
    StoreSpan(span, min, max);
    step = NavigationTickStep(span, step, intervals);
  };
  panAxis(xMoved, start.xType, FPan->x, NavigationIntervals(FPanelRange.xMin, FPanelRange.xMax, FPanelRange.xStep),
          range.xMin, range.xMax, range.xStep);
  panAxis(yMoved, start.yType, FPan->y, NavigationIntervals(FPanelRange.yMin, FPanelRange.yMax, FPanelRange.yStep),
          range.yMin, range.yMax, range.yStep);
  if (xMoved == 0 && yMoved == 0) return false;
  // The range moves by the axis units of the pixels dragged, from where the
  // drag started.
  const TGraphRange before = CurrentRange();
  return FinishNavigation(ApplyFromView(range), before);
}

void TForm5::EndPan() { FPan.reset(); }

bool TForm5::RestorePanelRange() {
  const TGraphRange before = CurrentRange();
  return FinishNavigation(ApplyFromView(FPanelRange), before);
}

void TForm5::R1Click() { RestorePanelRange(); }

void TForm5::ShowCursorPosition(const QPointF& position) {
  const TXYGraph& graph = Graph();
  if (!QRectF(graph.PlotArea()).contains(position)) {
    Label10->clear();
    return;
  }
  const TAxisPixels xPixels = AxisPixelsOf(graph.XAxis()), yPixels = AxisPixelsOf(graph.YAxis());
  const QString x = AxisReadoutText(AxisSpanOf(graph.XAxis()), xPixels, position.x(), graph.PiSymbol());
  const QString y = AxisReadoutText(AxisSpanOf(graph.YAxis()), yPixels, position.y(), graph.PiSymbol());
  Label10->setText(QStringLiteral("x = %1    y = %2").arg(x, y));
}

void TForm5::Button2Click() { PlotExpression(FormulaEdits[0]->text(), 0); }
void TForm5::Button3Click() { PlotExpression(FormulaEdits[1]->text(), 1); }
void TForm5::Button4Click() { PlotExpression(FormulaEdits[2]->text(), 2); }

void TForm5::C1Click() {
  RunShowingFailure([this] { Graph().CopyToClipboardBitmap(); });
}

void TForm5::V1Click() {
  RunShowingFailure([this] { Graph().CopyToClipboardMetafile(true); });
}

const std::array<PictureFormat, 5>& TForm5::SaveTypes() {
  static const std::array<PictureFormat, 5> types = {PictureFormat::Bmp, PictureFormat::Emf, PictureFormat::Png,
                                                     PictureFormat::Svg, PictureFormat::Pdf};
  return types;
}

QString TForm5::SaveGraphAs(const QString& fileName, int filterIndex) {
  // A name typed with a picture extension is saved in that format, whatever
  // type the dialog showed: a bitmap in a file named .emf opens nowhere.
  const std::optional<PictureFormat> named = PictureFormatForFileName(fileName);
  const PictureFormat format = named ? *named : SaveTypes().at(static_cast<std::size_t>(filterIndex));
  QString name = fileName;
  if (QFileInfo(name).suffix().isEmpty()) {
    if (!name.endsWith(u'.')) name += u'.';
    name += PictureExtension(format);
  }
  SaveGraphPicture(Graph(), name, format);
  return name;
}

void TForm5::S1Click() {
  static const QStringList filters = {QStringLiteral("Windows Bitmap(*.bmp)"), QStringLiteral("Meta files(*.emf)"),
                                      QStringLiteral("PNG 画像(*.png)"), QStringLiteral("SVG 画像(*.svg)"),
                                      QStringLiteral("PDF 文書(*.pdf)")};
  FileRequest request;
  request.mode = FileRequest::Mode::Save;
  request.title = QStringLiteral("名前を付けて保存");
  for (std::size_t i = 0; i < SaveTypes().size(); ++i) {
    request.types.append({filters[static_cast<qsizetype>(i)], PictureExtension(SaveTypes()[i])});
  }
  const ChosenFile chosen = FPrompts.ChooseFile(this, request);
  if (chosen.path.isEmpty()) return;
  RunShowingFailure([&] { SaveGraphAs(chosen.path, chosen.typeIndex); });
}

}  // namespace zc
