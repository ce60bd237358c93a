// zeltacalc-plot: draws up to three expressions of x as the graph tool
// would, into a picture file, without a display.
#include "console_data_folder.h"
#include "curve_legend.h"
#include "graph_error.h"
#include "graph_export.h"
#include "installation.h"
#include "number_text.h"
#include "plot_options.h"
#include "plot_sampling.h"
#include "plugin_host.h"
#include "standard_output.h"
#include "tool_graph_setup.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

// Scripts read our stderr for errors. Qt's notices about the desktop
// session (a missing runtime folder when run outside a login, as in CI or
// cron) are not errors of the plot and are kept out of it.
QtMessageHandler previousHandler = nullptr;

void FilterSessionNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtCriticalMsg && type != QtFatalMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "zeltacalc-plot: %s\n", message.c_str());
  return 1;
}

// An axis spans at least kMinAxisRange; a script that asked for less learns
// which range it gets instead.
void WarnOfWidenedRange(const char* axisName, const zc::TGraphAxis& axis, double askedMax) {
  if (axis.Max() == askedMax) return;
  const auto text = [](double value) { return zc::GeneralText(value, 15, -5); };
  std::fprintf(stderr, "zeltacalc-plot: 警告: %s 軸の範囲は %s より狭くできないため、%s から %s までを描きます\n",
               axisName, text(zc::kMinAxisRange).c_str(), text(axis.Min()).c_str(), text(axis.Max()).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures need fonts but no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::vector<std::string> arguments(argv + 1, argv + argc);
  previousHandler = qInstallMessageHandler(FilterSessionNotices);
  QGuiApplication application(argc, argv);

  const zc::PlotOptionsResult parsed = zc::ParsePlotOptions(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "zeltacalc-plot: %s\n%s", parsed.error.c_str(), zc::PlotUsage().c_str());
    return 1;
  }
  const zc::PlotOptions& options = parsed.options;
  if (options.help) {
    std::fputs(zc::PlotUsage().c_str(), stdout);
    return zc::FinishStandardOutput("zeltacalc-plot", 0);
  }
  if (options.version) {
    std::fputs(zc::ProgramVersionLine("zeltacalc-plot").c_str(), stdout);
    return zc::FinishStandardOutput("zeltacalc-plot", 0);
  }

  try {
    zc::EngineContext context;
    context.angleMode = options.angle;
    context.appDir = options.dataDir.empty() ? zc::DefaultDataFolder() : zc::DataFolderPath(options.dataDir);
    context.pluginHost.SetProgram(zc::PluginHostProgramFor(zc::ExecutableFolder()));
    for (const std::string& warning : zc::LoadDataFolder(context)) {
      std::fprintf(stderr, "zeltacalc-plot: %s\n", warning.c_str());
    }

    zc::TXYGraph graph;
    graph.SetClientSize(options.size);
    graph.SetBitmapScale(options.scale);
    graph.SetAntialiasSeries(options.antialias);
    const auto series = zc::ConfigureToolGraph(graph);
    // The range the graph tool opens with, then the one asked for, applied
    // as the tool applies a range.
    zc::ApplyGraphRange(graph, zc::TGraphRange{});
    zc::ApplyGraphRange(graph, options.range);
    WarnOfWidenedRange("X", graph.XAxis(), options.range.xMax);
    WarnOfWidenedRange("Y", graph.YAxis(), options.range.yMax);
    if (options.xAutoStep) graph.XAxis().SetAutoStep(true);
    if (options.yAutoStep) graph.YAxis().SetAutoStep(true);

    // Automatic spacing, as the tool's "自動調節" gives it for this range.
    const float spacing = zc::PlotSpacing(
        zc::kTrackBarMin, zc::TrackBarPositionForRange(graph.XAxis().Max(), graph.XAxis().Min()));
    std::vector<zc::TLegendEntry> legend;
    bool anyFailedCurve = false;
    for (std::size_t i = 0; i < options.expressions.size(); ++i) {
      const std::string& expression = options.expressions[i];
      const zc::TSampleCount count = zc::PlotExpressionInto(context, *series[i], expression, spacing);
      if (!expression.empty()) legend.push_back({QString::fromStdString(expression), series[i]->LinePen().color()});
      // The flat stand-in line looks like a real curve; say so.
      if (count.NoneComputed()) {
        anyFailedCurve = true;
        std::fprintf(stderr, "zeltacalc-plot: %s式 '%s' の値は範囲内のどの点でも計算できませんでした%s\n",
                     options.strict ? "" : "警告: ", expression.c_str(),
                     options.strict ? "" : " (x 軸上の線として描きます)");
      }
    }
    if (anyFailedCurve && options.strict) return 1;
    if (options.legend) {
      graph.SetOnAfterDraw([&legend](zc::TXYGraph& drawn) {
        if (drawn.Canvas() != nullptr) zc::DrawCurveLegend(drawn, *drawn.Canvas(), legend);
      });
    }
    zc::SaveGraphPicture(graph, QString::fromStdString(options.output), options.format);
  } catch (const std::exception& failure) {
    // Axis settings the graph cannot take, a malformed number in an
    // expression, data that cannot be read or a file that cannot be
    // written: the file is left as it was.
    return Fail(failure.what());
  }
  return 0;
}
