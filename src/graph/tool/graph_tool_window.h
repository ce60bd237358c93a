// The graph tool "グラフ": up to three expressions of x plotted over the
// ranges, scales and sampling density set in the side panel, with the
// picture copied or saved from the graph's context menu.
#pragma once

#include "engine_context.h"
#include "graph_axis.h"
#include "graph_export.h"
#include "tool_graph_setup.h"
#include "user_prompts.h"
#include "view_navigation.h"

#include <QDialog>
#include <QPointF>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;
class QWidget;

namespace zc {

class TGraphView;
class TXYGraph;
class TXYLineSeries;

class TForm5 : public QDialog {
  Q_OBJECT

 public:
  // Reads constants, user functions and the angle mode from `context` at
  // every plot; the context must outlive the window. Failures that stop an
  // action, and the save dialog, go through `prompts`.
  TForm5(EngineContext& context, UserPrompts& prompts, QWidget* parent = nullptr);
  ~TForm5() override;

  // The main window's "グラフツール(&G)...": x and y from −10 to 10 with
  // ticks every 5, both linear, then the window, modally.
  void ResetRangeAndShow();

  // Applies the eight settings in order; the first that fails gets its old
  // value back, the rest are skipped and the message shows in the red
  // banner. Returns whether everything was applied.
  bool SetGraphRange(double XMax, double XMin, double XStep, double YMax, double YMin, double YStep, TAxisScale XType,
                     TAxisScale YType);

  // Samples `Text` into curve `SeriesIndex` (0 … 2) over the current X
  // range; empty text clears the curve.
  void PlotExpression(const QString& Text, int SeriesIndex);

  // The sample spacing the track bar gives now.
  float PlotSpacingNow() const;

  // --- mouse navigation -------------------------------------------------------------
  // Each step goes through SetGraphRange, so the side panel follows and the
  // axis model's rules and messages hold; the curves are sampled again for
  // the new range. A step the axes refuse shows its message in the banner
  // and leaves the range as it was. Positions are the graph view's pixels.
  //
  // Zooms each axis by its factor (1 leaves it alone) around the point
  // under `position`, which stays under it (within a pixel).
  bool ZoomAt(const QPointF& position, double xFactor, double yFactor);
  // A drag: the range moves by the axis units of the pixels dragged since
  // `start`, so the picture follows the cursor.
  void BeginPan(const QPointF& start);
  bool PanTo(const QPointF& position);
  void EndPan();
  // Back to the side panel's range: the one last typed there, or set when
  // the window was opened ("範囲を元に戻す", double click).
  bool RestorePanelRange();
  const TGraphRange& PanelRange() const { return FPanelRange; }
  // The range the graph shows now.
  TGraphRange CurrentRange();
  // Shows the axis values under `position` in the read-out under the graph;
  // empty outside the plot area.
  void ShowCursorPosition(const QPointF& position);

  // Saves the picture as the save dialog's type `filterIndex` (0 bitmap,
  // 1 enhanced metafile, then PNG, SVG, PDF), adding that type's extension
  // when the name has none. Returns the name used. Throws GraphExportError
  // or EXYGraphAxisError.
  QString SaveGraphAs(const QString& fileName, int filterIndex);
  // The save dialog's file types, in order.
  static const std::array<PictureFormat, 5>& SaveTypes();

  TXYGraph& Graph();
  TGraphView& View() { return *XYGraph1; }
  TXYLineSeries& Series(int index) { return *FSeries[static_cast<std::size_t>(index)]; }

  // --- the controls, under their designer names --------------------------------
  TGraphView* XYGraph1 = nullptr;
  QLabel* Panel6 = nullptr;  // red error banner over the graph
  QMenu* PopupMenu1 = nullptr;
  QAction* C1 = nullptr;  // ビットマップ形式でコピー(&B)
  QAction* V1 = nullptr;  // ベクター形式でコピー(&V)
  QAction* S1 = nullptr;  // 名前を付けて保存(&S)...
  QAction* R1 = nullptr;  // 範囲を元に戻す
  QLabel* Label10 = nullptr;  // cursor read-out under the graph
  QWidget* Panel1 = nullptr;  // graph panel
  QWidget* Panel4 = nullptr;  // right panel
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLineEdit* Edit1 = nullptr;  // X 最大値
  QLineEdit* Edit2 = nullptr;  // X 最小値
  QLineEdit* Edit3 = nullptr;  // X 目盛り間隔
  QLineEdit* Edit4 = nullptr;  // Y 最大値
  QLineEdit* Edit5 = nullptr;  // Y 最小値
  QLineEdit* Edit6 = nullptr;  // Y 目盛り間隔
  QComboBox* ComboBox1 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QButtonGroup* RadioGroup1Buttons = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QSlider* TrackBar1 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  std::array<QFrame*, kFormulaRows> FormulaRows{};      // Panel2, Panel3, Panel5
  std::array<QLineEdit*, kFormulaRows> FormulaEdits{};  // Edit7, Edit8, Edit9
  std::array<QPushButton*, kFormulaRows> PlotButtons{};  // Button2, Button3, Button4

  static constexpr int kRowHeight = 58;
  static constexpr int kRightPanelWidth = 246;
  static constexpr int kClientWidth = 700;

 public slots:
  void Edit1Change();
  void RadioGroup1Click();
  void SpeedButton1Click();
  void GroupBox3DblClick();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void C1Click();
  void V1Click();
  void S1Click();
  void R1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  QWidget* CreateRightPanel();
  QFrame* CreateFormulaRow(int index);
  // Edit1KeyPress: true when the key may reach a range edit.
  static bool RangeKeyAccepted(const QString& text);
  // Runs a menu or button action; a failure is shown to the user. Returns
  // whether the action ran to its end.
  bool RunShowingFailure(const std::function<void()>& action);
  void ShowBanner(const QString& message);

  // SetGraphRange for a range reached with the mouse: the panel's range
  // to return to stays.
  bool ApplyFromView(const TGraphRange& range);
  // Applies `range` and moves it (along the axes allowed to move) until the
  // anchored values sit under the anchor's pixel in the new layout. Returns
  // how many pixels off they end up across and down, or nothing when the
  // axes refused a range.
  struct TAnchor {
    QPointF pixel;
    double x, y;
  };
  std::optional<QPointF> ApplyAnchored(TGraphRange range, const TAnchor& anchor, bool moveX, bool moveY);
  // The end of a navigation step: the curves sampled again for the new
  // range, or, when the axes refused it, the range `before` back with the
  // message in the banner.
  bool FinishNavigation(bool applied, const TGraphRange& before);
  // Samples the expressions last plotted again over the current range.
  void ReplotCurves();

  EngineContext& FContext;
  UserPrompts& FPrompts;
  std::array<TXYLineSeries*, kFormulaRows> FSeries{};
  // What each curve was plotted from: navigation samples it again.
  std::array<QString, kFormulaRows> FPlottedTexts{};
  bool GraphRangeUpdating = false;
  bool GraphRangeFromEdits = false;
  // SetGraphRange called by mouse navigation: the panel's range stays.
  bool GraphRangeFromView = false;
  TGraphRange FPanelRange;
  // A drag in progress: the range and layout it started from.
  struct TPan {
    QPointF start;
    TGraphRange range;
    TAxisPixels x, y;
  };
  std::optional<TPan> FPan;
};

}  // namespace zc
