// The toolkit's own error and the text rule of the default error box. Any std::exception that
// escapes an event handler is shown in that box; EToolkitError is what the toolkit itself raises
// (a memo that cannot open or write its file, a picture that cannot be decoded).
#pragma once

#include <stdexcept>
#include <string>

class EToolkitError : public std::runtime_error {
 public:
  explicit EToolkitError(const std::string& message) : std::runtime_error(message) {}
};

// The text the default error box shows: the message, with "." added when its last byte sorts
// after "." (a letter, a digit or a Chinese character gets one; ".", "!" or "," none).
std::string ErrorBoxText(const std::string& message);
