#include "tests/game_folder.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

GameFolder::GameFolder() {
    std::random_device random;
    do {
        root_ = fs::temp_directory_path() / ("brask-test-" + std::to_string(random()));
    } while (!fs::create_directory(root_));
    fs::create_directories(root_ / "data");
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string GameFolder::ProgramFolder() const {
    return ProgramPathOf(root_);
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
