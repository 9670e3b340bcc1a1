// Start-up cost beside an empty Qt window's, measured in the same run.
//   LanguageReads: the 208 language-file reads that fill the setting lists, on
//   the language file we ship, each iteration with a freshly written file.
//   EmptyWindowProcess / StartUpProcess: a whole process from its start until
//   its window is on screen: the X display of DISPLAY when there is one (as a
//   player sees it; scripts/bench.sh gives it a virtual one), else Qt's
//   offscreen platform. The program's second start of a day: no message box.
// Goals: the reads under 2 % of the empty window's start-up, the whole
// start-up within 1.3 times of it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "app/app_state.h"
#include "backup/daily_backup.h"
#include "bench/goal_reporter.h"
#include "platform/posix/code_page.h"
#include "settings/setting_catalogue.h"
#include "settings_window/settings_window_layout.h"
#include "toolkit/headless/headless.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path GameFolder() {
    static const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / "brask-startup-bench";
        fs::remove_all(path);
        fs::create_directories(path / "data");
        fs::create_directories(path / "toolsbak" / AnsiToUtf8(DayStamp()));
        fs::copy_file(BRASK_LANGUAGE_FILE, path / "language.ini");
        std::FILE* settings = std::fopen((path / "data" / "ini.txt").c_str(), "wb");
        for (const char* key : kSettingCatalogue) {
            std::fprintf(settings, "%s;1\r\n", key);
        }
        std::fclose(settings);
        std::fclose(
            std::fopen((path / "toolsbak" / AnsiToUtf8(DayStamp()) / "ini.txt").c_str(), "wb"));
        return path;
    }();
    return folder;
}

void NoEvents(const tk::Event&) {}

void LanguageReads(benchmark::State& state) {
    const fs::path folder = GameFolder();
    State().programFolder = Utf8ToAnsi(folder.string());
    for (char& c : State().programFolder) {
        c = c == '/' ? '\\' : c;
    }
    State().languageSection = "Chinese Simplified";
    for (auto _ : state) {
        state.PauseTiming();
        tk::headless::Reset();
        tk::OpenWindow(SettingsWindowLayout(NoEvents));
        // A new file each time: the reads find nothing parsed from before.
        fs::copy_file(BRASK_LANGUAGE_FILE, folder / "language.ini",
                      fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        FillSettingLists();
    }
}

void RunProbe(benchmark::State& state, const std::string& argument) {
    if (std::getenv("DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const fs::path runtime = GameFolder() / "run";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    // The probes' own chatter stays out of the report.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        char* argv[] = {const_cast<char*>(BRASK_STARTUP_PROBE), const_cast<char*>(argument.c_str()),
                        nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, BRASK_STARTUP_PROBE, &quiet, nullptr, argv, environ) != 0) {
            state.SkipWithError("the probe could not be started");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
}

void EmptyWindowProcess(benchmark::State& state) {
    RunProbe(state, "empty");
}
void StartUpProcess(benchmark::State& state) {
    RunProbe(state, GameFolder().string());
}

BENCHMARK(LanguageReads)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmptyWindowProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(StartUpProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Keeps each benchmark's time per iteration so the goals can be checked at the end.
}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const char* display = std::getenv("DISPLAY");
    std::printf("Windows shown on %s\n", display ? display : "Qt's offscreen platform");
    const auto& s = reporter.seconds;
    if (s.count("LanguageReads") && s.count("EmptyWindowProcess") && s.count("StartUpProcess")) {
        const double empty = s.at("EmptyWindowProcess");
        ReportGoal("208 reads / empty window start-up", s.at("LanguageReads") / empty, 0.02, true);
        ReportGoal("whole start-up / empty window start-up", s.at("StartUpProcess") / empty, 1.3,
                   false);
    }
    fs::remove_all(GameFolder());
    benchmark::Shutdown();
    return 0;
}
