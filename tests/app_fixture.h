// Starts the program in-process on the headless toolkit, in a temporary game
// folder with its own instance marker folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_state.h"
#include "app/start_up.h"
#include "settings_window/settings_window_layout.h"
#include "tests/game_folder.h"
#include "toolkit/headless/headless.h"

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        UseNewInstanceMarker();
        tk::headless::Reset();
    }
    void TearDown() override {
        tk::headless::Reset();
        ResetState();
    }

    void Start() { StartProgram(folder.ProgramFile()); }

    // A later start in the same process, as if the earlier one had ended: the
    // earlier run's instance marker lives as long as this process.
    void StartAgain() {
        tk::headless::Reset();
        UseNewInstanceMarker();
        Start();
    }

    void UseNewInstanceMarker() {
        const std::filesystem::path runtime = folder.At("run" + std::to_string(++runs_));
        std::filesystem::create_directories(runtime);
        ::UseNewInstanceMarker(runtime);
    }

    static tk::Control Role(int role) { return SettingsControl(role); }
    static std::string TextOf(int role) { return tk::Text(Role(role)); }
    static const std::vector<tk::headless::ShownMessage>& Messages() {
        return tk::headless::Messages();
    }

    GameFolder folder;

private:
    int runs_ = 0;
};
