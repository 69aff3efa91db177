#include "fw/core/exceptions.h"

namespace fw {

Exception::Exception(String message) : message_(std::move(message)), utf8_(StringToUtf8(message_)) {}

void Exception::SetMessage(String m) {
  message_ = std::move(m);
  utf8_ = StringToUtf8(message_);
}

void Abort() { throw EAbort(u"Operation aborted"); }

}  // namespace fw
