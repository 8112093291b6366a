#pragma once

#include <chrono>

namespace vorq {

// Base of every object that the host hands over untyped, so that the component can ask for
// the interface it needs (dynamic_cast) as an automation client would.
class HostObject {
public:
    virtual ~HostObject() = default;
};

// The "current date and time" argument of the host's table services.
using Timestamp = std::chrono::system_clock::time_point;

} // namespace vorq
