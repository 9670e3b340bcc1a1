#include "table_editor/table_file.h"

#include <cstdint>
#include <cstring>
#include <map>

#include "text/byte_text.h"

namespace {

constexpr std::size_t kChunk = 1 << 14;
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
    std::string line;
    ReadLine(file, line);
    return line;
}

void ReadLine(FileNumber file, std::string& line) {
    line.clear();
    TableFile* state = Find(file);
    if (state == nullptr) {
        return;
    }
    FlushPending(file, *state);
    // The line stays whole in the buffer: reading more keeps its start.
    std::size_t start = state->next;
    std::size_t from = start;
    std::string_view found;
    for (;;) {
        const std::string_view rest = std::string_view(state->buffer).substr(start);
        const std::size_t lineFeed = FindCharacter(rest, '\n', from - start);
        if (lineFeed != std::string_view::npos) {
            state->next = start + lineFeed + 1;
            found = rest.substr(0, lineFeed);
            break;
        }
        const std::size_t scanned = rest.size();
        const bool more = ReadMore(file, *state, start);
        if (state->readFailed) {
            return;
        }
        start = 0;
        from = scanned;
        if (!more) {
            // The rest of the file is the last line.
            state->next = state->buffer.size();
            found = state->buffer;
            break;
        }
    }
    // A CR just before the line end belongs to the line end.
    if (!found.empty() && found.back() == '\r') {
        found.remove_suffix(1);
    }
    // A copy of its own: a short text that stays near is quicker to split.
    line.assign(found);
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
    // After a failed write nothing more is written until the file is moved to
    // its start: later text would land where the failed text belonged.
    if (state == nullptr || state->writeFailed) {
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
    std::vector<std::string_view> views;
    SplitFields(line, views);
    return {views.begin(), views.end()};
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    ForEachCharacter(line, ';', 0, [&](std::size_t semicolon) {
        fields.push_back(line.substr(start, semicolon - start));
        start = semicolon + 1;
        return true;
    });
    if (start < line.size()) {
        fields.push_back(line.substr(start));
    }
}
