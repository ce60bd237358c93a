#include "plot_options.h"

#include "ascii_text.h"
#include "number_text.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace zc {

namespace {

// A finite number with '.' as the decimal point, whatever the locale.
std::optional<double> ParseNumber(std::string_view text) {
  const NumberRead<double> number = ReadDecimal<double>(text, kTypedDecimal);
  if (!number) return std::nullopt;
  return number.value;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

std::string ParseRange(const std::string& name, std::string_view value, double& min, double& max, double& step,
                       bool& autoStep) {
  const std::vector<std::string_view> parts = SplitAt(value, ':');
  std::vector<double> numbers;
  for (std::string_view part : parts) {
    const std::optional<double> number = ParseNumber(part);
    if (!number) break;
    numbers.push_back(*number);
  }
  if ((parts.size() != 2 && parts.size() != 3) || numbers.size() != parts.size()) {
    return name + " には 最小値:最大値 か 最小値:最大値:目盛り間隔 を数値で指定してください: '" + std::string(value) +
           "'";
  }
  min = numbers[0];
  max = numbers[1];
  autoStep = numbers.size() == 2;
  // Without a step the axis chooses one; until then a fifth of the range
  // (as wide as the axis will make it) keeps the range checks from
  // tripping over the default step.
  step = autoStep ? std::max(max - min, kMinAxisRange) / 5 : numbers[2];
  return {};
}

std::string ParseScale(const std::string& name, std::string_view value, TAxisScale& scale) {
  if (EqualsIgnoreAsciiCase(value, "linear")) {
    scale = asNormal;
  } else if (EqualsIgnoreAsciiCase(value, "log")) {
    scale = asLog;
  } else if (EqualsIgnoreAsciiCase(value, "percent")) {
    scale = asPercent;
  } else if (EqualsIgnoreAsciiCase(value, "pi")) {
    scale = asPi;
  } else {
    return name + " には linear, log, percent, pi のどれかを指定してください: '" + std::string(value) + "'";
  }
  return {};
}

std::string ParseSize(std::string_view value, QSize& size) {
  const std::size_t x = value.find_first_of("xX");
  const std::optional<double> width = x == std::string_view::npos ? std::nullopt : ParseNumber(value.substr(0, x));
  const std::optional<double> height =
      x == std::string_view::npos ? std::nullopt : ParseNumber(value.substr(x + 1));
  const auto whole = [](const std::optional<double>& v) {
    return v && *v == std::floor(*v) && *v >= kMinPictureSide && *v <= kMaxPictureSide;
  };
  if (!whole(width) || !whole(height)) {
    return "--size には 幅x高さ を " + IntegerText(kMinPictureSide) + " から " + IntegerText(kMaxPictureSide) +
           " までの整数で指定してください: '" + std::string(value) + "'";
  }
  size = QSize(static_cast<int>(*width), static_cast<int>(*height));
  return {};
}

std::string ParseScaleFactor(std::string_view value, double& scale) {
  const std::optional<double> factor = ParseNumber(value);
  if (!factor || *factor < kMinPictureScale || *factor > kMaxPictureScale) {
    return "--scale には 1 から 10 までの数を指定してください: '" + std::string(value) + "'";
  }
  scale = *factor;
  return {};
}

std::string ParseAngle(std::string_view value, AngleMode& angle) {
  if (EqualsIgnoreAsciiCase(value, "deg")) {
    angle = AngleMode::Deg;
  } else if (EqualsIgnoreAsciiCase(value, "rad")) {
    angle = AngleMode::Rad;
  } else if (EqualsIgnoreAsciiCase(value, "grad")) {
    angle = AngleMode::Grad;
  } else {
    return "--angle には deg, rad, grad のどれかを指定してください: '" + std::string(value) + "'";
  }
  return {};
}

}  // namespace

PlotOptionsResult ParsePlotOptions(const std::vector<std::string>& arguments) {
  PlotOptionsResult result;
  PlotOptions& o = result.options;
  using Handler = std::function<std::string(std::string_view)>;
  struct Option {
    std::string_view name;
    bool takesValue;
    Handler handle;
  };
  const Handler setOutput = [&](std::string_view v) -> std::string {
    if (v.empty()) return "-o に出力ファイルを指定してください";
    o.output = v;
    return {};
  };
  const Handler setHelp = [&](std::string_view) {
    o.help = true;
    return std::string();
  };
  const auto flag = [](bool& field) {
    return Handler([&field](std::string_view) {
      field = true;
      return std::string();
    });
  };
  const Option table[] = {
      {"--x", true, [&](std::string_view v) { return ParseRange("--x", v, o.range.xMin, o.range.xMax, o.range.xStep, o.xAutoStep); }},
      {"--y", true, [&](std::string_view v) { return ParseRange("--y", v, o.range.yMin, o.range.yMax, o.range.yStep, o.yAutoStep); }},
      {"--xscale", true, [&](std::string_view v) { return ParseScale("--xscale", v, o.range.xType); }},
      {"--yscale", true, [&](std::string_view v) { return ParseScale("--yscale", v, o.range.yType); }},
      {"--size", true, [&](std::string_view v) { return ParseSize(v, o.size); }},
      {"--scale", true, [&](std::string_view v) { return ParseScaleFactor(v, o.scale); }},
      {"--antialias", false, flag(o.antialias)},
      {"--legend", false, flag(o.legend)},
      {"--strict", false, flag(o.strict)},
      {"--angle", true, [&](std::string_view v) { return ParseAngle(v, o.angle); }},
      {"--data-dir", true,
       [&](std::string_view v) -> std::string {
         if (v.empty()) return "--data-dir にフォルダを指定してください";
         o.dataDir = v;
         return {};
       }},
      {"-o", true, setOutput},
      {"--output", true, setOutput},
      {"--help", false, setHelp},
      {"-h", false, setHelp},
      {"--version", false, flag(o.version)},
  };

  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    const bool looksLikeOption = !optionsEnded && (argument.starts_with("--") || argument == "-o" || argument == "-h");
    if (!looksLikeOption) {
      o.expressions.push_back(argument);
      continue;
    }
    const Option* found = nullptr;
    std::optional<std::string> inlineValue;
    for (const Option& candidate : table) {
      if (argument == candidate.name) {
        found = &candidate;
        break;
      }
      // "--x=-5:5"
      if (candidate.takesValue && candidate.name.starts_with("--") && argument.size() > candidate.name.size() &&
          argument.starts_with(candidate.name) && argument[candidate.name.size()] == '=') {
        found = &candidate;
        inlineValue = argument.substr(candidate.name.size() + 1);
        break;
      }
    }
    if (found == nullptr) {
      result.error = "不明なオプションです: '" + argument + "'";
      return result;
    }
    std::string value;
    if (found->takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < arguments.size()) {
        // The value may start with '-': "--x -20:20".
        value = arguments[++i];
      } else {
        result.error = std::string(found->name) + " の後に値がありません";
        return result;
      }
    }
    if (std::string error = found->handle(value); !error.empty()) {
      result.error = std::move(error);
      return result;
    }
  }
  if (o.help || o.version) return result;
  if (o.output.empty()) {
    result.error = "出力ファイルを -o で指定してください";
    return result;
  }
  const std::optional<PictureFormat> format = PictureFormatForFileName(QString::fromStdString(o.output));
  if (!format) {
    result.error =
        "出力ファイルの拡張子は .bmp, .png, .svg, .emf, .wmf, .pdf のどれかにしてください: '" + o.output + "'";
    return result;
  }
  o.format = *format;
  if (o.scale != 1.0) {
    if (o.format != PictureFormat::Png && o.format != PictureFormat::Bmp) {
      result.error = "--scale は .png と .bmp の画像にだけ使えます: '" + o.output + "'";
      return result;
    }
    const QSize pixels = ScaledPictureSize(o.size, o.scale);
    if (pixels.width() > kMaxPictureSide || pixels.height() > kMaxPictureSide) {
      result.error = "--size に --scale を掛けた画像の幅と高さは " + std::to_string(kMaxPictureSide) +
                     " ピクセルまでです: " + std::to_string(pixels.width()) + "x" + std::to_string(pixels.height());
      return result;
    }
  }
  if (o.expressions.empty() || o.expressions.size() > static_cast<std::size_t>(kFormulaRows)) {
    result.error = "式を1つから3つまで指定してください";
    return result;
  }
  return result;
}

std::string PlotUsage() {
  return "使い方: zeltacalc-plot [--x MIN:MAX[:STEP]] [--y MIN:MAX[:STEP]]\n"
         "                      [--xscale linear|log|percent|pi] [--yscale linear|log|percent|pi]\n"
         "                      [--size WxH] [--scale F] [--antialias] [--legend] [--strict]\n"
         "                      [--angle deg|rad|grad] [--data-dir DIR]\n"
         "                      -o FILE EXPR [EXPR [EXPR]]\n"
         "       zeltacalc-plot --help | --version\n"
         "  --x, --y MIN:MAX[:STEP]  軸の範囲と目盛り間隔 (既定は -10:10:5。STEP を省くと自動)\n"
         "  --xscale, --yscale       目盛りタイプ: linear リニア, log 対数, percent パーセント, pi π\n"
         "  --size WxH               画像の大きさ (ピクセル, 既定は 700x500)\n"
         "  --scale F                同じレイアウトを F 倍の画素密度で描く (1〜10, .png と .bmp のみ)。\n"
         "                           --size 700x500 --scale 3 は 2100x1500 の画像になる\n"
         "  --antialias              曲線をなめらかに描く\n"
         "  --legend                 プロット領域の隅に各式を曲線の色で書く\n"
         "  --strict                 どの点でも計算できない式があれば、画像を書かずに終了コード 1 で終わる\n"
         "  --angle deg|rad|grad     角度の単位 (既定は deg)\n"
         "  --data-dir DIR           constants.txt と Functions.inf を読むフォルダ (既定は実行ファイルのフォルダ。\n"
         "                           そこになければ ../share/zeltacalc)\n"
         "  -o, --output FILE        出力ファイル。形式は拡張子で決まる: .bmp .png .svg .emf .wmf .pdf\n"
         "  EXPR                     x の式。1つ目から順にグラフツールの1〜3行目の色で描く\n"
         "  -h, --help               この使い方を表示する\n"
         "  --version                バージョンを表示する\n";
}

}  // namespace zc
