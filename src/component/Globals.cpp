#include "component/Globals.h"

#include "dialog/frmImport.h"

namespace vorq {

Globals::Globals() = default;
Globals::~Globals() = default;

Globals& Globals::current() {
    thread_local Globals state;
    return state;
}

} // namespace vorq
