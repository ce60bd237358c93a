#include "user_prompts.h"

#include <exception>

namespace zc {

bool RunShowingFailure(UserPrompts& prompts, QWidget* parent, const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const std::exception& failure) {
    prompts.ShowError(parent, QString::fromUtf8(failure.what()));
    return false;
  }
}

}  // namespace zc
