#include "table_editor/table_file.h"

#include <cstdint>
#include <map>

#include "text/byte_text.h"

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kWriteBuffer = 1 << 20;

struct TableFile {
    std::string buffer;             // bytes read ahead; buffer[0] lies at bufferOffset
    std::int64_t bufferOffset = 0;  // in the file
    std::size_t next = 0;           // the first unread byte in buffer
    bool atEnd = false;             // the last read found the end of the file
    bool readFailed = false;
    std::string pending;  // written text not yet handed to the file
    bool writeFailed = false;
};

std::map<FileNumber, TableFile>& Files() {
    static std::map<FileNumber, TableFile> files;
    return files;
}

TableFile* Find(FileNumber file) {
    auto it = Files().find(file);
    return it == Files().end() ? nullptr : &it->second;
}

bool FlushPending(FileNumber file, TableFile& state) {
    if (state.pending.empty()) {
        return true;
    }
    const bool written = platform::WriteBytes(file, state.pending);
    if (!written) {
        // Nothing more is written by this call: the file goes on where it began.
        state.writeFailed = true;
        platform::SeekTo(file, state.bufferOffset);
    } else {
        state.bufferOffset += static_cast<std::int64_t>(state.pending.size());
    }
    state.pending.clear();
    return written;
}

// Reads the next chunk behind what the buffer holds, dropping the bytes before
// keepFrom. False at the end of the file or after a read error.
bool ReadMore(FileNumber file, TableFile& state, std::size_t keepFrom) {
    state.buffer.erase(0, keepFrom);
    state.bufferOffset += static_cast<std::int64_t>(keepFrom);
    state.next -= keepFrom;
    if (state.atEnd || state.readFailed) {
        return false;
    }
    const std::size_t had = state.buffer.size();
    state.buffer.resize(had + kChunk);
    const long n = platform::ReadBytes(file, state.buffer.data() + had, kChunk);
    state.buffer.resize(had + static_cast<std::size_t>(n > 0 ? n : 0));
    if (n < 0) {
        // The rest of the file is given up: reading ends here.
        state.readFailed = true;
        state.buffer.clear();
        state.next = 0;
    }
    state.atEnd = n <= 0;
    return n > 0;
}

// A CR just before the line end belongs to the line end.
std::string WithoutLastCr(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

// Ends reading ahead, so that writing starts where reading stopped.
void StopReadingAhead(FileNumber file, TableFile& state) {
    if (state.buffer.empty() && state.next == 0) {
        return;
    }
    state.bufferOffset += static_cast<std::int64_t>(state.next);
    state.buffer.clear();
    state.next = 0;
    state.atEnd = false;
    platform::SeekTo(file, state.bufferOffset);
}

}  // namespace

FileNumber OpenForUpdate(const std::string& path) {
    const FileNumber file = platform::OpenForUpdate(path);
    if (file != 0) {
        Files()[file] = TableFile{};
    }
    return file;
}

void MoveToStart(FileNumber file) {
    TableFile* state = Find(file);
    if (state == nullptr) {
        return;
    }
    FlushPending(file, *state);
    *state = TableFile{};
    platform::SeekTo(file, 0);
}

std::string ReadLine(FileNumber file) {
    TableFile* state = Find(file);
    if (state == nullptr) {
        return {};
    }
    FlushPending(file, *state);
    std::size_t start = state->next;
    std::size_t i = start;
    for (;;) {
        const std::string_view bytes = state->buffer;
        while (i < bytes.size()) {
            if (bytes[i] == '\n') {
                state->next = i + 1;
                return WithoutLastCr(std::string(bytes.substr(start, i - start)));
            }
            // A two-byte character whose second byte is still in the file
            // waits for it, so that its second byte is never taken for an LF.
            if (static_cast<unsigned char>(bytes[i]) >= 0x80 && i + 1 == bytes.size() &&
                !state->atEnd) {
                break;
            }
            i += CharLength(bytes, i);
        }
        const std::size_t scanned = i - start;
        const bool more = ReadMore(file, *state, start);
        if (state->readFailed) {
            return {};
        }
        start = 0;
        i = scanned;
        // At the end of the file a last lead byte is a character of its own.
        if (!more && i == state->buffer.size()) {
            std::string line = std::move(state->buffer);
            state->buffer.clear();
            state->bufferOffset += static_cast<std::int64_t>(line.size());
            state->next = 0;
            return WithoutLastCr(std::move(line));
        }
    }
}

bool AtEnd(FileNumber file) {
    TableFile* state = Find(file);
    if (state == nullptr) {
        return true;
    }
    FlushPending(file, *state);
    if (state->next < state->buffer.size()) {
        return false;
    }
    return !ReadMore(file, *state, state->next);
}

void WriteText(FileNumber file, const std::string& text) {
    TableFile* state = Find(file);
    if (state == nullptr) {
        return;
    }
    StopReadingAhead(file, *state);
    state->pending += text;
    if (state->pending.size() >= kWriteBuffer) {
        FlushPending(file, *state);
    }
}

void CloseFile(FileNumber file) {
    if (TableFile* state = Find(file)) {
        FlushPending(file, *state);
        Files().erase(file);
    }
    platform::CloseFile(file);
}

bool ReadFailed(FileNumber file) {
    const TableFile* state = Find(file);
    return state != nullptr && state->readFailed;
}

bool FinishWriting(FileNumber file) {
    TableFile* state = Find(file);
    if (state == nullptr) {
        return false;
    }
    StopReadingAhead(file, *state);
    FlushPending(file, *state);
    // After a failed write the position is not where the text ends: cutting
    // there would throw away what the file still holds.
    const bool ok = !state->writeFailed && platform::EndFileHere(file);
    state->writeFailed = false;
    return ok;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t semicolon; (semicolon = FindCharacter(line, ';', start)) != std::string::npos;
         start = semicolon + 1) {
        fields.emplace_back(line, start, semicolon - start);
    }
    if (start < line.size()) {
        fields.emplace_back(line, start);
    }
    return fields;
}
