#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <vector>

namespace vorq::app {

struct AppContext;

// What vorq load is asked to do.
struct LoadOptions {
    std::string table;
    std::vector<std::string> types; // TABLE:FIELD=VALUE
    std::string data;
    std::string target;
    std::string encoding = "cp037";
    std::string format = "fixed";
    std::int64_t recordLength = 0;
    bool littleEndianLengths = false;
    bool lengthsExcludeWord = false;
    bool blockDescriptors = false;
    bool lengthAtEnd = false;
    std::int64_t headerBytes = 0;
    std::string lengthField;
    std::int64_t lengthAdjust = 0;
    std::int64_t footerBytes = 0;
    std::string part; // K/N
    bool nativeBinary = false;
    std::string floating;
    bool keepTrailingBlanks = false;
    bool append = false;
    bool replace = false;
    std::string rejects;
    std::int64_t maxErrors = -1;
    bool rejectRecords = false;
    std::vector<std::string> when;
    bool json = false;
};

// vorq load
void addLoadCommand(CLI::App& app, AppContext& context);
// vorq encodings: the code pages that a load reads
void addEncodingsCommand(CLI::App& app);
// Loads and prints the summary; raises vorq::Error when the load fails.
void runLoadCommand(const AppContext& context, const LoadOptions& options);

} // namespace vorq::app
