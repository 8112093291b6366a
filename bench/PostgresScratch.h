#pragma once

#include "postgres/Postgres.h"

#include <cstdlib>
#include <fmt/core.h>
#include <optional>
#include <string>
#include <string_view>

namespace vorq::bench {

// A fresh schema on the server that VORQ_TEST_PG names, dropped at the end, and the connection
// string that makes it the current schema. open() says why a figure is skipped where no
// server was started.
class PostgresScratch {
public:
    static std::optional<PostgresScratch> open(const std::string& schema, std::string_view figure) {
        const char* server = std::getenv("VORQ_TEST_PG");
        if (!server || !*server) {
            fmt::print("{}: skipped (no PostgreSQL server: run under scripts/pg-test-server "
                       "run)\n",
                       figure);
            return std::nullopt;
        }
        return PostgresScratch(server, schema);
    }
    PostgresScratch(PostgresScratch&& other) noexcept
        : admin_(std::move(other.admin_)), schema_(std::move(other.schema_)),
          conninfo_(std::move(other.conninfo_)) {
        other.admin_.reset(); // the moved-from scratch drops nothing
    }
    PostgresScratch& operator=(PostgresScratch&&) = delete;
    ~PostgresScratch() {
        if (admin_)
            admin_->exec("DROP SCHEMA " + schema_ + " CASCADE");
    }

    const std::string& conninfo() const { return conninfo_; }

private:
    PostgresScratch(const std::string& server, const std::string& schema)
        : admin_(std::in_place, server), schema_(schema) {
        admin_->exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema);
        conninfo_ = server + (server.find('?') == std::string::npos ? "?" : "&") +
                    "options=-csearch_path%3D" + schema;
    }

    std::optional<postgres::Connection> admin_;
    std::string schema_;
    std::string conninfo_;
};

} // namespace vorq::bench
