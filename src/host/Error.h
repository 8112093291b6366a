#pragma once

#include <stdexcept>
#include <string>

namespace vorq {

// The one exception type that crosses the component's boundary. It carries an automation-style
// error number besides its description, because a failed Run reaches the host with both.
class Error : public std::runtime_error {
public:
    // The generic failure number an automation call reports when nothing more specific applies.
    static constexpr int kGenericFailure = -2147467259; // 0x80004005

    explicit Error(const std::string& description, int number = kGenericFailure)
        : std::runtime_error(description), number_(number) {}

    int number() const { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

// A name the user gave that is not there: a table, a source, an item, a field, an encoding. A
// command line that names it is wrong (the command-line program exits with its usage status).
class NameError : public Error {
public:
    using Error::Error;
};

} // namespace vorq
