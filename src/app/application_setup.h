// What the application sets up before its first window: its names and Qt's
// own texts (file dialogs, message-box buttons) in Japanese like the rest of
// the interface.
#pragma once

class QApplication;
class QString;

namespace zc {

// Names the application and installs Qt's Japanese translation.
void SetUpApplication(QApplication& app);

// Loads Qt's own Japanese texts (qtbase_ja.qm from Qt's translations folder,
// or from `folder` when one is given) into `app`. False when the translation
// is not installed; Qt's texts then stay in English.
bool InstallQtJapanese(QApplication& app, const QString& folder);

}  // namespace zc
