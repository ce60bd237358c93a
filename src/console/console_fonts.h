// The console names its fonts as the calculator always has ("Courier New",
// "ＭＳ Ｐゴシック"); these map them to the monospace and Japanese Gothic
// fonts of this system, so Japanese text renders in every window.
#pragma once

namespace zc {

// Registers the substitutions once; later calls do nothing.
void InstallConsoleFonts();

}  // namespace zc
