#pragma once

#include "cobol/DataItem.h"

#include <memory>
#include <string>
#include <vector>

namespace vorq::cobol {

enum class Section { File, WorkingStorage, LocalStorage, Linkage };

const char* sectionName(Section section);

// A top-level data item of a program and where it was declared.
struct Record {
    std::unique_ptr<DataItem> item;
    Section section = Section::WorkingStorage;
    std::string file; // the FD or SD it belongs to, for the file section
};

// A file of a program: its SELECT and its FD or SD.
struct FileDeclaration {
    std::string name;     // the file's name in the program
    std::string assignTo; // the external name (ASSIGN TO)
    bool sort = false;    // SD
    SourceLocation at;
};

enum class FileVerb { Read, Write, Rewrite, Delete };

const char* verbName(FileVerb verb);

// A READ, WRITE, REWRITE or DELETE statement.
struct FileUse {
    FileVerb verb = FileVerb::Read;
    std::string file;   // the file read or deleted, or the file whose record is written
    std::string record; // WRITE/REWRITE: the record named; READ INTO / WRITE FROM: the other item
    std::string other;  // READ ... INTO x, WRITE ... FROM x
    SourceLocation at;
};

struct Program {
    std::string name;
    SourceLocation at;
    std::vector<FileDeclaration> files;
    std::vector<Record> records;
    std::vector<FileUse> uses;
    std::vector<std::unique_ptr<Program>> nested;
    Program* parent = nullptr;
    // The picture symbol of SPECIAL-NAMES' CURRENCY SIGN, when it is not $; nested programs
    // take their container's.
    char currencySymbol = 0;
};

// What the reader makes of one source file.
struct SourceModel {
    enum class Kind { Copybook, Program };
    Kind kind = Kind::Copybook;
    std::string path;
    std::string name; // copybook: file stem in upper case; program file: its file name
    std::vector<std::unique_ptr<DataItem>> items; // copybook records
    std::vector<std::unique_ptr<Program>> programs;
    // The source and its COPY members, which the items' locations point into.
    std::vector<std::shared_ptr<const SourceFile>> files;
};

} // namespace vorq::cobol
