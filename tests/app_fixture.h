// Starts the program in-process on the headless toolkit, in a temporary game
// folder with its own instance marker folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_state.h"
#include "app/start_up.h"
#include "settings_window/settings_window_layout.h"
#include "tests/game_folder.h"
#include "toolkit/headless/headless.h"

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder.At("run"));
        setenv("XDG_RUNTIME_DIR", folder.At("run").c_str(), 1);
        tk::headless::Reset();
    }
    void TearDown() override {
        tk::headless::Reset();
        ResetState();
    }

    void Start() { StartProgram(folder.ProgramFile()); }

    static tk::Control Role(int role) { return SettingsControl(role); }
    static std::string TextOf(int role) { return tk::Text(Role(role)); }
    static const std::vector<tk::headless::ShownMessage>& Messages() {
        return tk::headless::Messages();
    }

    GameFolder folder;
};
