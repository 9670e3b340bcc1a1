// Opening and saving a large table in the Qt grid, beside a plain pass over
// the same file, measured in the same run under Qt's offscreen platform.
//   ReadAndCountPass: reads the file once and counts its ";" and line ends.
//   OpenTable: from the table button's work to the table window on screen
//   with every row in the grid.
//   SaveTable: from the save to its confirmation on screen.
//   Peak memory: two child processes, one showing the empty table window and
//   one with the table loaded and saved; their peaks are compared.
// Goals: open within 4 times and save within 3 times of the pass; the table's
// peak memory beyond the empty window's under 2.5 times the file's size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "app/app_state.h"
#include "bench/goal_reporter.h"
#include "platform/posix/code_page.h"
#include "table_editor/column_keys.h"
#include "table_editor/table_editor.h"
#include "table_editor/table_saving.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;

fs::path Folder() {
    return fs::temp_directory_path() / "brask-table-bench";
}

fs::path TablePath() {
    return Folder() / "data" / "genres1.txt";
}

// 100,000 rows of 36 columns under the catalogue's keys, each row named in GBK.
void WriteTable() {
    fs::remove_all(Folder());
    fs::create_directories(Folder() / "data");
    std::FILE* file = std::fopen(TablePath().c_str(), "wb");
    for (const char* key : kColumnKeyCatalogue) {
        std::fprintf(file, "%s;", key);
    }
    std::fputs("\r\n", file);
    for (int row = 0; row < kRows; ++row) {
        // "动作冒险" and a number, then numbers of one to four digits.
        std::fprintf(file, "\xB6\xAF\xD7\xF7\xC3\xB0\xCF\xD5%d;", row);
        for (int column = 1; column < 36; ++column) {
            std::fprintf(file, "%d;", (row * 131 + column * 977) % (column < 20 ? 100000 : 100));
        }
        std::fputs("\r\n", file);
    }
    std::fclose(file);
}

void UseFolder() {
    ResetState();
    std::string folder = Utf8ToAnsi(Folder().string());
    for (char& c : folder) {
        c = c == '/' ? '\\' : c;
    }
    State().programFolder = folder;
    State().languageSection = "Chinese Simplified";
}

QWidget* TableWindow() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "TableEditorWindow" && top->isVisible()) {
            return top;
        }
    }
    return nullptr;
}

void ReadAndCountPass(benchmark::State& state) {
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        std::FILE* file = std::fopen(TablePath().c_str(), "rb");
        long semicolons = 0;
        long lines = 0;
        std::size_t n;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
            for (std::size_t i = 0; i < n; ++i) {
                semicolons += buffer[i] == ';';
                lines += buffer[i] == '\n';
            }
        }
        std::fclose(file);
        benchmark::DoNotOptimize(semicolons);
        benchmark::DoNotOptimize(lines);
    }
}

// Opens the genres table in the table window and runs work once it is on
// screen; the window is closed after it.
void WithOpenTable(const std::function<void()>& work) {
    QTimer::singleShot(0, [&] {
        work();
        if (QWidget* window = TableWindow()) {
            window->close();
        }
    });
    OpenTableEditor(TableMode::Rating);
    // The closed window goes now, not inside the next measurement.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void OpenTable(benchmark::State& state) {
    UseFolder();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        Clock::time_point shown;
        WithOpenTable([&] { shown = Clock::now(); });
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
}

void SaveTableBench(benchmark::State& state) {
    UseFolder();
    for (auto _ : state) {
        Clock::time_point start;
        Clock::time_point confirmed;
        WithOpenTable([&] {
            QTimer::singleShot(0, [&] {
                confirmed = Clock::now();
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    box->accept();
                }
            });
            start = Clock::now();
            SaveTable();
        });
        state.SetIterationTime(std::chrono::duration<double>(confirmed - start).count());
    }
}

BENCHMARK(ReadAndCountPass)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenTable)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(SaveTableBench)
    ->Name("SaveTable")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(2.0);

// The child's part: opens the table window on the genres table, saves it
// once (nothing when there is no table file), then ends.
int MemoryProbe() {
    UseFolder();
    WithOpenTable([] {
        if (QApplication::activeModalWidget() == nullptr || TableWindow() == nullptr) {
            std::exit(1);
        }
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->accept();
            }
        });
        SaveTable();
    });
    return 0;
}

// This process's own peak resident memory, in bytes. Unlike the resource
// usage a parent reads, it does not count what the parent held before the
// child's program began.
long OwnPeak() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kilobytes = -1;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1) {
            break;
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kilobytes * 1024;
}

// Peak resident memory of one probe child, in bytes; -1 when it failed.
long ProbePeak(const char* self, const char* which) {
    const std::string command =
        std::string("'") + self + "' --memory-probe " + which + " 2>/dev/null";
    std::FILE* child = popen(command.c_str(), "r");
    long peak = -1;
    if (child == nullptr || std::fscanf(child, "%ld", &peak) != 1) {
        peak = -1;
    }
    if (child != nullptr && pclose(child) != 0) {
        peak = -1;
    }
    return peak;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int qtArgc = 1;
    new QApplication(qtArgc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--memory-probe") == 0) {
        if (std::strcmp(argv[2], "empty") == 0) {
            fs::remove(TablePath());  // the window then opens without a table
        }
        const int result = MemoryProbe();
        std::printf("%ld\n", OwnPeak());
        return result;
    }

    WriteTable();
    const double fileSize = static_cast<double>(fs::file_size(TablePath()));
    benchmark::Initialize(&argc, argv);
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("Table file: %.1f MB, %d rows of 36 columns\n", fileSize / 1e6, kRows);
    const auto& s = reporter.seconds;
    if (s.count("ReadAndCountPass") && s.count("OpenTable") && s.count("SaveTable")) {
        const double pass = s.at("ReadAndCountPass");
        ReportGoal("open / read-and-count pass", s.at("OpenTable") / pass, 4.0, true);
        ReportGoal("save / read-and-count pass", s.at("SaveTable") / pass, 3.0, true);
    }

    const long table = ProbePeak(argv[0], "table");
    const long empty = ProbePeak(argv[0], "empty");
    if (table > 0 && empty > 0) {
        std::printf("Peak memory: empty table window %.1f MB, with the table %.1f MB\n",
                    empty / 1e6, table / 1e6);
        ReportGoal("peak memory beyond the empty window / file size",
                   static_cast<double>(table - empty) / fileSize, 2.5, true);
    } else {
        std::printf("Peak memory: a probe failed\n");
    }
    fs::remove_all(Folder());
    benchmark::Shutdown();
    return 0;
}
