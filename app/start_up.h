// The program's life: start, the start-up steps, the single-instance guard and the end.
#pragma once

#include <string>

// Starts the program whose file is programFilePath: settles ProgramFolder and
// the state, then opens the main window, whose created event runs RunStartUp.
void StartProgram(const std::string& programFilePath);

// StartProgram, then the message loop until no window is left. The exit code.
int RunProgram(const std::string& programFilePath);

void RunStartUp();

enum class InstanceGuard { GoOn, Refused };
InstanceGuard SingleInstanceGuard();

// Ends the process at once; no window event runs after it.
[[noreturn]] void ExitProgram(int code);
