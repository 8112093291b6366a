// A source read from standard input: whatever the bytes, reading stops at the first line too
// long or at the limit, and gives back a prefix of the input that holds no longer line except
// the last. The first byte picks the limit, the second the longest line (small, so that the
// fuzzer's inputs reach it; the reader's pieces are 64 KB all the same).

#include "cobol/FileReader.h"
#include "cobol/SourceFormat.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t limit = std::size_t{data[0]} << 10;
    const std::size_t longest = std::size_t{data[1]} * 4 + 1;
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
    std::istringstream in(input);
    bool tooLong = false;
    const std::string text = vorq::cobol::readSourceText(in, 0, limit, tooLong, longest);
    if (text.size() > input.size() || input.compare(0, text.size(), text) != 0)
        std::abort(); // not a prefix
    if (text.size() > limit)
        std::abort();
    const std::size_t lastLine = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
    const bool cutAtLongLine = text.size() - lastLine > longest;
    if (text.size() < input.size() && !tooLong && !cutAtLongLine)
        std::abort(); // stopped for no reason
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        if (end - start > longest)
            std::abort(); // read past a line that was too long
    return 0;
}
