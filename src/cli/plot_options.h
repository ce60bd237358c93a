// The command line of zeltacalc-plot:
//   zeltacalc-plot [--x MIN:MAX[:STEP]] [--y MIN:MAX[:STEP]]
//                  [--xscale linear|log|percent|pi] [--yscale …] [--size WxH]
//                  [--scale F] [--antialias] [--legend] [--strict]
//                  [--angle deg|rad|grad] [--data-dir DIR] -o FILE EXPR [EXPR [EXPR]]
//   zeltacalc-plot --help | --version
#pragma once

#include "engine_context.h"
#include "graph_export.h"
#include "tool_graph_setup.h"

#include <QSize>

#include <optional>
#include <string>
#include <vector>

namespace zc {

struct PlotOptions {
  // The graph tool's range when it opens: −10 … 10 with ticks every 5.
  TGraphRange range;
  // A range given without a step gets the axis's automatic step.
  bool xAutoStep = false;
  bool yAutoStep = false;
  QSize size{700, 500};
  // Bitmap pixels per picture pixel: the same layout, drawn finer.
  double scale = 1.0;
  bool antialias = false;  // smoothed curves
  bool legend = false;     // the expressions in their colours in a corner
  // A curve none of whose samples could be computed fails the run instead
  // of drawing a flat line with a warning.
  bool strict = false;
  AngleMode angle = AngleMode::Deg;
  std::string dataDir;  // empty: the shipped data files' folder
  std::string output;
  PictureFormat format = PictureFormat::Png;
  std::vector<std::string> expressions;  // one to three, one per formula row
  bool help = false;
  bool version = false;
};

struct PlotOptionsResult {
  PlotOptions options;
  std::string error;  // Japanese, for stderr; empty on success
};

// `arguments` without the program name. Arguments that begin with "-" but
// are no option ("-x^2") are expressions; "--" ends the options.
PlotOptionsResult ParsePlotOptions(const std::vector<std::string>& arguments);

std::string PlotUsage();

inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 10000;
// --scale: from the plain picture to ten times its pixel density.
inline constexpr double kMinPictureScale = 1;
inline constexpr double kMaxPictureScale = 10;

}  // namespace zc
