#include "cobol/Directives.h"

#include "host/Text.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace vorq::cobol {
namespace {

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::string unquoted(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A condition in its short form: the optional words IS, TO and THAN dropped, EQUAL, GREATER
// and LESS [OR EQUAL] as operators, SET as DEFINED, a comment after it left out.
std::vector<std::string> shortForm(const std::vector<std::string>& w) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < w.size() && !w[i].starts_with("*>"); ++i) {
        const std::string& word = w[i];
        if (word == "IS" || word == "TO" || word == "THAN")
            continue;
        if (word == "EQUAL" || word == "EQUALS")
            out.push_back("=");
        else if (word == "SET")
            out.push_back("DEFINED");
        else if (word == "GREATER" || word == "LESS")
            out.push_back(word == "GREATER" ? ">" : "<");
        else if (word == "OR" && !out.empty() && (out.back() == ">" || out.back() == "<") &&
                 i + 1 < w.size() && (w[i + 1] == "EQUAL" || w[i + 1] == "=")) {
            out.back() += "=";
            ++i;
        } else
            out.push_back(word);
    }
    return out;
}

} // namespace

void Directives::apply(const std::string& text, const SourceLocation& at) {
    auto w = words(text);
    if (w.empty())
        return;
    for (auto& word : w)
        if (word.front() != '"' && word.front() != '\'')
            word = upperCase(word);
    const std::string& verb = w[0];
    if (verb == "IF") {
        const bool outer = active();
        const bool holds = outer && condition({w.begin() + 1, w.end()}, at);
        blocks_.push_back({holds, holds, outer});
    } else if (verb == "ELIF" || verb == "ELSE-IF" || verb == "ELSE" || verb == "END-IF") {
        if (blocks_.empty()) {
            diags_.error(at, ">>" + verb + " without an >>IF before it");
            return;
        }
        Block& b = blocks_.back();
        if (verb == "END-IF") {
            blocks_.pop_back();
        } else if (verb == "ELSE") {
            b.active = b.outerActive && !b.taken;
            b.taken = true;
        } else {
            b.active = b.outerActive && !b.taken && condition({w.begin() + 1, w.end()}, at);
            b.taken = b.taken || b.active;
        }
    } else if (!active()) {
        return;
    } else if (verb == "DEFINE" || (verb == "SET" && w.size() > 1 && w[1] == "CONSTANT")) {
        std::size_t i = 1;
        if (i < w.size() && w[i] == "CONSTANT")
            ++i;
        if (i >= w.size()) {
            diags_.error(at, ">>" + verb + " needs a name");
            return;
        }
        const std::string name = w[i++];
        if (i < w.size() && w[i] == "OFF") {
            defined_.erase(name);
            return;
        }
        if (i < w.size() && w[i] == "AS")
            ++i;
        defined_[name] = i < w.size() ? unquoted(w[i]) : "";
    }
}

bool Directives::condition(const std::vector<std::string>& written, const SourceLocation& at) {
    const std::vector<std::string> w = shortForm(written);
    if (w.size() >= 2 && w.back() == "DEFINED") {
        const bool negated = w.size() == 3 && w[1] == "NOT";
        if (w.size() == 2 || negated)
            return (defined_.count(w[0]) > 0) != negated;
    }
    if (w.size() == 3 || (w.size() == 4 && w[1] == "NOT")) {
        const bool negated = w.size() == 4;
        const std::string& op = negated ? w[2] : w[1];
        static const std::vector<std::string> operators{"=", "<>", "<", ">", "<=", ">="};
        if (std::find(operators.begin(), operators.end(), op) == operators.end())
            return unsupported(written, at);
        const auto found = defined_.find(w[0]);
        if (found == defined_.end())
            return negated; // as GnuCOBOL: a name no >>DEFINE gave compares false
        const std::string left = found->second, right = unquoted(w.back());
        char* end = nullptr;
        const double l = std::strtod(left.c_str(), &end);
        const bool numeric = !left.empty() && *end == '\0';
        const double r = std::strtod(right.c_str(), &end);
        const int order = numeric && !right.empty() && *end == '\0' ? (l < r   ? -1
                                                                       : l > r ? 1
                                                                               : 0)
                          : left.compare(right) < 0                 ? -1
                          : left.compare(right) > 0                 ? 1
                                                                    : 0;
        bool holds = false;
        if (op == "=")
            holds = order == 0;
        else if (op == "<>")
            holds = order != 0;
        else if (op == "<")
            holds = order < 0;
        else if (op == ">")
            holds = order > 0;
        else if (op == "<=")
            holds = order <= 0;
        else
            holds = order >= 0;
        return holds != negated;
    }
    return unsupported(written, at);
}

bool Directives::unsupported(const std::vector<std::string>& w, const SourceLocation& at) {
    std::string shown;
    for (const auto& part : w)
        shown += (shown.empty() ? "" : " ") + part;
    diags_.error(at, "the >>IF condition '" + shown +
                         "' is not supported (name IS [NOT] DEFINED, name IS [NOT] SET, name "
                         "[NOT] = value, with EQUAL, GREATER, LESS [OR EQUAL] for =, >, <)");
    return false;
}

void Directives::finish(const SourceLocation& end) {
    if (!blocks_.empty())
        diags_.error(end, "an >>IF is not closed by >>END-IF");
}

} // namespace vorq::cobol
