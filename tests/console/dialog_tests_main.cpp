#include <QApplication>

#include "dialog_test_suites.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  using namespace zc::dialog_tests;
  int failures = 0;
  for (auto* run : {RunValueListEditorTests, RunConstDlgTests, RunTenkeysTests, RunExpErrorTests, RunAboutBoxTests}) {
    failures += run(argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
