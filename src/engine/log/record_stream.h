// SPDX-License-Identifier: MIT
#pragma once
// How the scan reads the time log, shared by the scan and the pairs that add reads, so that
// both see the same records: 31-byte punch records, then the Elapsed line up to its line end.

#include <cstring>

#include "log/buffered_reader.h"
#include "log/record_layout.h"

namespace tally {

// The bytes of one punch record, in the reader's buffer; taken is fewer than kRecordSize
// only at the end of the file.
inline const char* ReadRecordBytes(BufferedReader& reader, std::size_t& taken) {
    return reader.Take(kRecordSize, taken);
}

enum class ElapsedRead { Line, Empty, End };

// Reads the Elapsed line up to and excluding its first line feed or carriage return (CR LF
// is one line end), handing each byte of its text to onByte. Empty: the line end came first;
// End: no byte at all.
template <typename OnByte>
ElapsedRead ReadElapsedLine(BufferedReader& reader, OnByte&& onByte) {
    // Nearly every line lies in the block with the byte after its line end: it is read there
    // without a call per byte.
    std::size_t count = 0;
    const char* ahead = reader.Ahead(count);
    const void* lf = std::memchr(ahead, '\n', count);
    std::size_t end =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - ahead) : count;
    if (const void* cr = std::memchr(ahead, '\r', end)) {
        end = static_cast<std::size_t>(static_cast<const char*>(cr) - ahead);
    }
    if (end + 1 < count) {
        if (end == 0) {
            reader.Skip(1);
            return ElapsedRead::Empty;
        }
        for (std::size_t i = 0; i < end; ++i) onByte(ahead[i]);
        reader.Skip(end + (ahead[end] == '\r' && ahead[end + 1] == '\n' ? 2 : 1));
        return ElapsedRead::Line;
    }
    int c = reader.Get();
    if (c < 0) return ElapsedRead::End;
    if (c == '\n' || c == '\r') return ElapsedRead::Empty;
    onByte(static_cast<char>(c));
    while ((c = reader.Get()) >= 0) {
        if (c == '\n') break;
        if (c == '\r') {
            if (reader.Peek() == '\n') reader.Get();
            break;
        }
        onByte(static_cast<char>(c));
    }
    return ElapsedRead::Line;
}

}  // namespace tally
