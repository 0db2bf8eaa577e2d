#pragma once

#include "model/zing_error.h"

// A response body that is not the JSON a provider expects; the description is the parser's own text.
class DecodingError : public ZingError {
public:
    using ZingError::ZingError;
};
