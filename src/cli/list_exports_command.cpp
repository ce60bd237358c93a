#include "list_exports_command.h"

#include <fstream>
#include <ios>
#include <vector>

#include "library_exports.h"

namespace zc {

int RunListExports(const std::string& libraryPath, std::ostream& out, std::ostream& errors) {
  // An unreadable file is an error for the caller; a readable file that is
  // no library just has nothing to list.
  const auto unreadable = [&] {
    errors << "zeltacalc-console: '" << libraryPath << "' を読み込めません\n";
    return 1;
  };
  if (!std::ifstream(libraryPath, std::ios::binary)) return unreadable();
  std::vector<std::string> names;
  try {
    names = ListDllExports(libraryPath);
  } catch (const std::ios_base::failure&) {
    // A folder opens like a file and only fails on the first read.
    return unreadable();
  }
  for (const std::string& name : names) out << name << '\n';
  out.flush();
  return 0;
}

}  // namespace zc
