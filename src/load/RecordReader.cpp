#include "load/RecordReader.h"

#include "host/Error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorq::load {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// No record of a text file is longer: a binary file read as text stops here.
constexpr std::size_t kLongestLine = std::size_t{64} << 20;

} // namespace

RecordFormat recordFormatNamed(std::string_view name) {
    if (name == "fixed")
        return RecordFormat::Fixed;
    if (name == "rdw")
        return RecordFormat::Rdw;
    if (name == "text")
        return RecordFormat::Text;
    if (name == "measured")
        return RecordFormat::Measured;
    throw Error("'" + std::string(name) + "' is no record format (fixed, rdw, text or measured)");
}

namespace {

// Waits until a program opens the FIFO for writing (its first bytes or its end arrive), then
// makes reads block again.
void awaitWriter(int fd, const std::filesystem::path& file, std::chrono::milliseconds wait) {
    pollfd ready{fd, POLLIN, 0};
    int got = 0;
    do
        got = ::poll(&ready, 1, static_cast<int>(wait.count()));
    while (got < 0 && errno == EINTR);
    if (got == 0)
        throw Error("No program opened the pipe " + file.string() + " for writing within " +
                    std::to_string(wait.count() / 1000) + " s: start the program that writes it");
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

} // namespace

RecordReader::RecordReader(const std::filesystem::path& file, const RecordFormatOptions& options,
                           std::chrono::milliseconds writerWait)
    : path_(file), options_(options), buffer_(kBufferSize) {
    const bool standardInput = file == "-";
    // A FIFO without a writer would block open() for ever.
    fd_ = standardInput ? ::dup(STDIN_FILENO)
                        : ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        throw Error("Cannot open the data file " + file.string() + ": " + std::strerror(errno));
    try {
        struct stat status {};
        if (::fstat(fd_, &status) != 0)
            throw Error("Cannot read the data file " + file.string() + ": " + std::strerror(errno));
        stream_ = S_ISFIFO(status.st_mode) || (standardInput && !S_ISREG(status.st_mode));
        if (!stream_ && !S_ISREG(status.st_mode))
            throw Error("The data file " + file.string() +
                        " is no regular file and no pipe: vorq reads records from files and "
                        "pipes only");
        if (S_ISFIFO(status.st_mode) && !standardInput)
            awaitWriter(fd_, file, writerWait);
        else if (!standardInput)
            ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        if (!stream_) {
            fileSize_ = status.st_size;
            ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
        }
        const std::int64_t framed = options_.headerBytes + options_.footerBytes;
        if (!stream_ && framed > fileSize_)
            throw Error("The data file " + file.string() + " holds " + std::to_string(fileSize_) +
                        " bytes, fewer than its header and footer (" + std::to_string(framed) +
                        ")");
        if (options_.format == RecordFormat::Fixed) {
            if (options_.recordLength <= 0)
                throw Error("Fixed records need a length above 0");
            if (!stream_ && (fileSize_ - framed) % options_.recordLength != 0)
                throw RecordsDoNotFit("The data file " + file.string() + " holds " +
                                      std::to_string(fileSize_ - framed) +
                                      " bytes of records, which is no whole number of " +
                                      std::to_string(options_.recordLength) +
                                      "-byte records: is the record length or the format another, "
                                      "or has the file a header or footer?");
        }
        footer_ = static_cast<std::size_t>(options_.footerBytes);
        skipHeader(options_.headerBytes);
        if (options_.parts > 1) {
            // The framing is found where the file begins, whichever part is read.
            if (options_.format == RecordFormat::Rdw && options_.findFraming && !stream_)
                findFraming();
            seekPart();
        }
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

void RecordReader::skipHeader(std::int64_t bytes) {
    if (bytes <= 0)
        return;
    if (!have(static_cast<std::size_t>(bytes)))
        throw Error("The data file " + path_.string() + " ends inside its " +
                    std::to_string(bytes) + "-byte header and footer");
    at_ += static_cast<std::size_t>(bytes);
    consumed_ += bytes;
}

void RecordReader::seekPart() {
    const std::int64_t k = options_.part, n = options_.parts;
    if (k < 1 || k > n)
        throw Error("Part " + std::to_string(k) + " of " + std::to_string(n) + " does not exist");
    const bool blocks = options_.format == RecordFormat::Rdw && options_.framing.blocks;
    if (stream_ || (options_.format != RecordFormat::Fixed && !blocks))
        throw Error("Cannot find part " + std::to_string(k) + " of " + path_.string() +
                    " without reading the records before it: parts need a regular file of "
                    "fixed records or of variable records in blocks");
    const std::int64_t first = options_.headerBytes;
    const std::int64_t bytes = fileSize_ - first - options_.footerBytes;
    std::int64_t start = first, end = first;
    if (options_.format == RecordFormat::Fixed) {
        const std::int64_t length = options_.recordLength, records = bytes / length;
        // The first records % n parts hold one record more than the others.
        const auto before = [&](std::int64_t part) {
            return part * (records / n) + std::min(part, records % n);
        };
        number_ = before(k - 1);
        start = first + before(k - 1) * length;
        end = first + before(k) * length;
    } else {
        // The part holds the blocks that begin in its share of the bytes; only the blocks'
        // descriptor words are read to find them.
        const std::int64_t from = first + bytes / n * (k - 1);
        const std::int64_t to = k == n ? first + bytes : first + bytes / n * k;
        for (start = first; start < from;)
            start += blockAt(start);
        for (end = start; end < to;)
            end += blockAt(end);
    }
    if (start >= end)
        throw Error("Part " + std::to_string(k) + " of " + std::to_string(n) + " of " +
                    path_.string() + " holds no records: " +
                    (options_.format == RecordFormat::Fixed
                         ? "the file has fewer records than parts"
                         : "no block begins in its share of the file's bytes; use fewer parts"));
    if (::lseek(fd_, start, SEEK_SET) < 0)
        throw Error("Cannot read the data file " + path_.string() + ": " + std::strerror(errno));
    at_ = end_ = 0;
    eof_ = false;
    consumed_ = partStart_ = start;
    partEnd_ = end;
}

std::int64_t RecordReader::blockAt(std::int64_t offset) {
    char word[4];
    if (::pread(fd_, word, 4, offset) != 4) {
        consumed_ = offset;
        damaged("the file ends inside a block descriptor word");
    }
    const std::uint32_t block = options_.framing.length(word);
    if (block < 4) {
        consumed_ = offset;
        damaged("a block descriptor word gives the length " + std::to_string(block));
    }
    return block;
}

void RecordReader::findFraming() {
    framingChecked_ = true;
    constexpr std::size_t kWindow = std::size_t{1} << 20;
    have(kWindow);
    const std::string_view window(buffer_.data() + at_, std::min(readable(), kWindow));
    const auto reading = framingsThatRead(window, eof_ && readable() <= kWindow);
    if (reading.empty() || reading.front() == options_.framing)
        return; // the mainframe's own framing, or damage that it will name
    if (reading.size() == 1) {
        options_.framing = reading.front();
        framingFound_ = reading.front().describe();
        return;
    }
    throw FramingAmbiguous(path_, reading);
}

FramingAmbiguous::FramingAmbiguous(const std::filesystem::path& file,
                                   std::vector<DescriptorFraming> ways)
    : Error([&] {
          std::string text = "The descriptor words of " + file.string() +
                             " read in more than one way; say which one the file was written "
                             "with:";
          for (const DescriptorFraming& f : ways)
              text += "\n  " + f.describe();
          return text;
      }()),
      readings(std::move(ways)) {}

RecordReader::~RecordReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool RecordReader::have(std::size_t n) {
    if (readable() >= n)
        return true;
    if (at_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + at_, end_ - at_);
        end_ -= at_;
        at_ = 0;
    }
    // The footer's bytes are held back until the end shows which bytes they are.
    const std::size_t wanted = n + footer_;
    while (end_ < wanted && !eof_) {
        // The buffer grows with the bytes that arrive, never to a length that the input only
        // claims: a huge record length or descriptor costs memory only when its bytes are there.
        if (end_ == buffer_.size())
            buffer_.resize(std::min(std::max(wanted, kBufferSize), buffer_.size() * 2));
        const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw Error("Cannot read the data file " + path_.string() + ": " +
                        std::strerror(errno));
        if (got == 0)
            eof_ = true;
        end_ += static_cast<std::size_t>(got);
    }
    if (eof_ && end_ - at_ < footer_)
        damaged("the file ends inside its " + std::to_string(footer_) + "-byte footer");
    return readable() >= n;
}

void RecordReader::damaged(const std::string& what) const {
    throw Error("The data file " + path_.string() + " is damaged at record " +
                std::to_string(number_ + 1) + " (byte offset " + std::to_string(consumed_) +
                "): " + what);
}

bool RecordReader::next(Record& record) {
    switch (options_.format) {
    case RecordFormat::Fixed:
        return nextFixed(record);
    case RecordFormat::Rdw:
        return nextRdw(record);
    case RecordFormat::Text:
        return nextText(record);
    case RecordFormat::Measured:
        return nextMeasured(record);
    }
    return false;
}

bool RecordReader::nextMeasured(Record& record) {
    have(options_.measureBytes);
    const std::size_t held = readable();
    if (held == 0)
        return false;
    std::string why;
    const std::int64_t length = options_.measure(
        std::string_view(buffer_.data() + at_, std::min(held, options_.measureBytes)), why);
    if (length <= 0)
        damaged(why.empty() ? "a record length of " + std::to_string(length) : why);
    if (!have(static_cast<std::size_t>(length)))
        damaged("the record of " + std::to_string(length) + " bytes runs past the end of the file");
    const auto size = static_cast<std::size_t>(length);
    record = {std::string_view(buffer_.data() + at_, size), ++number_, consumed_};
    at_ += size;
    consumed_ += length;
    return true;
}

bool RecordReader::nextFixed(Record& record) {
    if (consumed_ == partEnd_)
        return false;
    const auto length = static_cast<std::size_t>(options_.recordLength);
    if (!have(length)) {
        if (readable() != 0) // only a stream can end so; a file's size was checked
            damaged("the file ends " + std::to_string(readable()) + " bytes into a " +
                    std::to_string(length) + "-byte record");
        return false;
    }
    record = {std::string_view(buffer_.data() + at_, length), ++number_, consumed_};
    at_ += length;
    consumed_ += static_cast<std::int64_t>(length);
    return true;
}

bool RecordReader::nextRdw(Record& record) {
    if (options_.findFraming && !framingChecked_)
        findFraming();
    const DescriptorFraming& framing = options_.framing;
    if (framing.blocks && blockLeft_ == 0) {
        if (consumed_ == partEnd_)
            return false;
        if (!have(4)) {
            if (readable() != 0)
                damaged("the file ends inside a block descriptor word");
            return false;
        }
        const std::uint32_t block = framing.length(buffer_.data() + at_);
        if (block < 4)
            damaged("a block descriptor word gives the length " + std::to_string(block));
        at_ += 4;
        consumed_ += 4;
        blockLeft_ = block - 4;
    }
    if (!have(4)) {
        if (readable() != 0)
            damaged("the file ends inside a record descriptor word");
        if (framing.blocks && blockLeft_ > 0)
            damaged("the file ends " + std::to_string(blockLeft_) +
                    " bytes before the end of the block that its block descriptor word gives");
        return false;
    }
    const char* word = buffer_.data() + at_;
    const std::uint32_t length = framing.length(word) + (framing.excludesWord ? 4 : 0);
    if (length < 4)
        damaged("a record descriptor word gives the length " + std::to_string(length));
    if (!framing.otherHalfZero(word))
        damaged(framing.lengthInLastHalf || framing.littleEndian
                    ? "a record descriptor word's other half is not zero"
                    : "a record descriptor word marks a spanned segment, which vorq does not "
                      "join");
    if (framing.blocks && length > blockLeft_)
        damaged("the record runs past the end of its block");
    if (!have(length))
        damaged("the record of " + std::to_string(length - 4) + " bytes runs past the end of " +
                "the file");
    record = {std::string_view(buffer_.data() + at_ + 4, length - 4), ++number_, consumed_ + 4};
    at_ += length;
    consumed_ += length;
    if (framing.blocks)
        blockLeft_ -= length;
    return true;
}

bool RecordReader::nextText(Record& record) {
    std::size_t scanned = 0;
    for (;;) {
        const char* start = buffer_.data() + at_;
        const auto* newline =
            static_cast<const char*>(std::memchr(start + scanned, '\n', readable() - scanned));
        if (newline || (eof_ && readable() > 0)) {
            const std::size_t lineLength =
                newline ? static_cast<std::size_t>(newline - start) : readable();
            std::size_t length = lineLength;
            if (length > 0 && start[length - 1] == '\r')
                --length;
            record = {std::string_view(start, length), ++number_, consumed_};
            const std::size_t used = lineLength + (newline ? 1 : 0);
            at_ += used;
            consumed_ += static_cast<std::int64_t>(used);
            return true;
        }
        if (eof_)
            return false;
        scanned = readable();
        if (scanned > kLongestLine)
            damaged("a line of more than " + std::to_string(kLongestLine >> 20) +
                    " MB: is it a text file?");
        have(scanned + 1);
    }
}

} // namespace vorq::load
