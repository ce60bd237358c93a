#include "name_completion.h"

#include <algorithm>

#include "function_library.h"
#include "function_menus.h"

namespace zc {

namespace {

bool IsNameCharacter(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// The hint of the function menu item whose name is `name`, ignoring case.
QString MenuHint(std::string_view name) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (const FunctionMenu& menu : FixedFunctionMenus()) {
    for (const FunctionMenuItem& item : menu.items) {
      if (FunctionNameOfCaption(QString::fromUtf8(item.caption)).compare(wanted, Qt::CaseInsensitive) == 0) {
        return QString::fromUtf8(item.hint);
      }
    }
  }
  return {};
}

void AddNameValueLines(const NameValueList& lines, const QString& prefix, std::vector<CompletionEntry>& entries) {
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    const QString name = QString::fromStdString(line.substr(0, equals)).trimmed();
    if (name.isEmpty() || !name.startsWith(prefix, Qt::CaseInsensitive)) continue;
    entries.push_back({name, equals == std::string::npos ? QString() : QString::fromStdString(line.substr(equals + 1))});
  }
}

}  // namespace

WordBeforeCaret FindWordBeforeCaret(const QString& text, int caret) {
  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  int start = caret;
  while (start > 0 && IsNameCharacter(text[start - 1])) --start;
  while (start < caret && text[start].isDigit()) ++start;
  return {start, text.mid(start, caret - start)};
}

std::vector<CompletionEntry> CompletionEntries(const EngineContext& context, const NameValueList& variables,
                                               const QString& prefix) {
  std::vector<CompletionEntry> entries;
  for (const TBuiltinFunction& builtin : BuiltinFunctions()) {
    const std::string_view name = builtin.name;
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (text.startsWith(prefix, Qt::CaseInsensitive)) entries.push_back({text, MenuHint(name)});
  }
  for (const auto& function : context.userFunctions) {
    const QString name = QString::fromStdString(function->aName);
    if (!name.isEmpty() && name.startsWith(prefix, Qt::CaseInsensitive)) {
      entries.push_back({name, QString::fromStdString(function->aExplain)});
    }
  }
  AddNameValueLines(context.constants, prefix, entries);
  AddNameValueLines(variables, prefix, entries);
  std::stable_sort(entries.begin(), entries.end(), [](const CompletionEntry& a, const CompletionEntry& b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  return entries;
}

}  // namespace zc
