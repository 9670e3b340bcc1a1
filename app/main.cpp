// The program takes no arguments: everything it needs is beside its own file.
#include "app/start_up.h"
#include "platform/platform.h"

int main() {
    return RunProgram(platform::ProgramFilePath());
}
