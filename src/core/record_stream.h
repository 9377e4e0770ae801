#pragma once
// How the scan reads the time log, shared by the scan and the pairs that add reads, so that
// both see the same records: 31-byte punch records, then the Elapsed line up to its line end.

#include "core/buffered_reader.h"
#include "core/punch_record.h"

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
