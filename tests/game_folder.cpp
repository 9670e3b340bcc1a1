#include "tests/game_folder.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/posix/code_page.h"

namespace fs = std::filesystem;

GameFolder::GameFolder() {
    std::string pattern = (fs::temp_directory_path() / "brask-test-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    fs::create_directories(root_ / "data");
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string GameFolder::ProgramFolder() const {
    std::string path = root_.string();
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return Utf8ToAnsi(path);
}

void GameFolder::Write(const std::string& relative, const std::string& bytes) const {
    const fs::path path = At(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string GameFolder::Read(const std::string& relative) const {
    return ReadBytes(At(relative));
}

bool GameFolder::Exists(const std::string& relative) const {
    return fs::exists(At(relative));
}

void GameFolder::AddLanguageFile() const {
    fs::copy_file(BRASK_LANGUAGE_FILE, At("language.ini"), fs::copy_options::overwrite_existing);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
