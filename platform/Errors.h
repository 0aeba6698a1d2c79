#pragma once
// Error types raised by the platform layer. Commands catch them and turn them
// into the program's own messages; nothing in the platform exits or aborts.
#include <stdexcept>
#include <string>

// A component stream or file that cannot be read (cut short, damaged, a value
// of the wrong type).
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture that cannot be decoded or is larger than any card needs.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A component class name that is not registered.
class EClassNotFound : public EReadError {
 public:
  using EReadError::EReadError;
};
