#pragma once
// Run-time errors: a failure is an exception carrying the error's number.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace velmora {

// The platform's error numbers that this program raises or looks for.
inline constexpr int kErrInvalidCall = 5;
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrSubscript = 9;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrPathAccess = 75;
inline constexpr int kErrInvalidUseOfNull = 94;
inline constexpr int kErrNoSuchArrayElement = 340;  // a control array's element that is not loaded
inline constexpr int kErrInvalidPropertyValue = 380;
inline constexpr int kErrInvalidPropertyIndex = 381;
inline constexpr int kErrObjectRequired = 424;
inline constexpr int kErrNoSuchMember = 438;  // the object has no such property or method
inline constexpr int kErrAutomation = 440;
inline constexpr int kErrWrongArguments = 450;
inline constexpr int kErrDuplicateKey = 457;  // a collection's key already in use

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description);
  int Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// Raises error `number`; an empty description takes the standard message.
[[noreturn]] void RaiseError(int number, const std::string& description = {});

// The platform's standard message for an error number.
std::string StandardErrorMessage(int number);

}  // namespace velmora
