// The dialog test classes share one executable; each file runs its own.
#pragma once

namespace zc::dialog_tests {

int RunValueListEditorTests(int argc, char** argv);
int RunConstDlgTests(int argc, char** argv);
int RunTenkeysTests(int argc, char** argv);
int RunExpErrorTests(int argc, char** argv);
int RunAboutBoxTests(int argc, char** argv);

}  // namespace zc::dialog_tests
