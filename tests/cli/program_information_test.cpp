// --help and --version of the three programs, and their agreement with the
// manual pages: what the usage lists is what the page documents.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "program_run.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

struct Program {
  const char* name;
  const char* path;
};

const Program kPrograms[] = {
    {"zeltacalc", ZC_APP_EXE},
    {"zeltacalc-console", ZC_CONSOLE_EXE},
    {"zeltacalc-plot", ZC_PLOT_EXE},
};

using Outcome = test::ProgramRun;
using test::Slurp;

// Runs `path` with `argument` and no display of any kind.
Outcome RunWithoutDisplay(const char* path, const std::string& argument) {
  return test::RunProgram(path, {argument}, {.withoutDisplay = true});
}

// Options ("-e", "--data-dir") in the order they appear in `text`: a word
// of one or two dashes and a letter, after a blank, a bracket, a bar or a
// comma, or at the start of a line.
std::vector<std::string> OptionsIn(const std::string& text) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const auto isNameChar = [&](char c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '-'; };
  std::vector<std::string> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '-') continue;
    if (i > 0 && std::string_view(" \t\n[|(,").find(text[i - 1]) == std::string_view::npos) continue;
    std::size_t letter = i + 1;
    if (letter < text.size() && text[letter] == '-') ++letter;
    if (letter >= text.size() || !isLetter(text[letter])) continue;
    std::size_t end = letter;
    while (end < text.size() && isNameChar(text[end])) ++end;
    found.push_back(text.substr(i, end - i));
    i = end;
  }
  return found;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The text of the page's section `heading` ("SYNOPSIS"), without the markup
// for bold and underlined words.
std::vector<std::string> ManSection(const std::string& page, const std::string& heading) {
  std::vector<std::string> section;
  bool inside = false;
  for (std::string line : Lines(page)) {
    if (line.starts_with("# ")) {
      inside = line == "# " + heading;
      continue;
    }
    if (!inside) continue;
    std::erase(line, '*');
    std::erase(line, '_');
    section.push_back(line);
  }
  return section;
}

std::string ManSource(const std::string& program) { return Slurp(ZC_MAN_SOURCE_DIR "/" + program + ".1.scd"); }

TEST(ProgramInformation, HelpAndVersionGoToStandardOutputWithoutADisplay) {
  for (const Program& program : kPrograms) {
    const Outcome version = RunWithoutDisplay(program.path, "--version");
    EXPECT_EQ(version.exitCode, 0) << program.name;
    EXPECT_EQ(version.out, std::string(program.name) + " " ZC_VERSION "\n");
    EXPECT_EQ(version.err, "") << program.name;

    for (const std::string argument : {"--help", "-h"}) {
      const Outcome help = RunWithoutDisplay(program.path, argument);
      EXPECT_EQ(help.exitCode, 0) << program.name << " " << argument;
      EXPECT_TRUE(help.out.starts_with(std::string("使い方: ") + program.name + " "))
          << program.name << " " << argument << ":\n" << help.out;
      EXPECT_EQ(help.err, "") << program.name << " " << argument;
    }
  }
}

TEST(ProgramInformation, TheManualPageDocumentsEveryOptionTheUsageLists) {
  for (const Program& program : kPrograms) {
    const std::string usage = RunWithoutDisplay(program.path, "--help").out;
    const std::string page = ManSource(program.name);
    ASSERT_FALSE(page.empty()) << program.name;

    // The usage's first lines are its synopsis, up to the first option
    // line; the page's SYNOPSIS names the same options in the same order.
    std::string usageSynopsis;
    std::string usageOptions;
    bool inOptions = false;
    for (const std::string& line : Lines(usage)) {
      inOptions = inOptions || line.starts_with("  -");
      (inOptions ? usageOptions : usageSynopsis) += line + "\n";
    }
    std::string pageSynopsis;
    for (const std::string& line : ManSection(page, "SYNOPSIS")) pageSynopsis += line + "\n";
    EXPECT_EQ(OptionsIn(usageSynopsis), OptionsIn(pageSynopsis)) << program.name;

    // Every option the usage explains has an entry under OPTIONS, and the
    // other way round. An entry is a line that is not indented.
    const std::vector<std::string> explained = OptionsIn(usageOptions);
    std::string entries;
    for (const std::string& line : ManSection(page, "OPTIONS")) {
      if (!line.empty() && line.front() != '\t') entries += line + "\n";
    }
    const std::vector<std::string> documented = OptionsIn(entries);
    EXPECT_EQ(std::set<std::string>(explained.begin(), explained.end()),
              std::set<std::string>(documented.begin(), documented.end()))
        << program.name;
  }
}

// roff takes a line that begins with '.' or '\'' as a request and drops an
// unknown one without a word: ".png, .svg" at the start of a line would
// vanish from the page.
TEST(ProgramInformation, NoManualPageLineStartsLikeARoffRequest) {
  for (const Program& program : kPrograms) {
    int number = 0;
    for (const std::string& line : Lines(ManSource(program.name))) {
      ++number;
      const std::size_t text = line.find_first_not_of('\t');
      if (text == std::string::npos) continue;
      EXPECT_TRUE(line[text] != '.' && line[text] != '\'') << program.name << ".1.scd:" << number << ": " << line;
    }
  }
}

// Usage and version that cannot reach standard output fail the run, here
// through a closed pipe with SIGPIPE ignored, as a script's shell may have it.
TEST(ProgramInformation, OutputThatCannotBeWrittenFailsWithAMessage) {
  for (const Program& program : kPrograms) {
    for (const char* argument : {"--help", "--version"}) {
      int ends[2];
      ASSERT_EQ(pipe(ends), 0);
      close(ends[0]);
      const Outcome run =
          test::RunProgram(program.path, {argument}, {.output = ends[1], .ignoreSigpipe = true, .withoutDisplay = true});
      close(ends[1]);
      EXPECT_EQ(run.exitCode, 1) << program.name << " " << argument;
      EXPECT_NE(run.err.find(std::string(program.name) + ": 標準出力に書き込めません: "), std::string::npos)
          << program.name << " " << argument << ": " << run.err;
    }
  }
}

}  // namespace
}  // namespace zc
