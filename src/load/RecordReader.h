#pragma once

#include "host/Error.h"
#include "load/DescriptorFraming.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorq::load {

// How a data file divides into records.
enum class RecordFormat {
    Fixed, // every record the same length, back to back
    Rdw,   // each record after a 4-byte record descriptor word: its length, the word included
    Text,  // lines, as line-sequential files hold them
    // back to back, each as long as its first bytes say (a length field, or its type's
    // length): RecordFormatOptions::measure
    Measured,
};

// The record format named "fixed", "rdw", "text" or "measured"; another name raises
// vorq::Error.
RecordFormat recordFormatNamed(std::string_view name);

struct RecordFormatOptions {
    RecordFormat format = RecordFormat::Fixed;
    std::int64_t recordLength = 0; // of fixed records
    DescriptorFraming framing;     // of rdw records
    // Rdw: find the framing from the first descriptor words when the mainframe's own does
    // not read them; several that read are an error that names them.
    bool findFraming = false;
    // Measured: the length of the record that begins with the bytes given (at least
    // measureBytes of them, fewer at the end of the file), or a reason why there is none.
    std::function<std::int64_t(std::string_view first, std::string& why)> measure;
    std::size_t measureBytes = 0;
    std::int64_t headerBytes = 0; // before the first record, not read
    std::int64_t footerBytes = 0; // after the last record, not read
    // Only the part-th of parts ranges of records (from 1): fixed records divide by count,
    // records in blocks by the blocks that begin in each part's share of the bytes.
    std::int64_t part = 1, parts = 1;
};

// A file of fixed records whose size is no whole number of them: another record length or
// format, or a header or footer, would read it. The caller names its own settings for these.
struct RecordsDoNotFit : Error {
    using Error::Error;
};

// Descriptor words that read in more than one framing; the caller asks for one of them in its
// own terms.
struct FramingAmbiguous : Error {
    FramingAmbiguous(const std::filesystem::path& file, std::vector<DescriptorFraming> ways);
    std::vector<DescriptorFraming> readings;
};

struct Record {
    std::string_view bytes;
    std::int64_t number = 0; // 1, 2, ... in the file (in a part of records in blocks: in the part)
    std::int64_t offset = 0; // of its first byte (after the descriptor word) in the file
};

// Reads a data file a buffer at a time, so that memory stays the same whatever its size.
// Damage that makes the rest unreadable (a descriptor word that runs past the end of the file
// or of its block, a length under 4, a file that ends inside a record) raises vorq::Error
// naming the file, record and offset.
class RecordReader {
public:
    // The file "-" is standard input. A pipe or FIFO is read as a stream: the reader waits
    // for a writer at most writerWait. A regular file of fixed records whose size is no
    // multiple of the record length is refused here.
    RecordReader(const std::filesystem::path& file, const RecordFormatOptions& options,
                 std::chrono::milliseconds writerWait = std::chrono::seconds(60));
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    // The next record, its bytes valid until the next call; false at the end of the file.
    bool next(Record& record);
    // The size of a regular file (of its part, when reading one); 0 for a stream, whose size
    // is known only at its end.
    std::int64_t fileSize() const { return partEnd_ < 0 ? fileSize_ : partEnd_ - partStart_; }
    bool isStream() const { return stream_; }
    std::int64_t bytesRead() const { return consumed_ - partStart_; }
    // How the descriptor words were read when their framing was found, else "".
    const std::string& framingFound() const { return framingFound_; }

private:
    // At least n bytes from the current position in the buffer; false at the end of the file
    // with fewer left.
    bool have(std::size_t n);
    // The bytes known to come before the footer, from the current position.
    std::size_t readable() const {
        const std::size_t held = end_ - at_;
        return held > footer_ ? held - footer_ : 0;
    }
    void skipHeader(std::int64_t bytes);
    // Moves to the first record of the part and sets where it ends.
    void seekPart();
    // The length of the block whose descriptor word is at offset, read alone.
    std::int64_t blockAt(std::int64_t offset);
    void findFraming();
    [[noreturn]] void damaged(const std::string& what) const;
    bool nextFixed(Record& record);
    bool nextRdw(Record& record);
    bool nextText(Record& record);
    bool nextMeasured(Record& record);

    std::filesystem::path path_;
    RecordFormatOptions options_;
    int fd_ = -1;
    std::int64_t fileSize_ = 0;
    std::vector<char> buffer_;
    std::size_t at_ = 0, end_ = 0;
    std::int64_t consumed_ = 0; // file offset of buffer_[at_]
    std::int64_t number_ = 0;
    std::int64_t blockLeft_ = 0; // bytes of the current block not yet read
    std::int64_t partStart_ = 0; // the file offset where the part's records begin
    std::int64_t partEnd_ = -1;  // and where they end; -1: the end of the file
    bool eof_ = false;
    bool stream_ = false;
    std::size_t footer_ = 0;
    bool framingChecked_ = false;
    std::string framingFound_;
};

} // namespace vorq::load
