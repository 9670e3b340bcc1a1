// A temporary game folder for tests, and the bytes of the files in it.
#pragma once

#include <filesystem>
#include <string>

class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path At(const std::string& relative) const { return root_ / relative; }

    // The folder as the program names it: GB18030 with "\" between folders.
    std::string ProgramFolder() const;
    // The path of a program file in the folder, as StartProgram takes it.
    std::string ProgramFile() const { return ProgramFolder() + "\\brask-tools"; }

    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

    // Copies the built language file in.
    void AddLanguageFile() const;

private:
    std::filesystem::path root_;
};

std::string ReadBytes(const std::filesystem::path& path);

// The operating-system half, one file per system.

// A name or path as the program forms it (code page bytes, "\" between
// folders) as a path of the system, and back.
std::filesystem::path SystemPathOf(const std::string& programPath);
std::string ProgramPathOf(const std::filesystem::path& systemPath);

// Makes the next start of the program in this process claim an instance marker
// of its own, as if every earlier instance had ended; folder may hold it.
void UseNewInstanceMarker(const std::filesystem::path& folder);
