#pragma once

#include <exception>
#include <thread>

namespace vorq::testing {

// Runs body on a new thread and rethrows what it threw there. The component keeps its module
// state and dialog per thread, so each test that runs the component starts from nothing.
template <class Body> void onFreshThread(Body body) {
    std::exception_ptr failure;
    std::thread thread([&] {
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    thread.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace vorq::testing
