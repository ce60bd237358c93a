// zeltacalc-plot: its command line, and the program itself run as a user's
// script would run it.
#include "plot_options.h"
#include "scoped_locale.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hostile_files.h"

namespace zc {
namespace {

TEST(PlotOptions, acceptedCommandLines) {
  const PlotOptionsResult r = ParsePlotOptions({"--x", "-20:20:5", "--y=0:100", "--xscale", "pi", "--yscale", "LOG",
                                                "--size", "640x480", "--angle", "rad", "--data-dir", "/d", "-o",
                                                "out.svg", "-x^2", "tan x", "--", "--x"});
  ASSERT_EQ(r.error, "");
  const PlotOptions& o = r.options;
  EXPECT_EQ(o.range.xMin, -20);
  EXPECT_EQ(o.range.xMax, 20);
  EXPECT_EQ(o.range.xStep, 5);
  EXPECT_FALSE(o.xAutoStep);
  EXPECT_EQ(o.range.yMin, 0);
  EXPECT_EQ(o.range.yMax, 100);
  EXPECT_TRUE(o.yAutoStep);
  EXPECT_EQ(o.range.xType, asPi);
  EXPECT_EQ(o.range.yType, asLog);
  EXPECT_EQ(o.size, QSize(640, 480));
  EXPECT_EQ(o.angle, AngleMode::Rad);
  EXPECT_EQ(o.dataDir, "/d");
  EXPECT_EQ(o.format, PictureFormat::Svg);
  // A leading minus makes no option, and "--" lets an expression look like one.
  EXPECT_EQ(o.expressions, (std::vector<std::string>{"-x^2", "tan x", "--x"}));
}

TEST(PlotOptions, pictureOptions) {
  const PlotOptionsResult plain = ParsePlotOptions({"-o", "a.png", "x"});
  ASSERT_EQ(plain.error, "");
  EXPECT_EQ(plain.options.scale, 1.0);
  EXPECT_FALSE(plain.options.antialias);
  EXPECT_FALSE(plain.options.legend);
  EXPECT_FALSE(plain.options.strict);

  const PlotOptionsResult r =
      ParsePlotOptions({"--scale", "2.5", "--antialias", "--legend", "--strict", "-o", "a.bmp", "x"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.scale, 2.5);
  EXPECT_TRUE(r.options.antialias);
  EXPECT_TRUE(r.options.legend);
  EXPECT_TRUE(r.options.strict);
  EXPECT_EQ(ParsePlotOptions({"--scale=3", "--size", "700x500", "-o", "a.png", "x"}).options.scale, 3.0);
  // Vector pictures have no pixels to multiply, but smoothing and the legend apply.
  EXPECT_EQ(ParsePlotOptions({"--scale", "1", "--antialias", "--legend", "-o", "a.svg", "x"}).error, "");
}

TEST(PlotOptions, defaultsAreTheToolsOpeningRange) {
  const PlotOptionsResult r = ParsePlotOptions({"-o", "a.png", "x"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.range.xMax, 10);
  EXPECT_EQ(r.options.range.xMin, -10);
  EXPECT_EQ(r.options.range.yStep, 5);
  EXPECT_EQ(r.options.range.xType, asNormal);
  EXPECT_EQ(r.options.angle, AngleMode::Deg);
  EXPECT_EQ(r.options.format, PictureFormat::Png);
}

TEST(PlotOptions, rejectedCommandLines) {
  struct Case {
    std::vector<std::string> arguments;
    const char* errorPart;
  };
  const Case cases[] = {
      {{"--bogus", "-o", "a.png", "x"}, "--bogus"},
      {{"-o", "a.png"}, "式を"},
      {{"-o", "a.png", "x", "x", "x", "x"}, "式を"},
      {{"x"}, "-o"},
      {{"-o", "a.jpg", "x"}, "a.jpg"},
      {{"-o", "a.png", "x", "--x"}, "--x の後に値がありません"},
      {{"--x", "1:2:3:4", "-o", "a.png", "x"}, "1:2:3:4"},
      {{"--x", "1:b", "-o", "a.png", "x"}, "1:b"},
      {{"--x", "1", "-o", "a.png", "x"}, "--x"},
      {{"--y", "1e999:2", "-o", "a.png", "x"}, "--y"},
      {{"--xscale", "cubic", "-o", "a.png", "x"}, "cubic"},
      {{"--size", "10x10", "-o", "a.png", "x"}, "--size"},
      {{"--size", "640", "-o", "a.png", "x"}, "--size"},
      {{"--size", "64.5x100", "-o", "a.png", "x"}, "--size"},
      {{"--angle", "turn", "-o", "a.png", "x"}, "turn"},
      {{"--data-dir=", "-o", "a.png", "x"}, "--data-dir"},
      {{"--scale", "0.5", "-o", "a.png", "x"}, "--scale には 1 から 10"},
      {{"--scale", "11", "-o", "a.png", "x"}, "--scale には 1 から 10"},
      {{"--scale", "two", "-o", "a.png", "x"}, "two"},
      {{"-o", "a.png", "x", "--scale"}, "--scale の後に値がありません"},
      {{"--scale", "2", "-o", "a.svg", "x"}, ".png と .bmp"},
      {{"--scale", "2", "-o", "a.pdf", "x"}, ".png と .bmp"},
      {{"--size", "5000x100", "--scale", "3", "-o", "a.png", "x"}, "15000x300"},
      {{"--legend=yes", "-o", "a.png", "x"}, "--legend=yes"},
  };
  for (const Case& c : cases) {
    const PlotOptionsResult r = ParsePlotOptions(c.arguments);
    EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << c.arguments.front() << ": " << r.error;
  }
}

TEST(PlotOptions, longAndShortSpellingsAgree) {
  struct Case {
    std::vector<std::string> arguments;
    const char* errorPart;  // "" when accepted
    std::string output;
    bool help;
  };
  const Case cases[] = {
      {{"--output", "a.png", "x"}, "", "a.png", false},
      {{"--output=b.svg", "x"}, "", "b.svg", false},
      {{"-o", "", "x"}, "-o に出力ファイル", "", false},
      {{"--output", "", "x"}, "-o に出力ファイル", "", false},
      {{"-h"}, "", "", true},
      {{"--help"}, "", "", true},
  };
  for (const Case& c : cases) {
    const PlotOptionsResult r = ParsePlotOptions(c.arguments);
    if (*c.errorPart == '\0') {
      EXPECT_EQ(r.error, "") << c.arguments.front();
    } else {
      EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << c.arguments.front() << ": " << r.error;
    }
    EXPECT_EQ(r.options.output, c.output) << c.arguments.front();
    EXPECT_EQ(r.options.help, c.help) << c.arguments.front();
  }
}

TEST(PlotOptions, rangesReadWithAPointUnderADecimalCommaLocale) {
  const test::ScopedLocale german(test::kDecimalCommaLocale);
  if (!german.Active()) GTEST_SKIP() << test::kMissingDecimalCommaLocale;
  const PlotOptionsResult r =
      ParsePlotOptions({"--x", "-1.5:1.5", "--y=0.25:2.5:2.5E-1", "--size", "640x480", "-o", "a.png", "x"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.range.xMin, -1.5);
  EXPECT_EQ(r.options.range.xMax, 1.5);
  EXPECT_EQ(r.options.range.yMin, 0.25);
  EXPECT_EQ(r.options.range.yMax, 2.5);
  EXPECT_EQ(r.options.range.yStep, 0.25);
  EXPECT_NE(ParsePlotOptions({"--x", "-1,5:1,5", "-o", "a.png", "x"}).error, "");
}

// --- the program ---------------------------------------------------------------

struct PlotRun {
  int exitCode = -1;
  QString errors;
};

// Runs the program under the test's own locale, or under `locale` if given.
PlotRun RunPlot(const QStringList& arguments, const char* locale = nullptr) {
  QProcess process;
  process.setProgram(QStringLiteral(ZC_PLOT_EXECUTABLE));
  process.setArguments(arguments);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // it must find its own way without a display
  environment.remove(QStringLiteral("DISPLAY"));
  if (locale != nullptr) environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
  process.setProcessEnvironment(environment);
  process.start();
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardError())};
}

TEST(PlotProgram, writesEachFormatWithoutADisplay) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct Case {
    const char* file;
    QByteArray start;
  };
  const Case cases[] = {{"g.bmp", "BM"},
                        {"g.png", "\x89PNG"},
                        {"g.svg", "<?xml"},
                        {"g.emf", QByteArray("\x01\x00\x00\x00", 4)},
                        {"g.pdf", "%PDF"}};
  for (const Case& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.file));
    const PlotRun run = RunPlot({QStringLiteral("-o"), path, QStringLiteral("x^2/10"), QStringLiteral("tan x"),
                             QStringLiteral("-x")});
    EXPECT_EQ(run.exitCode, 0) << c.file << " " << run.errors.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
    EXPECT_TRUE(file.readAll().startsWith(c.start)) << c.file;
  }
  const QImage bitmap(dir.filePath(QStringLiteral("g.bmp")), "BMP");
  EXPECT_EQ(bitmap.size(), QSize(700, 500));
}

TEST(PlotProgram, drawsTheCurveInTheFirstRowsColour) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("line.png"));
  const PlotRun run = RunPlot({QStringLiteral("--size"), QStringLiteral("300x200"), QStringLiteral("-o"), path,
                               QStringLiteral("x")});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QImage image(path);
  ASSERT_EQ(image.size(), QSize(300, 200));
  int curvePixels = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) curvePixels += image.pixelColor(x, y) == QColor(0, 0, 160);
  }
  EXPECT_GT(curvePixels, 100);
}

TEST(PlotProgram, readsConstantsFromTheDataFolder) {
  QTemporaryDir dir;
  {
    QFile constants(dir.filePath(QStringLiteral("constants.txt")));
    ASSERT_TRUE(constants.open(QIODevice::WriteOnly));
    constants.write("lift=5\r\n");
  }
  const QString path = dir.filePath(QStringLiteral("lift.png"));
  const PlotRun run = RunPlot({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("-o"), path,
                               QStringLiteral("lift+x*0")});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  // y = 5 runs above the x axis; an unknown name would lie on it (y = 0).
  const QImage image(path);
  int curvePixels = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == QColor(0, 0, 160)) {
        ++curvePixels;
        EXPECT_LT(y, image.height() / 2 - 50);
      }
    }
  }
  EXPECT_GT(curvePixels, 100);
}

TEST(PlotProgram, readsRangesAndWritesLabelsWithAPointUnderADecimalCommaLocale) {
  {
    const test::ScopedLocale german(test::kDecimalCommaLocale);
    if (!german.Active()) GTEST_SKIP() << test::kMissingDecimalCommaLocale;
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("labels.svg"));
  const PlotRun run = RunPlot({QStringLiteral("--x"), QStringLiteral("-1.5:1.5"), QStringLiteral("--y"),
                               QStringLiteral("-1:1:0.5"), QStringLiteral("-o"), path, QStringLiteral("x")},
                              test::kDecimalCommaLocale);
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString svg = QString::fromUtf8(file.readAll());
  QStringList labels;
  static const QRegularExpression text(QStringLiteral(">([^<]*)</text>"));
  for (const QRegularExpressionMatch& match : text.globalMatch(svg)) labels << match.captured(1);
  for (const char* expected : {"-1.5", "1.5", "-0.5", "0.5", "-1", "1"}) {
    EXPECT_TRUE(labels.contains(QString::fromLatin1(expected))) << expected << ": " << labels.join(' ').toStdString();
  }
  EXPECT_FALSE(labels.join(' ').contains(QLatin1Char(','))) << labels.join(' ').toStdString();
}

TEST(PlotProgram, rangesWithoutAStepGetTheAxisStep) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("wide.png"));
  // The opening step of 5 would be far too fine for these ranges.
  const PlotRun run = RunPlot({QStringLiteral("--x"), QStringLiteral("0:1000"), QStringLiteral("--y"),
                               QStringLiteral("1:1000"), QStringLiteral("--yscale"), QStringLiteral("log"),
                               QStringLiteral("-o"), path, QStringLiteral("x")});
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  EXPECT_TRUE(QFile::exists(path));
}

// Pixels of `color`, or within `tolerance` of it in each channel (smoothed
// text has few pixels of the exact colour).
int CountColor(const QImage& image, const QRect& area, const QColor& color, int tolerance = 0) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      count += std::abs(c.red() - color.red()) <= tolerance && std::abs(c.green() - color.green()) <= tolerance &&
               std::abs(c.blue() - color.blue()) <= tolerance;
    }
  return count;
}

TEST(PlotProgram, acceptsEveryRangeTheToolAccepts) {
  QTemporaryDir dir;
  const QStringList ranges[] = {
      {QStringLiteral("--x"), QStringLiteral("-7:-2")},       {QStringLiteral("--x"), QStringLiteral("-5:0")},
      {QStringLiteral("--x"), QStringLiteral("-30:-20:5")},   {QStringLiteral("--y"), QStringLiteral("-10:-5")},
      {QStringLiteral("--y"), QStringLiteral("-1:0")},        {QStringLiteral("--y"), QStringLiteral("0:1e307")},
      {QStringLiteral("--y"), QStringLiteral("-1e308:1e307")}, {QStringLiteral("--x"), QStringLiteral("1:1.000000001")},
  };
  int index = 0;
  for (const QStringList& range : ranges) {
    const QString path = dir.filePath(QStringLiteral("r%1.png").arg(index++));
    const PlotRun run = RunPlot(range + QStringList{QStringLiteral("-o"), path, QStringLiteral("x")});
    EXPECT_EQ(run.exitCode, 0) << range.join(u' ').toStdString() << ": " << run.errors.toStdString();
    EXPECT_TRUE(QFile::exists(path)) << range.join(u' ').toStdString();
  }
}

// Columns (or rows) of the picture that hold a grid line at tick values
// across most of the plot.
int GridLines(const QImage& image, Qt::Orientation along) {
  const QColor grid(167, 167, 167);
  const bool columns = along == Qt::Vertical;
  const int lines = columns ? image.width() : image.height();
  const int length = columns ? image.height() : image.width();
  int found = 0;
  for (int i = 0; i < lines; ++i) {
    int count = 0;
    for (int k = 0; k < length; ++k) count += image.pixelColor(columns ? i : k, columns ? k : i) == grid;
    found += count > length / 2;
  }
  return found;
}

TEST(PlotProgram, rangesNextToTheLargestNumberGetAGrid) {
  QTemporaryDir dir;
  struct Case {
    QStringList range;
    int columns, rows;  // grid lines at least
  };
  const Case cases[] = {
      {{QStringLiteral("--x"), QStringLiteral("-1.6e308:0")}, 3, 2},
      {{QStringLiteral("--x"), QStringLiteral("-1.7e308:-1e308")}, 3, 2},
      {{QStringLiteral("--y"), QStringLiteral("-1.7e308:-1e308")}, 2, 3},
      {{QStringLiteral("--x"), QStringLiteral("1.7e308:1.7976931348623157e308"), QStringLiteral("--y"),
        QStringLiteral("0:2")},
       3, 3},
  };
  int index = 0;
  for (const Case& c : cases) {
    const std::string what = c.range.join(u' ').toStdString();
    const QString path = dir.filePath(QStringLiteral("g%1.png").arg(index++));
    const PlotRun run = RunPlot(c.range + QStringList{QStringLiteral("-o"), path, QStringLiteral("x")});
    ASSERT_EQ(run.exitCode, 0) << what << ": " << run.errors.toStdString();
    const QImage image(path);
    EXPECT_GE(GridLines(image, Qt::Vertical), c.columns) << what;
    EXPECT_GE(GridLines(image, Qt::Horizontal), c.rows) << what;
  }
}

TEST(PlotProgram, aCurveAtTheLargestNumberHasNoStrayLine) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("edge.png"));
  const PlotRun run = RunPlot({QStringLiteral("--x"), QStringLiteral("1.7e308:1.7976931348623157e308"),
                               QStringLiteral("--y"), QStringLiteral("0:2"), QStringLiteral("-o"), path,
                               QStringLiteral("x/1E308")});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QImage image(path);
  // The curve runs from 1.7 to 1.8, in the top fifth of the plot; nothing
  // of it leads down towards 0.
  const QRect top(0, 0, image.width(), image.height() / 5);
  const QRect below(0, image.height() / 5, image.width(), image.height() - image.height() / 5);
  EXPECT_GT(CountColor(image, top, QColor(0, 0, 160)), image.width() / 2);
  EXPECT_EQ(CountColor(image, below, QColor(0, 0, 160)), 0);
}

TEST(PlotProgram, aCurveNoSampleOfWhichCouldBeComputedIsReported) {
  QTemporaryDir dir;
  struct Case {
    QStringList arguments;
    bool strict;
    const char* failedExpression;  // nullptr: no warning
  };
  const Case cases[] = {
      {{QStringLiteral("sqr(x)"), QStringLiteral("--x"), QStringLiteral("-10:-1")}, false, "sqr(x)"},
      {{QStringLiteral("sqr(x)"), QStringLiteral("--x"), QStringLiteral("-10:-1")}, true, "sqr(x)"},
      {{QStringLiteral("x"), QStringLiteral("foo")}, false, "foo"},
      {{QStringLiteral("foo"), QStringLiteral("x")}, true, "foo"},
      {{QStringLiteral("((")}, true, "(("},
      {{QStringLiteral("sqr(x)"), QStringLiteral("1/x")}, true, nullptr},
  };
  int index = 0;
  for (const Case& c : cases) {
    const QString path = dir.filePath(QStringLiteral("c%1.png").arg(index++));
    QStringList arguments = c.arguments + QStringList{QStringLiteral("-o"), path};
    if (c.strict) arguments << QStringLiteral("--strict");
    const PlotRun run = RunPlot(arguments);
    const std::string what = arguments.join(u' ').toStdString();
    if (c.failedExpression == nullptr) {
      EXPECT_EQ(run.exitCode, 0) << what;
      EXPECT_EQ(run.errors, QString()) << what;
      EXPECT_TRUE(QFile::exists(path)) << what;
      continue;
    }
    const QString named = QStringLiteral("'%1'").arg(QString::fromUtf8(c.failedExpression));
    EXPECT_TRUE(run.errors.contains(named)) << what << ": " << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("どの点でも計算できませんでした"))) << what;
    EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << "only the failed curve is named: " << run.errors.toStdString();
    // The picture is the one the tool would draw, unless the run is strict.
    EXPECT_EQ(run.exitCode, c.strict ? 1 : 0) << what;
    EXPECT_EQ(QFile::exists(path), !c.strict) << what;
    EXPECT_EQ(run.errors.contains(QStringLiteral("警告")), !c.strict) << what;
  }
}

TEST(PlotProgram, scaleDrawsTheSameLayoutFiner) {
  QTemporaryDir dir;
  const QString plain = dir.filePath(QStringLiteral("plain.png"));
  const QString fine = dir.filePath(QStringLiteral("fine.bmp"));
  ASSERT_EQ(RunPlot({QStringLiteral("-o"), plain, QStringLiteral("x")}).exitCode, 0);
  const PlotRun run = RunPlot({QStringLiteral("--scale"), QStringLiteral("3"), QStringLiteral("-o"), fine,
                               QStringLiteral("x")});
  ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QImage small(plain);
  const QImage large(fine, "BMP");
  EXPECT_EQ(large.size(), QSize(2100, 1500));
  // The curve y = x runs corner to corner in both: its pixels are three
  // times as many, not nine times (a line, drawn finer).
  const int smallCurve = CountColor(small, small.rect(), QColor(0, 0, 160));
  const int largeCurve = CountColor(large, large.rect(), QColor(0, 0, 160));
  EXPECT_GT(smallCurve, 300);
  EXPECT_GT(largeCurve, 2 * 3 * smallCurve);
  EXPECT_LT(largeCurve, 5 * 3 * smallCurve);
}

TEST(PlotProgram, antialiasSmoothsTheCurves) {
  QTemporaryDir dir;
  const QString plain = dir.filePath(QStringLiteral("plain.png"));
  const QString smooth = dir.filePath(QStringLiteral("smooth.png"));
  ASSERT_EQ(RunPlot({QStringLiteral("-o"), plain, QStringLiteral("x/3")}).exitCode, 0);
  ASSERT_EQ(RunPlot({QStringLiteral("--antialias"), QStringLiteral("-o"), smooth, QStringLiteral("x/3")}).exitCode, 0);
  const auto bluish = [](const QImage& image) {
    // Shades between the curve's colour and the white background.
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        count += c.blue() > c.red() + 40 && c != QColor(0, 0, 160);
      }
    return count;
  };
  EXPECT_LT(bluish(QImage(plain)), 5);
  EXPECT_GT(bluish(QImage(smooth)), 300);
}

TEST(PlotProgram, legendWritesEachExpressionInItsColourInACorner) {
  QTemporaryDir dir;
  const QString plain = dir.filePath(QStringLiteral("plain.png"));
  const QString legend = dir.filePath(QStringLiteral("legend.png"));
  const QStringList curves = {QStringLiteral("-o"), QString(), QStringLiteral("x*0-9"), QStringLiteral("x*0-8"),
                              QStringLiteral("x*0-7")};
  QStringList withPlain = curves;
  withPlain[1] = plain;
  QStringList withLegend = curves;
  withLegend[1] = legend;
  withLegend << QStringLiteral("--legend");
  ASSERT_EQ(RunPlot(withPlain).exitCode, 0);
  ASSERT_EQ(RunPlot(withLegend).exitCode, 0);
  // The curves lie low; the top-right corner of the plot holds only the
  // legend, one line per curve in its colour.
  const QImage before(plain);
  const QImage after(legend);
  const QRect corner(500, 0, 200, 120);
  const QColor colours[] = {QColor(0, 0, 160), QColor(99, 186, 157), QColor(255, 15, 135)};
  for (const QColor& colour : colours) {
    EXPECT_EQ(CountColor(before, corner, colour, 40), 0) << colour.name().toStdString();
    EXPECT_GT(CountColor(after, corner, colour, 40), 20) << colour.name().toStdString();
  }
  // Nothing else changed.
  for (int y = 150; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) ASSERT_EQ(before.pixel(x, y), after.pixel(x, y)) << x << "," << y;
}

TEST(PlotProgram, aLegendTooLongForThePictureIsCutWithAnEllipsis) {
  QTemporaryDir dir;
  // 298 characters for a curve that stays above the plot: every pixel in
  // its colour belongs to the legend.
  const QString expression = QStringLiteral("x*0+").repeated(74) + QStringLiteral("20");
  const QColor navy(0, 0, 160);
  // The legend sits at the top right, or at the top left where the Y
  // labels run down the right edge.
  const QString ranges[] = {QStringLiteral("-10:10"), QStringLiteral("-10:0")};
  for (const QString& range : ranges) {
    SCOPED_TRACE(range.toStdString());
    const QString path = dir.filePath(QStringLiteral("long%1.png").arg(range));
    const PlotRun run = RunPlot({QStringLiteral("--legend"), QStringLiteral("--x"), range, QStringLiteral("-o"), path,
                                 expression});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QImage image(path);
    EXPECT_GT(CountColor(image, image.rect(), navy, 60), 100) << "the legend is there";
    EXPECT_EQ(CountColor(image, QRect(0, 0, 8, image.height()), navy, 60), 0);
    EXPECT_EQ(CountColor(image, QRect(image.width() - 8, 0, 8, image.height()), navy, 60), 0);
  }
  // Every format draws the same cut text.
  const QString vector = dir.filePath(QStringLiteral("long.svg"));
  ASSERT_EQ(RunPlot({QStringLiteral("--legend"), QStringLiteral("-o"), vector, expression}).exitCode, 0);
  QFile svg(vector);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QString content = QString::fromUtf8(svg.readAll());
  EXPECT_TRUE(content.contains(QChar(0x2026)));
  EXPECT_FALSE(content.contains(expression));
}

TEST(PlotProgram, aRangeNarrowerThanAnAxisSpansIsWidenedWithAWarning) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("narrow.png"));
  const struct {
    const char* axis;
    const char* range;
    const char* warning;  // empty: none
  } cases[] = {
      {"--x", "-1e-300:1e-300", "X 軸の範囲は 1E-8 より狭くできないため、-1E-300 から 1E-8 までを描きます"},
      {"--y", "1:1.000000001", "Y 軸の範囲は 1E-8 より狭くできないため、1 から 1.00000001 までを描きます"},
      {"--x", "0:1e-8", ""},
      {"--x", "-10:10", ""},
  };
  for (const auto& c : cases) {
    const PlotRun run = RunPlot({QString::fromLatin1(c.axis), QString::fromLatin1(c.range), QStringLiteral("-o"), out,
                                 QStringLiteral("x")});
    EXPECT_EQ(run.exitCode, 0) << c.range;
    if (*c.warning == '\0') {
      EXPECT_FALSE(run.errors.contains(QStringLiteral("警告"))) << c.range << ": " << run.errors.toStdString();
    } else {
      EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.warning))) << c.range << ": " << run.errors.toStdString();
    }
  }
}

TEST(PlotProgram, failuresExitOneAndWriteNothing) {
  QTemporaryDir dir;
  struct Case {
    QStringList arguments;
    const char* message;
  };
  const QString out = dir.filePath(QStringLiteral("never.png"));
  const Case cases[] = {
      {{QStringLiteral("--x"), QStringLiteral("5:1"), QStringLiteral("-o"), out, QStringLiteral("x")},
       "軸の範囲を超えています"},
      {{QStringLiteral("--x"), QStringLiteral("-10:10:0"), QStringLiteral("-o"), out, QStringLiteral("x")},
       "目盛間隔はゼロ以下に設定できません"},
      {{QStringLiteral("--yscale"), QStringLiteral("log"), QStringLiteral("-o"), out, QStringLiteral("x")},
       "対数目盛にできません"},
      {{QStringLiteral("--colour"), QStringLiteral("red"), QStringLiteral("-o"), out, QStringLiteral("x")},
       "--colour"},
      {{QStringLiteral("-o"), out, QStringLiteral("x+1.2.3")}, "1.2.3"},
      {{QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/dir.png")), QStringLiteral("x")}, "dir.png"},
      {{QStringLiteral("--x"), QStringLiteral("-1e308:1e308"), QStringLiteral("-o"), out, QStringLiteral("x")},
       "軸の範囲が広すぎます"},
      {{QStringLiteral("--y"), QStringLiteral("-1e308:1e308:1e307"), QStringLiteral("-o"), out, QStringLiteral("x")},
       "軸の範囲が広すぎます"},
  };
  for (const Case& c : cases) {
    const PlotRun run = RunPlot(c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.message;
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(out)) << c.message;
  }
}

QString Local(const std::string& path) { return QString::fromStdString(path); }

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PlotProgram, hostileDataFilesWarnAndThePictureIsStillDrawn) {
  for (const char* file : {"constants.txt", "Functions.inf"}) {
    for (const test::HostileCase& c : test::kHostileInputs) {
      test::TempDir dir;
      const std::string unavailable = test::MakeHostile(c.kind, dir.File(file));
      if (!unavailable.empty()) {
        std::cout << "[ SKIPPED  ] " << file << " as " << c.label << ": " << unavailable << "\n";
        continue;
      }
      const std::string out = dir.File("p.png");
      const PlotRun run = RunPlot({QStringLiteral("--data-dir"), Local(dir.Path()), QStringLiteral("--size"),
                                   QStringLiteral("200x200"), QStringLiteral("-o"), Local(out), QStringLiteral("x")});
      EXPECT_EQ(run.exitCode, 0) << file << " as " << c.label << ": " << run.errors.toStdString();
      EXPECT_TRUE(run.errors.contains(Local(dir.File(file)))) << file << " as " << c.label;
      EXPECT_TRUE(QImage(Local(out)).size() == QSize(200, 200)) << file << " as " << c.label;
    }
  }
}

TEST(PlotProgram, outputThatIsNoRegularFileIsRefusedAndLeftAlone) {
  for (const test::HostileOutputCase& c : test::kHostileOutputs) {
    test::TempDir dir;
    const test::HostileOutput made = test::MakeHostileOutput(c, dir, "special.png");
    if (!made.unavailable.empty()) {
      std::cout << "[ SKIPPED  ] " << c.label << ": " << made.unavailable << "\n";
      continue;
    }
    const std::string& special = made.special;
    const std::string& out = made.target;
    struct stat before {};
    lstat(special.c_str(), &before);
    const PlotRun run = RunPlot({QStringLiteral("-o"), Local(out), QStringLiteral("x")});
    EXPECT_EQ(run.exitCode, 1) << c.label;
    EXPECT_TRUE(run.errors.contains(Local(out))) << c.label << ": " << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("通常のファイルではありません"))) << run.errors.toStdString();
    struct stat after {};
    lstat(special.c_str(), &after);
    EXPECT_EQ(after.st_mode, before.st_mode) << c.label;
    EXPECT_EQ(after.st_rdev, before.st_rdev) << c.label;
  }
}

TEST(PlotProgram, aReadOnlyPictureIsNotReplaced) {
  test::TempDir dir;
  const std::string out = dir.File("old.svg");
  std::ofstream(out) << "<svg/>";
  chmod(out.c_str(), 0444);
  const PlotRun run = RunPlot({QStringLiteral("-o"), Local(out), QStringLiteral("x")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.errors.contains(QString::fromLocal8Bit(std::strerror(EACCES)))) << run.errors.toStdString();
  EXPECT_EQ(Slurp(out), "<svg/>");
}

TEST(PlotProgram, aFullDiskFailsAndKeepsTheOldPictureByteForByte) {
  const test::SmallTmpfs disk;
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  for (const char* name : {"old.png", "old.svg", "old.pdf", "old.emf", "old.wmf", "old.bmp"}) {
    const std::string out = disk.File(name);
    const std::string old = std::string("old picture ") + name;
    std::ofstream(out, std::ios::binary) << old;
  }
  disk.Fill();
  for (const char* name : {"old.png", "old.svg", "old.pdf", "old.emf", "old.wmf", "old.bmp"}) {
    const std::string out = disk.File(name);
    const PlotRun run = RunPlot({QStringLiteral("--size"), QStringLiteral("200x200"), QStringLiteral("-o"),
                                 Local(out), QStringLiteral("sin(x*100)")});
    EXPECT_EQ(run.exitCode, 1) << name;
    EXPECT_TRUE(run.errors.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("Unknown error"))) << run.errors.toStdString();
    EXPECT_EQ(Slurp(out), std::string("old picture ") + name);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.Path()), {}), 7);
}

}  // namespace
}  // namespace zc

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
