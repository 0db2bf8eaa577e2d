#pragma once

#include "model/zing_error.h"

// The request never got an HTTP answer (refused, reset, time-out, TLS failure, too large); the description is
// the network stack's own text.
class TransportError : public ZingError {
public:
    using ZingError::ZingError;
};
