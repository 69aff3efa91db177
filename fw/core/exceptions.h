// Exceptions carrying a message, and the silent abort that ends an operation
// the user cancelled without showing anything.
#pragma once

#include <exception>
#include <string>

#include "fw/core/types.h"

namespace fw {

class Exception : public std::exception {
 public:
  explicit Exception(String message);
  const String& Message() const { return FMessage; }
  void SetMessage(String m);
  const char* what() const noexcept override { return FUtf8.c_str(); }

 private:
  String FMessage;
  std::string FUtf8;
};

#define FW_EXCEPTION_CLASS(Name, Base) \
  class Name : public Base {           \
   public:                             \
    using Base::Base;                  \
  };

FW_EXCEPTION_CLASS(EAbort, Exception)           // silent: never shown to the user
FW_EXCEPTION_CLASS(EConvertError, Exception)
FW_EXCEPTION_CLASS(EStreamError, Exception)
FW_EXCEPTION_CLASS(EFOpenError, EStreamError)
FW_EXCEPTION_CLASS(EFCreateError, EStreamError)
FW_EXCEPTION_CLASS(EReadError, EStreamError)
FW_EXCEPTION_CLASS(EWriteError, EStreamError)
FW_EXCEPTION_CLASS(EListError, Exception)
FW_EXCEPTION_CLASS(EStringListError, EListError)
FW_EXCEPTION_CLASS(EPropertyError, Exception)
FW_EXCEPTION_CLASS(EClassNotFound, Exception)
FW_EXCEPTION_CLASS(EComponentError, Exception)
FW_EXCEPTION_CLASS(EInvalidOperation, Exception)
FW_EXCEPTION_CLASS(EInvalidGraphic, Exception)
FW_EXCEPTION_CLASS(EOutOfResources, Exception)
FW_EXCEPTION_CLASS(EOSError, Exception)

// Ends the current operation without a message.
[[noreturn]] void Abort();

}  // namespace fw
