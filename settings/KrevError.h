// The error the settings model and the windowed programs raise for a failed step that the user
// should see (a registry value that cannot be written, a file that cannot be opened or written).
// It carries the message as GBK text; the window toolkit shows it in its default error box.
#pragma once

#include <stdexcept>
#include <string>

class EKrevError : public std::runtime_error {
 public:
  explicit EKrevError(const std::string& message) : std::runtime_error(message) {}
  const char* Message() const noexcept { return what(); }
};

// A registry value that could not be written although its key was open.
class ERegistryError : public EKrevError {
 public:
  using EKrevError::EKrevError;
};
