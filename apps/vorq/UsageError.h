#pragma once

#include "host/Error.h"

namespace vorq::app {

// The command line asked for something that cannot be: vorq exits with status 2.
class UsageError : public Error {
public:
    using Error::Error;
};

} // namespace vorq::app
