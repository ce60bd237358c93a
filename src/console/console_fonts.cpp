#include "console_fonts.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace zc {

void InstallConsoleFonts() {
  static bool installed = false;
  if (installed) return;
  installed = true;

  // Monospace first; the Japanese Gothic fonts follow so that Japanese text
  // in the log still finds its glyphs.
  const QStringList monospace = {
      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
      QStringLiteral("Liberation Mono"),  QStringLiteral("Nimbus Mono PS"),
      QStringLiteral("IPAGothic"),        QStringLiteral("Noto Sans CJK JP"),
      QStringLiteral("monospace")};
  QFont::insertSubstitutions(QStringLiteral("Courier New"), monospace);
  QFont::insertSubstitutions(QStringLiteral("Courier"), monospace);

  const QStringList gothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                              QStringLiteral("Droid Sans Fallback"), QStringLiteral("sans-serif")};
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);

  // Widgets without a font of their own use the Japanese Gothic face.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QFont font = QApplication::font();
    QStringList families{QStringLiteral("ＭＳ Ｐゴシック")};
    families += font.families();
    font.setFamilies(families);
    QApplication::setFont(font);
  }
}

}  // namespace zc
