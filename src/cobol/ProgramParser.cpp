#include "cobol/ProgramParser.h"

#include "cobol/DataParser.h"
#include "cobol/StorageLayout.h"
#include "host/Text.h"

#include <algorithm>

namespace vorq::cobol {
namespace {

// A picture written with the program's own currency symbol is laid out, and stored, with $:
// the symbol takes one position either way, and every later reader knows $.
void withDollarSign(DataItem& item, char symbol) {
    int depth = 0;
    for (char& c : item.picture) {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth == 0 && asciiUpper(c) == symbol)
            c = '$';
    }
    for (auto& child : item.children)
        withDollarSign(*child, symbol);
}

bool isDivision(const TokenCursor& in, std::string_view name) {
    return in.peek().is(name) && in.peek(1).is("DIVISION");
}

bool isSection(const TokenCursor& in) {
    const Token& t = in.peek();
    return in.peek(1).is("SECTION") &&
           (t.is("FILE") || t.is("WORKING-STORAGE") || t.is("LOCAL-STORAGE") || t.is("LINKAGE") ||
            t.is("COMMUNICATION") || t.is("REPORT") || t.is("SCREEN") || t.is("CONFIGURATION") ||
            t.is("INPUT-OUTPUT"));
}

bool isIdentification(const TokenCursor& in) {
    return isDivision(in, "IDENTIFICATION") || isDivision(in, "ID");
}

// A program begins with IDENTIFICATION DIVISION, or with PROGRAM-ID alone: the division
// header is optional. A user-defined function (FUNCTION-ID) is read as a program.
bool isProgramStart(const TokenCursor& in) {
    return isIdentification(in) || in.peek().is("PROGRAM-ID") || in.peek().is("FUNCTION-ID");
}

bool isEndProgram(const TokenCursor& in) {
    return in.peek().is("END") && (in.peek(1).is("PROGRAM") || in.peek(1).is("FUNCTION"));
}

class ProgramReader {
public:
    ProgramReader(TokenCursor& in, SourceModel& model, Diagnostics& diags)
        : in_(in), model_(model), diags_(diags) {}

    void run() {
        std::vector<Program*> open;
        while (!in_.atEnd()) {
            in_.release();
            if (isProgramStart(in_)) {
                const Token& start = in_.peek();
                auto program = identification();
                Program* added = program.get();
                if (open.empty()) {
                    model_.programs.push_back(std::move(program));
                } else {
                    program->parent = open.back();
                    open.back()->nested.push_back(std::move(program));
                }
                added->at = start.at;
                open.push_back(added);
                body(*added);
                continue;
            }
            if (isEndProgram(in_)) {
                endProgram(open);
                continue;
            }
            const Token& t = in_.next();
            if (open.empty() && (t.is("PROCESS") || t.is("CBL"))) {
                // Compiler options for the programs that follow: the rest of the line.
                while (!in_.atEnd() && !in_.peek().lineStart)
                    in_.next();
                continue;
            }
            if (open.empty())
                diags_.error(t.at, "expected IDENTIFICATION DIVISION to begin a program, not '" +
                                       t.text + "'");
            skipToPeriod();
        }
        if (model_.programs.empty())
            diags_.error(in_.last().at, "expected a program: the source has no PROGRAM-ID");
        if (!endProgramSeen_)
            unnest();
    }

private:
    // Where no END PROGRAM is written, programs do not nest: each one ends where the next
    // begins. Until one is seen a program is taken to hold the next, as with END PROGRAM.
    void unnest() {
        std::vector<std::unique_ptr<Program>> chain = std::move(model_.programs);
        model_.programs.clear();
        for (std::size_t i = 0; i < chain.size(); ++i) {
            for (auto& nested : chain[i]->nested) {
                nested->parent = nullptr;
                chain.push_back(std::move(nested));
            }
            chain[i]->nested.clear();
        }
        model_.programs = std::move(chain);
    }

    void endProgram(std::vector<Program*>& open) {
        endProgramSeen_ = true;
        in_.next();
        in_.next();
        const Token& name = in_.next();
        // A literal name matches without its blanks, as the compiler matches it.
        const auto it = std::find_if(open.rbegin(), open.rend(), [&](Program* p) {
            return sameName(trimmed(p->name), trimmed(name.text));
        });
        if (it == open.rend())
            diags_.error(name.at, "END PROGRAM names " + name.text + ", which is no open program");
        else
            open.erase(std::next(it).base(), open.end());
        if (in_.peek().kind == TokenKind::Period)
            in_.next();
    }

    std::unique_ptr<Program> identification() {
        if (isIdentification(in_)) {
            in_.next();
            in_.next();
            acceptPeriod();
        }
        // Comment paragraphs may come before PROGRAM-ID too; the lexer kept only their names.
        while (in_.peek().is("AUTHOR") || in_.peek().is("INSTALLATION") ||
               in_.peek().is("DATE-WRITTEN") || in_.peek().is("DATE-COMPILED") ||
               in_.peek().is("SECURITY") || in_.peek().is("REMARKS")) {
            in_.next();
            acceptPeriod();
        }
        auto program = std::make_unique<Program>();
        if (!in_.accept("PROGRAM-ID") && !in_.accept("FUNCTION-ID")) {
            diags_.error(in_.peek().at,
                         "expected PROGRAM-ID or FUNCTION-ID after IDENTIFICATION DIVISION");
        } else {
            acceptPeriod();
            const Token& name = in_.next();
            if (name.kind != TokenKind::Word && name.kind != TokenKind::Literal)
                diags_.error(name.at, "expected the program's name after PROGRAM-ID");
            program->name = name.name();
            if (in_.peek().is("AS") && in_.peek(1).kind == TokenKind::Literal)
                in_.next(), in_.next(); // the name it has outside
            while (in_.peek().is("IS") || in_.peek().is("COMMON") || in_.peek().is("INITIAL") ||
                   in_.peek().is("RECURSIVE") || in_.peek().is("PROGRAM"))
                in_.next();
            acceptPeriod();
        }
        return program;
    }

    // The divisions of a program, up to its end, a nested or following program.
    void body(Program& program) {
        while (!in_.atEnd() && !isProgramStart(in_) && !isEndProgram(in_)) {
            in_.release();
            if (isDivision(in_, "ENVIRONMENT")) {
                in_.next(), in_.next(), acceptPeriod();
                environment(program);
            } else if (isDivision(in_, "DATA")) {
                in_.next(), in_.next(), acceptPeriod();
                data(program);
            } else if (isDivision(in_, "PROCEDURE")) {
                in_.next(), in_.next();
                procedure(program);
            } else {
                in_.next(); // identification paragraphs (AUTHOR, ...) and their free text
            }
        }
        resolveUses(program);
    }

    void environment(Program& program) {
        while (!in_.atEnd() && !isDivision(in_, "DATA") && !isDivision(in_, "PROCEDURE") &&
               !isProgramStart(in_) && !isEndProgram(in_)) {
            if (in_.accept("SELECT")) {
                select(program);
                continue;
            }
            if (in_.accept("CURRENCY")) {
                currency(program);
                continue;
            }
            in_.next();
        }
    }

    // CURRENCY [SIGN] [IS] literal [[WITH] PICTURE SYMBOL literal]: the symbol that pictures
    // use for the sign.
    void currency(Program& program) {
        in_.accept("SIGN");
        in_.accept("IS");
        if (in_.peek().kind != TokenKind::Literal)
            return;
        std::string symbol = in_.next().text;
        in_.accept("WITH");
        if (in_.accept("PICTURE")) {
            in_.accept("SYMBOL");
            if (in_.peek().kind == TokenKind::Literal)
                symbol = in_.next().text;
        }
        if (symbol.size() == 1 && symbol != "$")
            program.currencySymbol = asciiUpper(symbol[0]);
    }

    void select(Program& program) {
        in_.accept("OPTIONAL");
        FileDeclaration file;
        file.at = in_.peek().at;
        file.name = in_.next().name();
        while (!in_.atEnd() && in_.peek().kind != TokenKind::Period && !in_.peek().is("ASSIGN"))
            in_.next();
        if (in_.accept("ASSIGN")) {
            in_.accept("TO") || in_.accept("USING");
            if (in_.peek().kind == TokenKind::Word || in_.peek().kind == TokenKind::Literal)
                file.assignTo = in_.next().name();
        } else {
            diags_.error(file.at, "expected ASSIGN in the SELECT of " + file.name);
        }
        if (file.assignTo.empty())
            file.assignTo = file.name;
        program.files.push_back(std::move(file));
        skipToPeriod();
    }

    void data(Program& program) {
        Section section = Section::WorkingStorage;
        std::string fd;
        std::vector<std::unique_ptr<DataItem>> sectionItems;
        const auto keep = [&](std::vector<std::unique_ptr<DataItem>> items) {
            for (auto& item : items)
                program.records.push_back({std::move(item), section, fd});
        };
        while (!in_.atEnd() && !isDivision(in_, "PROCEDURE") && !isProgramStart(in_) &&
               !isEndProgram(in_)) {
            if (isSection(in_)) {
                const std::string name = in_.next().upper();
                in_.next();
                acceptPeriod();
                fd.clear();
                section = name == "FILE"            ? Section::File
                          : name == "LOCAL-STORAGE" ? Section::LocalStorage
                          : name == "LINKAGE"       ? Section::Linkage
                                                    : Section::WorkingStorage;
                if (name == "REPORT" || name == "SCREEN" || name == "COMMUNICATION") {
                    diags_.warning(in_.peek().at, "the " + name + " SECTION is not read");
                    while (!in_.atEnd() && !isSection(in_) && !isDivision(in_, "PROCEDURE"))
                        in_.next();
                }
                continue;
            }
            if (in_.peek().is("FD") || in_.peek().is("SD")) {
                const bool sort = in_.next().is("SD");
                const Token& name = in_.next();
                fd = name.name();
                auto it =
                    std::find_if(program.files.begin(), program.files.end(),
                                 [&](const FileDeclaration& f) { return sameName(f.name, fd); });
                if (it == program.files.end()) {
                    diags_.warning(name.at, "no SELECT names the file " + fd +
                                                "; its external name is taken to be " + fd);
                    program.files.push_back({fd, fd, sort, name.at});
                } else {
                    it->sort = sort;
                }
                skipToPeriod();
                continue;
            }
            const std::size_t before = in_.position();
            keep(parseDataEntries(in_, diags_, atHeader));
            // The entries stop at any header; one that this loop does not take (a second
            // ENVIRONMENT or DATA DIVISION, an IDENTIFICATION DIVISION without a PROGRAM-ID)
            // is out of place here and is passed over.
            if (in_.position() == before) {
                diags_.error(in_.peek().at,
                             "'" + in_.peek().text + "' is out of place in the DATA DIVISION");
                in_.next();
                skipToPeriod();
            }
        }
        std::vector<std::unique_ptr<DataItem>> items;
        for (auto& r : program.records)
            items.push_back(std::move(r.item));
        for (const Program* p = &program; p; p = p->parent)
            if (p->currencySymbol) {
                for (auto& item : items)
                    withDollarSign(*item, p->currencySymbol);
                break;
            }
        computeLayout(items, diags_);
        for (std::size_t i = 0; i < items.size(); ++i)
            program.records[i].item = std::move(items[i]);
    }

    void procedure(Program& program) {
        while (!in_.atEnd() && !isProgramStart(in_) && !isEndProgram(in_)) {
            in_.release();
            const Token& t = in_.next();
            if (t.is("READ"))
                fileUse(program, FileVerb::Read, t, "INTO");
            else if (t.is("WRITE"))
                fileUse(program, FileVerb::Write, t, "FROM");
            else if (t.is("REWRITE"))
                fileUse(program, FileVerb::Rewrite, t, "FROM");
            else if (t.is("DELETE"))
                fileUse(program, FileVerb::Delete, t, "");
        }
    }

    void fileUse(Program& program, FileVerb verb, const Token& at, std::string_view otherWord) {
        if (in_.peek().kind != TokenKind::Word)
            return;
        FileUse use;
        use.verb = verb;
        use.at = at.at;
        const std::string name = in_.next().name();
        (verb == FileVerb::Write || verb == FileVerb::Rewrite ? use.record : use.file) = name;
        for (int look = 0; look < 4 && !otherWord.empty(); ++look) {
            if (in_.peek().is(otherWord) && in_.peek(1).kind == TokenKind::Word) {
                in_.next();
                use.other = in_.next().name();
                break;
            }
            if (!(in_.peek().is("NEXT") || in_.peek().is("PREVIOUS") || in_.peek().is("RECORD") ||
                  in_.peek().is("WITH") || in_.peek().is("NO") || in_.peek().is("LOCK")))
                break;
            in_.next();
        }
        program.uses.push_back(std::move(use));
    }

    // WRITE and REWRITE name a record: the file is the one whose FD holds it.
    void resolveUses(Program& program) {
        std::vector<FileUse> kept;
        for (auto& use : program.uses) {
            if (use.file.empty()) {
                const auto record = std::find_if(
                    program.records.begin(), program.records.end(), [&](const Record& r) {
                        return r.section == Section::File && sameName(r.item->name, use.record);
                    });
                if (record == program.records.end()) {
                    diags_.warning(use.at, std::string(verbName(use.verb)) + " " + use.record +
                                               ": no file record has that name, so it is not "
                                               "counted as a file use");
                    continue;
                }
                use.file = record->file;
            }
            const auto file =
                std::find_if(program.files.begin(), program.files.end(),
                             [&](const FileDeclaration& f) { return sameName(f.name, use.file); });
            if (file == program.files.end()) {
                diags_.warning(use.at, std::string(verbName(use.verb)) + " " + use.file +
                                           ": the program declares no such file");
                continue;
            }
            use.file = file->name;
            kept.push_back(std::move(use));
        }
        program.uses = std::move(kept);
    }

    void acceptPeriod() {
        if (in_.peek().kind == TokenKind::Period)
            in_.next();
    }

    void skipToPeriod() {
        while (!in_.atEnd() && in_.peek().kind != TokenKind::Period && !atHeader(in_))
            in_.next();
        acceptPeriod();
    }

    TokenCursor& in_;
    SourceModel& model_;
    Diagnostics& diags_;
    bool endProgramSeen_ = false;
};

} // namespace

bool atHeader(const TokenCursor& in) {
    return in.peek().is("FD") || in.peek().is("SD") || isSection(in) || isIdentification(in) ||
           isDivision(in, "ENVIRONMENT") || isDivision(in, "DATA") || isDivision(in, "PROCEDURE") ||
           isEndProgram(in);
}

const char* sectionName(Section section) {
    switch (section) {
    case Section::File:
        return "FILE";
    case Section::LocalStorage:
        return "LOCAL-STORAGE";
    case Section::Linkage:
        return "LINKAGE";
    case Section::WorkingStorage:
        break;
    }
    return "WORKING-STORAGE";
}

const char* verbName(FileVerb verb) {
    switch (verb) {
    case FileVerb::Write:
        return "WRITE";
    case FileVerb::Rewrite:
        return "REWRITE";
    case FileVerb::Delete:
        return "DELETE";
    case FileVerb::Read:
        break;
    }
    return "READ";
}

void parsePrograms(TokenCursor& cursor, SourceModel& model, Diagnostics& diags) {
    ProgramReader(cursor, model, diags).run();
}

} // namespace vorq::cobol
