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
  const struct {
    const char* label;
    test::Hostile kind;
    bool throughLink;
  } cases[] = {
      {"named pipe", test::Hostile::Fifo, false},
      {"folder", test::Hostile::Folder, false},
      {"device node", test::Hostile::Device, false},
      {"link to a device node", test::Hostile::Device, true},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const std::string special = dir.File("special.png");
    const std::string unavailable = test::MakeHostile(c.kind, special);
    if (!unavailable.empty()) {
      std::cout << "[ SKIPPED  ] " << c.label << ": " << unavailable << "\n";
      continue;
    }
    const std::string out = c.throughLink ? dir.File("out.png") : special;
    if (c.throughLink) std::filesystem::create_symlink(special, out);
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
