// The network test's ping on newer systems: a one-line script that runs the system's ping
// command into a result file, in a private temporary folder of its own, so that no file of an
// earlier run and no read-only working folder can spoil the test. The folder and both files
// are gone when the runner is destroyed.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace station::survey {

class PingScriptRunner {
public:
    virtual ~PingScriptRunner() = default;
    // Writes "PingTest.bat" holding `command` and starts it with the folder as its working
    // folder; false when the script could not be written or started.
    virtual bool Start(std::string const& command) = 0;
    // Waits for the script's end (at most the time given at construction, on the platform's
    // clock) and reads "PingResult.txt" as text; nothing when it did not end in time or left
    // no readable result.
    virtual std::optional<std::string> Finish() = 0;
};

// The script file's and the result file's names, as the command line names them.
inline constexpr char const* kPingScriptName = "PingTest.bat";
inline constexpr char const* kPingResultName = "PingResult.txt";
// The longest wait for the script, and the most of its result that is read.
inline constexpr unsigned kPingWaitMs = 10000;
inline constexpr std::size_t kPingResultLimit = 64 * 1024;

std::unique_ptr<PingScriptRunner> MakePingScriptRunner(unsigned wait_ms = kPingWaitMs);

}
