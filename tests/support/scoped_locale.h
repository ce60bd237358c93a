// Switches the C library's locale of the whole process for the lifetime of
// the object, then restores the previous one. Tests use it to run under a
// locale whose printf and strtod expect a decimal comma.
#pragma once

#include <clocale>
#include <string>

namespace zc::test {

inline constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";
inline constexpr const char* kMissingDecimalCommaLocale =
    "the locale de_DE.UTF-8 is not installed (locale-gen de_DE.UTF-8)";

class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
    active_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

  // False when the system lacks the locale; the process locale is unchanged.
  bool Active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

}  // namespace zc::test
