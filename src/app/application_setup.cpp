#include "application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zc {

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("zeltacalc"));
  // No display name: Qt would append it to every window title, and the
  // dialogs' titles are their captions alone.
  QApplication::setDesktopFileName(QStringLiteral("zeltacalc"));
  InstallQtJapanese(app, QString());
}

bool InstallQtJapanese(QApplication& app, const QString& folder) {
  auto* translator = new QTranslator(&app);
  const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
  if (!translator->load(QStringLiteral("qtbase_ja"), from) || !QApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace zc
