#include "LoadCommand.h"

#include "AppContext.h"
#include "JsonOutput.h"
#include "UsageError.h"

#include <fmt/core.h>
#include <unistd.h>

namespace vorq::app {
namespace {

// "12,345 records, 38.2 MB/s, 4 s left" on one line that the next report overwrites.
void showProgress(const load::LoadProgress& p) {
    if (p.fileSize == 0) { // a stream: its end is not known
        fmt::print(stderr, "\r{} records, {:.1f} MB/s   ", p.records, p.megabytesPerSecond());
        return;
    }
    fmt::print(stderr, "\r{} records, {:.1f} MB/s, {:.0f} s left   ", p.records,
               p.megabytesPerSecond(), p.secondsLeft());
}

void report(const LoadOptions& options, bool quiet, const std::string& target,
            const load::LoadSummary& summary, std::int64_t recordLength) {
    if (quiet)
        return;
    if (options.json) {
        fmt::print("{}", jsonText(loadJson(options.data, target, summary)));
        return;
    }
    fmt::print("loaded {} records of {}{} into {} in {:.2f} s ({:.1f} MB/s)\n", summary.records,
               options.data, options.part.empty() ? "" : " (part " + options.part + ")", target,
               summary.seconds, summary.megabytesPerSecond());
    if (summary.records == 0)
        fmt::print("  the file holds no records\n");
    if (!summary.framing.empty())
        fmt::print("  its descriptor words hold {}\n", summary.framing);
    if (summary.replaced > 0)
        fmt::print("  {} rows that the tables held before were replaced (--replace)\n",
                   summary.replaced);
    for (const auto& [table, rows] : summary.rowsPerTable)
        fmt::print("  {}: {} rows\n", table, rows);
    if (summary.skipped > 0 && options.types.empty())
        fmt::print("{} records of another type (--when) skipped\n", summary.skipped);
    if (summary.skipped > 0 && !options.types.empty())
        fmt::print("{} records of none of the types given (--type) were not loaded{}\n",
                   summary.skipped,
                   options.rejects.empty() ? " (--rejects FILE lists them)"
                                           : "; listed in " + options.rejects);
    if (summary.withErrors > 0)
        fmt::print("{} records with errors, {} of them left out{}\n", summary.withErrors,
                   summary.rejected,
                   options.rejects.empty() ? " (--rejects FILE lists them)"
                                           : "; listed in " + options.rejects);
    for (const auto& [reason, count] : summary.leftOutBy)
        fmt::print("  left out, {}: {}\n", reason, count);
    if (summary.longer > 0)
        fmt::print("warning: {} records are longer than the layout's {} bytes; their bytes past "
                   "it were not read (is the copybook the file's?)\n",
                   summary.longer, recordLength);
    for (const auto& column : summary.columnsWithoutSource)
        fmt::print("NULL in {}\n", column);
}

} // namespace

void runLoadCommand(const AppContext& context, const LoadOptions& options) {
    LoadRun load(context, options);
    const bool showing = !context.quiet && ::isatty(STDERR_FILENO);
    try {
        const load::LoadSummary summary = load.run(showing ? showProgress : nullptr);
        if (showing)
            fmt::print(stderr, "\r{:60}\r", "");
        report(options, context.quiet, load.targetName(), summary, load.longestRecord());
    } catch (const load::TargetNotEmpty& e) {
        throw Error(e.description() + ": --append adds the records to them, --replace replaces "
                                      "them (and those of the child tables)");
    } catch (const load::RecordNotStored& e) {
        throw Error(e.description() + " (--max-errors N lets a load leave out up to N records "
                                      "with errors, and lists them with --rejects FILE)");
    } catch (const load::TooManyErrors& e) {
        throw Error(e.description() + (e.listed ? "" : " (--rejects FILE lists the errors)"));
    } catch (const load::RecordsDoNotFit& e) {
        throw Error(e.description() + " (--record-length, --format rdw or text, --header, "
                                      "--footer)");
    } catch (const load::FramingAmbiguous& e) {
        std::string flags;
        for (const load::DescriptorFraming& f : e.readings)
            flags += "\n  " + f.describe() + ":" + (f.littleEndian ? " --little-endian" : "") +
                     (f.lengthInLastHalf ? " --length-at-end" : "") +
                     (f.excludesWord ? " --data-lengths" : "") + (f.blocks ? " --bdw" : "");
        throw Error(e.description() + "\nwith these options:" + flags);
    }
}

void addEncodingsCommand(CLI::App& app) {
    auto* command = app.add_subcommand(
        "encodings", "List the EBCDIC code pages that vorq load reads (those the system's "
                     "converter has)");
    command->footer("Each page is also understood as IBM-NNNN, IBMNNNN or NNNN. ascii, latin1, "
                    "cp1252, cp437, utf-8 and the other ASCII-based single-byte pages of iconv "
                    "are read too.");
    command->callback([] {
        for (const std::string& page : load::CodePage::ebcdicPages())
            fmt::print("{}\n", page);
    });
}

void addLoadCommand(CLI::App& app, AppContext& context) {
    auto options = std::make_shared<LoadOptions>();
    auto* command = app.add_subcommand(
        "load", "Decode the records of a data file by the COBOL layout behind a table that the "
                "import made, and add them as rows of that table and its child tables");
    command->add_option("--table", options->table, "The table to load (made by vorq import)");
    command->add_option("--type", options->types,
                        "TABLE:FIELD=VALUE: records whose field has the value go to that table; "
                        "give one for each record type of a file, which loads in one pass and "
                        "one transaction (instead of --table)");
    command
        ->add_option("--data", options->data,
                     "The data file, as the mainframe or PC wrote it; - or a FIFO reads a "
                     "stream (zcat file.gz | vorq load ... --data -)")
        ->required()
        ->check(CLI::Validator(
            [](const std::string& path) {
                return path == "-" || std::filesystem::exists(path)
                           ? std::string()
                           : "the data file " + path + " does not exist";
            },
            "FILE|-"));
    command->add_option("--target", options->target,
                        "The database that receives the rows: an SQLite file, made with the "
                        "project's tables when missing (default: data.db in the workspace), or "
                        "a PostgreSQL connection string (postgresql://user@host/db), where "
                        "missing tables are made");
    command
        ->add_option("--encoding", options->encoding,
                     "The character set of the file: an EBCDIC code page (cp037, cp1047, cp273, "
                     "cp500, cp1140 ... cp1149, cp930, ...; `vorq encodings` lists them), ascii, "
                     "latin1, cp1252 or utf-8")
        ->capture_default_str();
    command
        ->add_option("--format", options->format,
                     "fixed: records of the layout's length back to back; rdw: each record "
                     "after a 4-byte record descriptor word (as FTP in binary with RDW keeps "
                     "variable records); text: one record a line; measured: back to back, each "
                     "as long as its --length-field says, or as its --type's record")
        ->check(CLI::IsMember({"fixed", "rdw", "text", "measured"}))
        ->capture_default_str();
    command
        ->add_option("--record-length", options->recordLength,
                     "The length of fixed records when it is not the layout's (e.g. the "
                     "file's LRECL), 1 to 999999999")
        ->check(CLI::Range(std::int64_t{1}, std::int64_t{999'999'999}));
    command->add_flag("--bdw", options->blockDescriptors,
                      "With --format rdw: the records are grouped in blocks, each after a block "
                      "descriptor word (RECFM=VB)");
    command->add_flag("--little-endian", options->littleEndianLengths,
                      "With --format rdw: the descriptor words' lengths are little-endian");
    command->add_flag("--length-at-end", options->lengthAtEnd,
                      "With --format rdw: the length is in the descriptor word's last two bytes "
                      "(00 00 LL LL), not its first");
    command->add_flag("--data-lengths", options->lengthsExcludeWord,
                      "With --format rdw: a record descriptor word counts only the record's "
                      "bytes, not its own 4, as GnuCOBOL writes variable records");
    command->add_option("--part", options->part,
                        "K/N: load only the K-th of N ranges of records, so that N loads (on "
                        "as many machines) share one file; each adds to the tables as --append "
                        "does. Fixed records, or --format rdw --bdw (by block)");
    command
        ->add_option("--header", options->headerBytes,
                     "Bytes before the first record that are no record (a file header)")
        ->check(CLI::Range(std::int64_t{0}, std::int64_t{1} << 30));
    command
        ->add_option("--footer", options->footerBytes,
                     "Bytes after the last record that are no record (a trailer)")
        ->check(CLI::Range(std::int64_t{0}, std::int64_t{1} << 30));
    command->add_option("--length-field", options->lengthField,
                        "With --format measured: the field whose value is each record's length "
                        "(as RECORD-LENGTH items hold it)");
    command->add_option("--length-adjust", options->lengthAdjust,
                        "With --length-field: bytes added to its value (negative to take away), "
                        "where it does not count itself or counts more");
    command->add_flag("--native-binary", options->nativeBinary,
                      "COMP-5 and BINARY-CHAR/SHORT/LONG/DOUBLE are little-endian, as PC "
                      "compilers write them (the default for ascii, latin1, cp1252 and utf-8)");
    command
        ->add_option("--float", options->floating,
                     "COMP-1 and COMP-2: hfp, IBM hexadecimal floating point (the default for "
                     "EBCDIC); ieee, little-endian IEEE 754 (the default otherwise); or ieee-be, "
                     "big-endian IEEE 754 (z/OS with FLOAT(IEEE), Java)")
        ->check(CLI::IsMember({"hfp", "ieee", "ieee-be"}));
    command->add_flag("--keep-trailing-blanks", options->keepTrailingBlanks,
                      "Keep the blanks at the end of text fields");
    command->add_flag("--append", options->append,
                      "Add the records to rows that the tables hold already (by default a load "
                      "into tables that hold rows is refused)");
    command->add_flag("--replace", options->replace,
                      "Replace the rows that the tables hold (and those of their child tables) "
                      "by the records, in the same transaction");
    command->add_option("--rejects", options->rejects,
                        "Write each bad field and left-out record to this file (tab separated: "
                        "record, byte offset, column, bytes in hex, reason)");
    command
        ->add_option("--max-errors", options->maxErrors,
                     "Stop and undo the whole load when more than N records have errors; "
                     "without it, bad fields are loaded as NULL and a record whose keys cannot "
                     "be stored undoes the load")
        ->check(CLI::NonNegativeNumber);
    command->add_flag("--reject-records", options->rejectRecords,
                      "Leave out a record with a bad field (by default it is loaded, the field "
                      "NULL)");
    command->add_option("--when", options->when,
                        "Load only records whose field has this value (FIELD=VALUE; files with "
                        "several record types); may be given again, all must hold");
    command->add_flag("--json", options->json,
                      "Print the summary as one JSON document: records read, left out by "
                      "reason, rows per table");
    command->footer(
        "Examples, in the folder of the bundled examples:\n"
        "  vorq load --table CUSTOMER_MASTER --data data/CUSTMAST.dat --replace\n"
        "  vorq load --table CUSTOMER_MASTER --data data/CUSTMAST.dat --encoding cp037 \\\n"
        "            --rejects rejects.tsv --max-errors 100 --replace\n"
        "  vorq load --table CUSTOMER_MASTER --data data/CUSTMAST.dat --when CUST-STATUS=A "
        "--replace\n"
        "  cat data/CUSTMAST.dat | vorq load --table CUSTOMER_MASTER --data - --replace\n"
        "Variable records (--format rdw --bdw), text files and files of several record types "
        "(--type) are shown in docs/load.md.\n"
        "The whole load is one transaction: on failure the target is left as it was.");
    command->callback([&context, options] {
        if (context.quiet && options->json)
            throw UsageError("--quiet and --json exclude each other");
        runLoadCommand(context, *options);
    });
}

} // namespace vorq::app
