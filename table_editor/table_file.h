// The table file: lines of fields, each followed by ";", read line by line and
// written over in place. Reading and writing go through buffers, so that a
// table of many rows costs few system calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

using platform::FileNumber;

// Opens an existing file for reading and writing at its start; 0 on failure.
FileNumber OpenForUpdate(const std::string& path);
void MoveToStart(FileNumber file);
// The next line without its line end; the empty text at the end of the file.
std::string ReadLine(FileNumber file);
// The same into line, whose memory is used again.
void ReadLine(FileNumber file, std::string& line);
bool AtEnd(FileNumber file);
// Writes text at the current position, overwriting and extending the file.
// After a write has failed, nothing more until the next MoveToStart.
void WriteText(FileNumber file, const std::string& text);
void CloseFile(FileNumber file);

// Whether a read error ended reading early since the file was opened or moved
// to its start.
bool ReadFailed(FileNumber file);

// Puts everything written since the file was moved to its start on the disk and
// makes the file end where the writing ended. False when any of that writing failed.
bool FinishWriting(FileNumber file);

// The fields of a line: split at each ";", the text after the last ";" only
// when it is not empty.
std::vector<std::string> SplitFields(const std::string& line);
// The same as views into line.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);
