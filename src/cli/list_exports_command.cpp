#include "list_exports_command.h"

#include <optional>
#include <vector>

#include "library_exports.h"

namespace zc {

int RunListExports(const std::string& libraryPath, std::ostream& out, std::ostream& errors) {
  // An unreadable file is an error for the caller; a readable file that is
  // no library just has nothing to list.
  const std::optional<std::vector<std::string>> names = TryListDllExports(libraryPath);
  if (!names) {
    errors << "zeltacalc-console: '" << libraryPath << "' を読み込めません\n";
    return 1;
  }
  for (const std::string& name : *names) out << name << '\n';
  out.flush();
  return 0;
}

}  // namespace zc
