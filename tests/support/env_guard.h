#pragma once
// Sets (or with nullopt unsets) one environment variable for one scope and
// restores it on the way out, a failed assertion included, so no later test
// inherits it. POSIX only.

#include <cstdlib>
#include <optional>
#include <string>

namespace tarq::testing {

class EnvGuard final {
 public:
  EnvGuard(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    Set(value);
  }
  ~EnvGuard() { Set(saved_); }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

  const char* name_;
  std::optional<std::string> saved_;
};

}  // namespace tarq::testing
