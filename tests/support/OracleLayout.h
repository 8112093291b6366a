#pragma once

// What GnuCOBOL computed for a copybook (cobc-layout's JSON lines), and our items in the same
// order, for comparing lengths and offsets.

#include "support/CobolText.h"

#include <istream>
#include <regex>
#include <string>
#include <vector>

namespace vorq::testing {

struct OracleItem {
    std::string name;
    long long offset = -1; // -1: not measured at a fixed place (inside an OCCURS)
    long long length = 0;
    bool measured = false;
};

inline std::vector<OracleItem> oracleItems(std::istream& jsonl) {
    static const std::regex name("\"name\": \"([^\"]*)\"");
    static const std::regex offset("\"offset\": (-?[0-9]+|null)");
    static const std::regex length("\"length\": ([0-9]+|null)");
    std::vector<OracleItem> items;
    for (std::string line; std::getline(jsonl, line);) {
        std::smatch m;
        OracleItem item;
        if (std::regex_search(line, m, name))
            item.name = m[1];
        if (std::regex_search(line, m, offset) && m[1] != "null")
            item.offset = std::stoll(m[1]);
        if (std::regex_search(line, m, length) && m[1] != "null")
            item.length = std::stoll(m[1]);
        item.measured = line.find("\"measured\": true") != std::string::npos;
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace vorq::testing
