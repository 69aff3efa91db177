#include "fw/core/exceptions.h"

namespace fw {

Exception::Exception(String message) : FMessage(std::move(message)), FUtf8(StringToUtf8(FMessage)) {}

void Exception::SetMessage(String m) {
  FMessage = std::move(m);
  FUtf8 = StringToUtf8(FMessage);
}

void Abort() { throw EAbort(u"Operation aborted"); }

}  // namespace fw
