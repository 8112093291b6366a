#pragma once

#include <cstddef>
#include <string>

namespace vorq::bench {

// A fixed-format copybook of about `items` data items in records of nested groups, with
// OCCURS tables (small ones and large ones), REDEFINES and COMP-3 / COMP fields.
std::string syntheticCopybook(std::size_t items);

// The same items as a program's WORKING-STORAGE, for compilers that take only programs.
std::string syntheticProgram(std::size_t items);

} // namespace vorq::bench
