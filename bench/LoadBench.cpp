// The load of 200-byte mainframe records (zoned, packed, binary and text fields, an OCCURS in
// a child table): decoding alone, the whole load into SQLite against a raw prepared INSERT of
// the same values in the same run, and peak memory for a small and a large file.

#include "PostgresScratch.h"
#include "host/TypeCodes.h"
#include "load/CodePage.h"
#include "load/CopyText.h"
#include "load/DiscardingTarget.h"
#include "load/LoadPlan.h"
#include "load/Loader.h"
#include "load/OpenTarget.h"
#include "load/RecordDecoder.h"
#include "load/RowTarget.h"
#include "load/SqliteTarget.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/DdlWriter.h"
#include "sqlite/Sqlite.h"

#include <chrono>
#include <cstdlib>
#include <fmt/core.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vorq;
using namespace vorq::load;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::int64_t kRecordLength = 200;
constexpr int kAmounts = 6;

struct Field {
    const char* name;
    FieldKind kind;
    std::uint32_t offset, length;
    std::int16_t scale;
    bool isSigned;
};

// The record: 150 bytes of fields, six packed amounts (a child table) and 14 bytes of FILLER.
constexpr Field kFields[] = {
    {"REC_KEY", FieldKind::BinaryBig, 0, 4, 0, false},
    {"NAME", FieldKind::Text, 4, 30, 0, false},
    {"CITY", FieldKind::Text, 34, 20, 0, false},
    {"BALANCE", FieldKind::Packed, 54, 6, 2, true},
    {"LIMIT_AMT", FieldKind::Packed, 60, 5, 2, true},
    {"COUNT_1", FieldKind::BinaryBig, 65, 2, 0, true},
    {"COUNT_2", FieldKind::BinaryBig, 67, 4, 0, true},
    {"ZIP", FieldKind::Zoned, 71, 5, 0, false},
    {"PHONE", FieldKind::Zoned, 76, 10, 0, false},
    {"OPENED", FieldKind::Zoned, 86, 8, 0, false},
    {"RATE", FieldKind::Zoned, 94, 7, 4, true},
    {"STATUS", FieldKind::Text, 101, 1, 0, false},
    {"NOTES", FieldKind::Text, 102, 60, 0, false},
};
constexpr std::uint32_t kAmountsAt = 162, kAmountLength = 4;

ColumnPlan fieldColumn(const char* name, FieldKind kind, std::int64_t offset, std::uint32_t length,
                       std::int16_t scale, bool isSigned) {
    ColumnPlan c;
    c.source = ColumnPlan::Source::Field;
    c.name = name;
    c.offset = offset;
    c.format.kind = kind;
    c.format.length = length;
    c.format.scale = scale;
    c.format.isSigned = isSigned;
    return c;
}

// The plan that an import of the record with REC-KEY as its key and AMTS in a child table
// gives, and the catalog of its two tables.
LoadPlan benchPlan(projectdb::ProjectCatalog& catalog) {
    LoadPlan plan;
    plan.recordName = "BENCH-REC";
    plan.recordLength = kRecordLength;
    plan.table.name = "BENCH_REC";
    projectdb::CatalogTable top{1, "BENCH_REC", {}, {1}, {}};
    int id = 1;
    for (const Field& f : kFields) {
        plan.table.columns.push_back(
            fieldColumn(f.name, f.kind, f.offset, f.length, f.scale, f.isSigned));
        const bool text = f.kind == FieldKind::Text;
        top.columns.push_back({id, f.name, text ? kTypeChar : kTypeDecimal,
                               static_cast<std::int32_t>(text ? f.length : 18),
                               f.scale > 0 ? f.scale : 0, id != 1});
        ++id;
    }
    TablePlan amounts;
    amounts.name = "BENCH_REC_AMTS";
    amounts.stride = kAmountLength;
    amounts.maxOccurs = kAmounts;
    ColumnPlan key;
    key.source = ColumnPlan::Source::CopiedKey;
    key.name = "REC_KEY";
    key.parentColumn = 0;
    ColumnPlan idx;
    idx.source = ColumnPlan::Source::Index;
    idx.name = "idx";
    amounts.columns = {key, idx,
                       fieldColumn("AMT", FieldKind::Packed, kAmountsAt, kAmountLength, 2, true)};
    plan.table.children.push_back(amounts);
    projectdb::CatalogTable child{2, "BENCH_REC_AMTS", {}, {}, {}};
    child.columns = {{id, "REC_KEY", kTypeDecimal, 9, 0, false},
                     {id + 1, "idx", kTypeInteger, 0, 0, false},
                     {id + 2, "AMT", kTypeDecimal, 7, 2, true}};
    child.primaryKey = {id, id + 1};
    child.foreignKeys.push_back({1, "BENCH_REC_AMTS_OCCURS", 1, {{id, 1}}});
    catalog.tables = {top, child};
    return plan;
}

void packed(std::string& r, std::size_t at, std::size_t length, std::int64_t value) {
    const bool negative = value < 0;
    std::uint64_t v = static_cast<std::uint64_t>(negative ? -value : value);
    r[at + length - 1] = static_cast<char>(((v % 10) << 4) | (negative ? 0xD : 0xC));
    v /= 10;
    for (std::size_t i = length - 1; i-- > 0;) {
        r[at + i] = static_cast<char>((v % 10) | ((v / 10 % 10) << 4));
        v /= 100;
    }
}

void zoned(std::string& r, std::size_t at, std::size_t length, std::uint64_t value) {
    for (std::size_t i = length; i-- > 0; value /= 10)
        r[at + i] = static_cast<char>(0xF0 | (value % 10));
}

void binary(std::string& r, std::size_t at, std::size_t length, std::uint64_t value) {
    for (std::size_t i = length; i-- > 0; value >>= 8)
        r[at + i] = static_cast<char>(value & 0xFF);
}

// An EBCDIC record of the plan's layout with key n.
std::string record(std::uint32_t n) {
    std::string r(kRecordLength, '\x40');
    binary(r, 0, 4, n);
    const char* names[] = {"\xC1\xD3\xC9\xC3\xC5", "\xC2\xD6\xC2", "\xC3\xC1\xD9\xD6\xD3"};
    const std::string name = names[n % 3];
    r.replace(4, name.size(), name);
    r.replace(34, 3, "\xD9\xD6\xD4");
    packed(r, 54, 6, static_cast<std::int64_t>(n % 1000) * 12345 - 500000);
    packed(r, 60, 5, static_cast<std::int64_t>(n % 77) * 100);
    binary(r, 65, 2, n % 300);
    binary(r, 67, 4, n * 7);
    zoned(r, 71, 5, 10000 + n % 90000);
    zoned(r, 76, 10, 5550000000ULL + n);
    zoned(r, 86, 8, 20260101 + n % 28);
    zoned(r, 94, 7, n % 9999999);
    r[100] = static_cast<char>(0xD0 | (n % 10)); // negative rates
    r[101] = '\xC1';
    for (int a = 0; a < kAmounts; ++a)
        packed(r, kAmountsAt + a * kAmountLength, kAmountLength, (n + a) % 100000 - 50000);
    return r;
}

std::filesystem::path writeFile(const std::filesystem::path& dir, std::int64_t records) {
    const auto path = dir / ("records-" + std::to_string(records) + ".dat");
    std::ofstream out(path, std::ios::binary);
    std::string block;
    for (std::int64_t n = 1; n <= records; ++n) {
        block += record(static_cast<std::uint32_t>(n));
        if (block.size() >= (1 << 20)) {
            out << block;
            block.clear();
        }
    }
    out << block;
    return path;
}

// Reads and decodes the file in this thread alone, as the load's threads each do with their
// batches.
void decodeOnOneCore(const LoadPlan& plan, const CodePage& page,
                     const std::filesystem::path& file) {
    RecordFormatOptions fixed;
    fixed.recordLength = kRecordLength;
    RecordReader reader(file, fixed);
    RecordDecoder decoder({&plan}, page, RecordFormat::Fixed);
    RecordBatch batch;
    Record record;
    bool more = true;
    while (more) {
        batch.clear();
        while (batch.recordCount < 1024 && (more = reader.next(record))) {
            BatchRecord& r = batch.addRecord();
            r.begin = batch.bytes.size();
            r.size = record.bytes.size();
            batch.bytes.append(record.bytes);
        }
        decoder.decode(batch);
    }
}

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The same rows as the load of the file makes, inserted by prepared statements of their own
// from values decoded beforehand.
double rawInsert(const std::filesystem::path& file, const LoadPlan& plan,
                 const projectdb::ProjectCatalog& catalog, std::int64_t records) {
    const CodePage page("cp037");
    std::vector<std::vector<FieldValue>> decoded(1000);
    for (std::uint32_t n = 0; n < decoded.size(); ++n) {
        const std::string r = record(n + 1);
        for (const auto& c : plan.table.columns) {
            FieldValue v;
            decodeField(c.format, std::string_view(r).substr(c.offset, c.format.length), page, v);
            decoded[n].push_back(v);
        }
    }
    sqlite::Connection db(file, sqlite::Connection::Mode::CreateIfMissing);
    db.exec(schematool::writeDdl(catalog, schematool::Dialect::SQLite));
    const auto start = Clock::now();
    db.exec("BEGIN");
    auto top = db.prepare("INSERT INTO BENCH_REC VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                          "?10, ?11, ?12, ?13)");
    auto child = db.prepare("INSERT INTO BENCH_REC_AMTS VALUES (?1, ?2, ?3)");
    for (std::int64_t n = 1; n <= records; ++n) {
        const auto& row = decoded[static_cast<std::size_t>((n - 1) % 1000)];
        top.bind(1, n);
        for (std::size_t c = 1; c < row.size(); ++c) {
            const FieldValue& v = row[c];
            if (v.kind == FieldValue::Kind::Integer)
                top.bind(static_cast<int>(c + 1), v.integer);
            else
                top.bindStatic(static_cast<int>(c + 1), v.text);
        }
        top.run();
        for (std::int64_t a = 1; a <= kAmounts; ++a) {
            child.bind(1, n).bind(2, a).bindStatic(3, "-123.45");
            child.run();
        }
    }
    db.exec("COMMIT");
    return seconds(start);
}

// Keeps the rows of a load as COPY's text, per table.
class CopyTextTarget : public DiscardingTarget {
public:
    bool insert(int table, const std::vector<FieldValue>& row, std::string&) override {
        appendCopyRow(row, tables[static_cast<std::size_t>(table)]);
        return true;
    }
    std::vector<std::string> tables = std::vector<std::string>(2);
};

// The server's own limit: the rows of the load, decoded beforehand, sent by COPY FROM STDIN on
// one connection, 8 MB at a time, into the tables made in the same transaction, whose keys
// are added after their rows. In MB of the file per second.
double copyIntoPostgres(const std::filesystem::path& file, const LoadPlan& plan,
                        const projectdb::ProjectCatalog& catalog, const std::string& conninfo) {
    CopyTextTarget rows;
    runLoad(plan, CodePage("cp037"), file, rows, {});
    postgres::Connection db(conninfo);
    const auto start = Clock::now();
    db.exec("BEGIN");
    schematool::TableKeys keys;
    for (const auto& table : catalog.tables)
        db.exec(
            schematool::tableDdlWithoutKeys(catalog, table, schematool::Dialect::PostgreSQL, keys));
    const char* copies[] = {"COPY bench_rec FROM STDIN", "COPY bench_rec_amts FROM STDIN"};
    for (std::size_t t = 0; t < rows.tables.size(); ++t) {
        const std::string_view text = rows.tables[t];
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find('\n', std::min(text.size() - 1, at + (8 << 20))) + 1;
            db.copyIn(copies[t], text.substr(at, end - at));
            at = end;
        }
    }
    for (const auto* statements : {&keys.primary, &keys.foreign})
        for (const std::string& key : *statements)
            db.exec(key);
    db.exec("COMMIT");
    return static_cast<double>(std::filesystem::file_size(file)) / 1e6 / seconds(start);
}

// The seconds that two processes take, each loading one of two parts of the file into the
// same tables at once.
double twoPartsSeconds(const std::filesystem::path& file, const LoadPlan& plan,
                       const projectdb::ProjectCatalog& catalog, const std::string& conninfo) {
    const auto start = Clock::now();
    std::vector<pid_t> loads;
    for (std::int64_t part = 1; part <= 2; ++part) {
        const pid_t pid = fork();
        if (pid == 0) {
            LoadSettings settings;
            settings.format.part = part;
            settings.format.parts = 2;
            settings.existingRows = ExistingRows::Append;
            runLoad(plan, CodePage("cp037"), file, *openTarget(conninfo, catalog), settings);
            _exit(0);
        }
        loads.push_back(pid);
    }
    for (const pid_t pid : loads) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("a part of the load failed");
    }
    return seconds(start);
}

// The load of the file into a scratch schema of the server that VORQ_TEST_PG names, through
// COPY, against COPY of its rows decoded beforehand into another, and against two parts loaded
// at once into a third.
void loadIntoPostgres(const std::filesystem::path& file, const LoadPlan& plan,
                      const projectdb::ProjectCatalog& catalog, double sqliteMbPerSecond) {
    const auto scratch = bench::PostgresScratch::open("bench_load", "load_pg_mb_s");
    const auto copyScratch = bench::PostgresScratch::open("bench_copy", "load_pg_copy_mb_s");
    const auto partsScratch =
        bench::PostgresScratch::open("bench_parts", "load_pg_parallel_speedup");
    if (!scratch || !copyScratch || !partsScratch)
        return;
    const auto target = openTarget(scratch->conninfo(), catalog);
    const auto start = Clock::now();
    runLoad(plan, CodePage("cp037"), file, *target, {});
    const double whole = seconds(start);
    const double mbPerSecond = static_cast<double>(std::filesystem::file_size(file)) / 1e6 / whole;
    fmt::print("load_pg_parallel_speedup: {:.2f}\n",
               whole / twoPartsSeconds(file, plan, catalog, partsScratch->conninfo()));
    const double copyMbPerSecond = copyIntoPostgres(file, plan, catalog, copyScratch->conninfo());
    fmt::print("load_pg_mb_s: {:.1f}\nload_pg_copy_mb_s: {:.1f}\nload_pg_vs_copy: {:.2f}\n",
               mbPerSecond, copyMbPerSecond, mbPerSecond / copyMbPerSecond);
    if (sqliteMbPerSecond > 0)
        fmt::print("load_sqlite_mb_s: {:.1f}\n", sqliteMbPerSecond);
}

// Makes the file the standard input of this process through a pipe that a writer process fills,
// as "cat file | vorq load --data -" does.
void pipeIntoStandardInput(const std::filesystem::path& file) {
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("no pipe");
    if (fork() == 0) {
        close(ends[0]);
        std::ifstream in(file, std::ios::binary);
        std::vector<char> chunk(1 << 16);
        while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
            for (std::streamsize at = 0; at < in.gcount();) {
                const ssize_t wrote =
                    write(ends[1], chunk.data() + at, static_cast<std::size_t>(in.gcount() - at));
                if (wrote <= 0)
                    _exit(1);
                at += wrote;
            }
        _exit(0);
    }
    close(ends[1]);
    dup2(ends[0], 0);
    close(ends[0]);
}

// The peak memory in MB of a child process that loads the file (or, piped, the file sent
// through its standard input) into a new database.
double loadPeakMb(const std::filesystem::path& file, const std::filesystem::path& target,
                  const LoadPlan& plan, const projectdb::ProjectCatalog& catalog,
                  bool piped = false) {
    const pid_t pid = fork();
    if (pid == 0) {
        const CodePage page("cp037");
        SqliteTarget sqlite(target, catalog);
        if (piped)
            pipeIntoStandardInput(file);
        runLoad(plan, page, piped ? std::filesystem::path("-") : file, sqlite, {});
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the load of " + file.string() + " failed");
    return usage.ru_maxrss / 1024.0;
}

} // namespace

// With the argument "decode", only the decoding is measured; with "postgres", only the loads
// into PostgreSQL (for a profiler).
int main(int argc, char** argv) {
    const std::string_view only = argc > 1 ? argv[1] : "";
    const bool decodeOnly = only == "decode";
    char pattern[] = "/tmp/vorq-load-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    projectdb::ProjectCatalog catalog;
    const LoadPlan plan = benchPlan(catalog);
    const CodePage page("cp037");
    if (only == "postgres") {
        loadIntoPostgres(writeFile(dir, 250'000), plan, catalog, 0);
        std::filesystem::remove_all(dir);
        return 0;
    }

    const std::int64_t records = 1'000'000;
    const auto file = writeFile(dir, records);
    const double megabytes = static_cast<double>(records * kRecordLength) / 1e6;

    auto start = Clock::now();
    decodeOnOneCore(plan, page, file);
    fmt::print("decode_mb_s: {:.0f}\n", megabytes / seconds(start));
    DiscardingTarget discarding;
    start = Clock::now();
    runLoad(plan, page, file, discarding, {});
    fmt::print("decode_all_cores_mb_s: {:.0f}\n", megabytes / seconds(start));
    if (decodeOnly) {
        std::filesystem::remove_all(dir);
        return 0;
    }

    SqliteTarget sqlite(dir / "load.db", catalog);
    start = Clock::now();
    runLoad(plan, page, file, sqlite, {});
    const double load = seconds(start);
    const double raw = rawInsert(dir / "raw.db", plan, catalog, records);
    fmt::print("load_s: {:.2f}\nraw_insert_s: {:.2f}\nload_vs_raw_insert: {:.2f}\n", load, raw,
               load / raw);

    // The peaks first: a child of a parent that has held more counts the parent's pages.
    const auto small = writeFile(dir, 250'000);   // 50 MB
    const auto large = writeFile(dir, 2'500'000); // 500 MB
    const double smallPeak = loadPeakMb(small, dir / "small.db", plan, catalog);
    const double largePeak = loadPeakMb(large, dir / "large.db", plan, catalog);
    const double pipedPeak = loadPeakMb(large, dir / "piped.db", plan, catalog, true);
    fmt::print(
        "load_peak_mb: {:.0f}\nload_peak_50mb_vs_500mb: {:.2f}\nload_peak_piped_mb: {:.0f}\n",
        largePeak, largePeak / smallPeak, pipedPeak);
    loadIntoPostgres(small, plan, catalog, megabytes / load);
    std::filesystem::remove_all(dir);
}
