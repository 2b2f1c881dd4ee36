// Runs a built program in a folder, as a user would from a shell, and
// collects what it printed and its exit status.
#pragma once

#include <string>
#include <vector>

namespace morvatix::testing {

struct ProgramRun {
    int status = -1;
    std::string standardOutput;
    std::string standardError;
};

struct ProgramCall {
    std::string folder;                  // the working folder
    std::vector<std::string> arguments;  // after the program's own name
    std::string input;                   // the standard input
    bool closedInput = false;            // no standard input at all
    std::string shellPrefix;             // e.g. "ulimit -v 100000;"
};

// The program under test: the environment variable `override` when set (with
// MORVATIX_PROGRAM_RUNNER in front of it), else the given default.
std::string programCommand(const std::string& defaultProgram, const char* override = "MORVATIX_PROGRAM");

// True when the programs under test are Windows builds, run through MORVATIX_PROGRAM_RUNNER (Wine).
bool windowsProgram();

// Console text comes in text mode on Windows; its line ends are given back as
// LF so that one expectation serves both builds.
ProgramRun runProgram(const std::string& command, const ProgramCall& call);

std::string shellQuote(const std::string& text);

// A fresh empty folder under the system's temporary folder, removed by the caller.
std::string makeTemporaryFolder();
void removeFolder(const std::string& folder);

}  // namespace morvatix::testing
