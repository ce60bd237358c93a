// Property setters of the graph component repaint only when a value really
// changes.
#pragma once

namespace zc {

// Assigns `value` to `field` and tells whether that changed anything.
template <typename T>
bool StoreChanged(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace zc
