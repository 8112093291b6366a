// Hostile data files: the first byte picks the record format and encoding, the second the
// options that frame the records (a record length of the command line, standard input or a
// file), the rest is the file. The plan holds every kind of field, a spread OCCURS, an OCCURS
// DEPENDING ON in a child table and a field after it, so that reading, decoding and the threads all
// see the bytes. Damage may end the load with vorq::Error; nothing may crash, hang or leak.

#include "ScratchFile.h"
#include "host/Error.h"
#include "load/CodePage.h"
#include "load/DiscardingTarget.h"
#include "load/LoadPlan.h"
#include "load/Loader.h"

#include <csignal>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>

using namespace vorq;
using namespace vorq::load;

namespace {

ColumnPlan field(FieldKind kind, std::int64_t offset, std::uint32_t length, std::int16_t scale,
                 bool isSigned) {
    ColumnPlan c;
    c.source = ColumnPlan::Source::Field;
    c.name = "F" + std::to_string(offset);
    c.offset = offset;
    c.format.kind = kind;
    c.format.length = length;
    c.format.scale = scale;
    c.format.isSigned = isSigned;
    return c;
}

// The record: 40 bytes of fixed fields, a count at 40, up to 3 entries of 4 bytes from 41, a
// tail field after them at 53.
LoadPlan plan() {
    LoadPlan p;
    p.recordName = "FUZZ";
    p.recordLength = 56;
    p.table.name = "FUZZ";
    auto& columns = p.table.columns;
    columns.push_back(field(FieldKind::Text, 0, 4, 0, false));
    columns.push_back(field(FieldKind::Zoned, 4, 3, 1, true));
    auto leading = field(FieldKind::ZonedSeparate, 7, 3, 0, true);
    leading.format.signLeading = true;
    columns.push_back(leading);
    columns.push_back(field(FieldKind::Packed, 10, 3, -2, true));
    columns.push_back(field(FieldKind::PackedUnsigned, 13, 2, 0, false));
    columns.push_back(field(FieldKind::BinaryBig, 15, 8, 3, true));
    columns.push_back(field(FieldKind::BinaryLittle, 23, 2, 0, false));
    columns.push_back(field(FieldKind::HexFloat, 25, 8, 0, true));
    columns.push_back(field(FieldKind::IeeeFloat, 33, 4, 0, true));
    columns.push_back(field(FieldKind::National, 37, 2, 0, false));
    auto blank = field(FieldKind::Zoned, 39, 1, 0, false);
    blank.format.blankWhenZero = true;
    columns.push_back(blank);
    ColumnPlan key;
    key.source = ColumnPlan::Source::SurrogateKey;
    key.name = "FUZZ_KEY";
    columns.push_back(key);
    auto tail = field(FieldKind::Text, 53, 3, 0, false);
    tail.shifts.push_back({0, 4});
    columns.push_back(tail);
    p.counters.push_back({"ENTRY", "N", {FieldKind::Zoned, 1, 1, 0, false}, 40, 0, 3});
    // Measured records: as long as the little-endian binary at 23 says.
    p.lengthField = Condition{{FieldKind::BinaryLittle, 2, 4, 0, false}, 23, ""};

    TablePlan entries;
    entries.name = "FUZZ_ENTRY";
    entries.stride = 4;
    entries.maxOccurs = 3;
    entries.counter = 0;
    ColumnPlan copied;
    copied.source = ColumnPlan::Source::CopiedKey;
    copied.name = "FUZZ_KEY";
    copied.parentColumn = 11;
    ColumnPlan idx;
    idx.source = ColumnPlan::Source::Index;
    idx.name = "idx";
    auto g = field(FieldKind::DoubleByte, 41, 4, 0, false);
    entries.columns = {copied, idx, g};
    p.table.children.push_back(entries);
    return p;
}

} // namespace

// The bytes as a pipe that a thread writes, named as /proc gives it: the loader reads it as
// it reads standard input or a FIFO.
class PipedFile {
public:
    PipedFile(const std::uint8_t* data, std::size_t size) {
        std::signal(SIGPIPE, SIG_IGN);
        if (::pipe(ends_) != 0)
            throw std::runtime_error("pipe");
        writer_ = std::thread([this, data, size] {
            for (std::size_t at = 0; at < size;) {
                const ssize_t n = ::write(ends_[1], data + at, size - at);
                if (n <= 0)
                    break; // the reader stopped: damage found, or a bound reached
                at += static_cast<std::size_t>(n);
            }
            ::close(ends_[1]);
        });
    }
    ~PipedFile() {
        ::close(ends_[0]);
        writer_.join();
    }
    std::filesystem::path path() const { return "/proc/self/fd/" + std::to_string(ends_[0]); }

private:
    int ends_[2] = {-1, -1};
    std::thread writer_;
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    static const LoadPlan thePlan = plan();
    static const char* const kPages[] = {"cp037", "cp930", "ascii", "utf-8"};
    const std::uint8_t choice = data[0];
    const CodePage page(kPages[choice & 3]);
    LoadSettings settings;
    settings.format.format = static_cast<RecordFormat>((choice >> 2) % 4);
    settings.format.framing.littleEndian = (choice & 0x20) != 0;
    settings.format.framing.blocks = (choice & 0x40) != 0;
    settings.format.framing.excludesWord = (choice & 0x80) != 0;
    settings.rejectRecords = (choice & 0x10) != 0;
    settings.threads = 2;
    const std::uint8_t framing = data[1];
    settings.format.recordLength = framing & 0x0F; // 0: the layout's
    settings.format.framing.lengthInLastHalf = (framing & 0x10) != 0;
    settings.format.findFraming = (framing & 0x20) != 0;
    settings.format.headerBytes = (framing & 0x03);
    settings.format.footerBytes = (framing >> 2) & 0x03;
    settings.maxErrors = (framing & 0x40) ? 3 : -1;
    DiscardingTarget target;
    try {
        if (framing & 0x80) {
            const PipedFile piped(data + 2, size - 2);
            runLoad(thePlan, page, piped.path(), target, settings);
        } else {
            runLoad(thePlan, page, fuzz::scratchFile("records.dat", data + 2, size - 2), target,
                    settings);
        }
    } catch (const Error&) {
        // A damaged file is refused with a message; anything else escapes and is a finding.
    }
    return 0;
}
