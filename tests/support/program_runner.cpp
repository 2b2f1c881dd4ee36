#include "program_runner.h"

#include "capture_writer.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace morvatix::testing {

std::string shellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (const char character : text) {
        if (character == '\'') {
            quoted.append("'\\''");
        } else {
            quoted.push_back(character);
        }
    }
    quoted.push_back('\'');
    return quoted;
}

std::string programCommand(const std::string& defaultProgram, const char* override)
{
    const char* program = std::getenv(override);
    const char* runner = std::getenv("MORVATIX_PROGRAM_RUNNER");
    std::string command = shellQuote(program != nullptr && *program != '\0' ? program : defaultProgram);
    if (runner != nullptr && *runner != '\0') {
        command = std::string(runner) + " " + command;
    }
    return command;
}

bool windowsProgram()
{
    const char* runner = std::getenv("MORVATIX_PROGRAM_RUNNER");
    return runner != nullptr && *runner != '\0';
}

namespace {

std::string withUnixLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (!(text[index] == '\r' && index + 1 < text.size() && text[index + 1] == '\n')) {
            out.push_back(text[index]);
        }
    }
    return out;
}

std::string readText(const std::filesystem::path& path)
{
    const Bytes bytes = readFile(path.string());
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

ProgramRun runProgram(const std::string& command, const ProgramCall& call)
{
    const std::string scratch = makeTemporaryFolder();
    const std::filesystem::path scratchPath(scratch);
    writeFile((scratchPath / "stdin").string(), Bytes(call.input.begin(), call.input.end()));

    std::string line = "cd ";
    line.append(shellQuote(call.folder)).append(" && ").append(call.shellPrefix).append(" ").append(command);
    for (const std::string& argument : call.arguments) {
        line.append(" ").append(shellQuote(argument));
    }
    if (call.closedInput) {
        line.append(" <&-");
    } else {
        line.append(" < ").append(shellQuote((scratchPath / "stdin").string()));
    }
    line.append(" > ").append(shellQuote((scratchPath / "stdout").string()));
    line.append(" 2> ").append(shellQuote((scratchPath / "stderr").string()));

    const int raw = std::system(("/bin/sh -c " + shellQuote(line)).c_str());
    ProgramRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.standardOutput = readText(scratchPath / "stdout");
    run.standardError = readText(scratchPath / "stderr");
    if (windowsProgram()) {
        run.standardOutput = withUnixLineEnds(run.standardOutput);
        run.standardError = withUnixLineEnds(run.standardError);
    }
    removeFolder(scratch);
    return run;
}

std::string makeTemporaryFolder()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("morvatix-test-" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(path)) {
            return path.string();
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

void removeFolder(const std::string& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace morvatix::testing
