// Tool windows that are opened and closed by the same menu item: created on
// first use, freed when closed, created afresh the next time.
#pragma once

#include <QPointer>
#include <QWidget>

namespace zc {

// If `window` is showing, closes it; otherwise creates it with `create` when
// there is none, and shows it (not modal).
template <class Window, class Create>
void ToggleToolWindow(QPointer<Window>& window, Create create) {
  if (window && window->isVisible()) {
    window->close();
    return;
  }
  if (!window) {
    window = create();
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace zc
