#pragma once

#include "postgres/Postgres.h"
#include "support/TempDir.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace vorq::testing {

// The engines a project database can live on; suites over the project run on each.
enum class Engine { SQLite, PostgreSQL };

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::SQLite ? "SQLite" : "PostgreSQL";
}
inline auto allEngines() {
    return ::testing::Values(Engine::SQLite, Engine::PostgreSQL);
}

// The test server's connection string (scripts/pg-test-server sets VORQ_TEST_PG); "" when
// there is none.
inline std::string testServer() {
    const char* server = std::getenv("VORQ_TEST_PG");
    return server ? server : "";
}

// The connection string with a further parameter, whatever its form.
inline std::string withParameter(const std::string& conninfo, const std::string& key,
                                 const std::string& value) {
    if (conninfo.starts_with("postgres"))
        return conninfo + (conninfo.find('?') == std::string::npos ? "?" : "&") + key + "=" + value;
    return conninfo + " " + key + "=" + value;
}

// A fresh, empty schema on the test server, dropped with everything in it at the end; its
// connection string makes it the current schema.
class ScratchSchema {
public:
    ScratchSchema() {
        static std::atomic<int> counter{0};
        name_ = "t" + std::to_string(getpid()) + "_" + std::to_string(++counter);
        postgres::Connection(testServer()).exec("CREATE SCHEMA " + name_);
        conninfo_ = withParameter(testServer(), "options", "-csearch_path%3D" + name_);
    }
    ~ScratchSchema() {
        try {
            postgres::Connection(testServer()).exec("DROP SCHEMA " + name_ + " CASCADE");
        } catch (const std::exception& e) {
            ADD_FAILURE() << "cannot drop the scratch schema " << name_ << ": " << e.what();
        }
    }
    ScratchSchema(const ScratchSchema&) = delete;
    ScratchSchema& operator=(const ScratchSchema&) = delete;

    const std::string& conninfo() const { return conninfo_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::string conninfo_;
};

// A suite whose tests run once per engine; the PostgreSQL ones are skipped, saying why, where
// no test server was started.
class EngineTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Engine::PostgreSQL && testServer().empty())
            GTEST_SKIP() << "PostgreSQL skipped: VORQ_TEST_PG names no test server "
                            "(scripts/pg-test-server run ... starts one)";
    }
};

} // namespace vorq::testing
