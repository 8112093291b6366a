#pragma once

#include "host/Error.h"

#include <string>

namespace vorq::testing {

// The description of the vorq::Error that work raises; "" when it raises none.
template <class Work> std::string errorOf(Work&& work) {
    try {
        work();
    } catch (const Error& e) {
        return e.description();
    }
    return "";
}

} // namespace vorq::testing
