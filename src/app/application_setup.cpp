#include "application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "install_layout.h"

namespace zc {

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("zeltacalc"));
  // No display name: Qt would append it to every window title, and the
  // dialogs' titles are their captions alone.
  // Desktops match the window to its menu entry, and so to its icon, by this.
  QApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
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
