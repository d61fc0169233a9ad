#pragma once

#include "EVexaError.h"

// A link label could not open its target.
class EVexaURLLabError : public EVexaError {
public:
    using EVexaError::EVexaError;
};
