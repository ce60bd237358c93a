// The windows the application creates after the main window, in start-up
// order, and the menu items that open them.
#pragma once

namespace zc {

class TForm1;

// Creates the constants dialog, the user function manager, the graph tool,
// the error explanation dialog, the quadratic equation tool and the calculus
// tool, in this order, owned by `form`, and enables their menu items. The
// prime and fraction tools are wired to their items here and created on
// first use.
void CreateStartupWindows(TForm1& form);

}  // namespace zc
