#pragma once

#include <string>

namespace vorq::postgres {
class Connection;
}

namespace vorq::projectdb {

// The advisory lock that serialises the writers of one database: the schema's creation and
// every import run hold it until their transaction ends.
constexpr long long kProjectLock = 0x766f7271;

// Creates the project's tables in the connection's current schema when it holds none, or
// checks that it holds a project of a version this program reads; raises vorq::Error naming
// the project otherwise. Nothing is changed unless writable.
void preparePostgresSchema(postgres::Connection& connection, const std::string& project,
                           bool writable);

} // namespace vorq::projectdb
