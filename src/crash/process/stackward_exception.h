#pragma once
// The crash reporter's own exception class. The reporter never lets one escape to the
// program: it raises them only inside its own guarded sections.

#include <exception>
#include <memory>
#include <string>

namespace palvetta {

class TStackwardException : public std::exception {
 public:
  explicit TStackwardException(std::string message) : Message(std::move(message)) {}
  TStackwardException(TStackwardException&&) noexcept = default;
  TStackwardException& operator=(TStackwardException&&) noexcept = default;
  // Frees the inner exception first, then tells the installed notification (if any).
  ~TStackwardException() override;

  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
  int HelpContext = 0;
  std::unique_ptr<TStackwardException> InnerException;
  void* StackInfo = nullptr;
  bool AcquireInnerException = false;
};

// Raised by the run-time hooks when a C++ run time terminates abnormally; its traces hide
// the run time's throw routines.
class BcbTermination : public TStackwardException {
 public:
  using TStackwardException::TStackwardException;
};

// Called with every TStackwardException that is destroyed (the run-time hooks use it to
// forget what they noted about the exception); nullptr removes it.
using TExceptionDestroyedNotification = void (*)(const TStackwardException* exception) noexcept;
void SetExceptionDestroyedNotification(TExceptionDestroyedNotification notification) noexcept;

}  // namespace palvetta
