// Starting programs: always with an argument vector, never through a shell. A program named as
// the original names it ("VxSwap.exe") is found the way the original looked for it: with a
// folder, there; without one, in this program's folder, the current folder, the stand-in
// system folder and the folders of PATH, as "VxSwap" first and then under the name as given.
// A ".bat" or ".cmd" script runs under /bin/sh.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

// The file to run for `program`, or nullopt when there is none.
std::optional<std::string> resolve_program(std::string_view program);

struct SpawnRequest {
    std::vector<std::string> arguments; // arguments[0] is the program as named by the caller
    std::string folder;                 // working folder; empty keeps ours
    int output_fd { -1 };               // when set, standard output and error go there
};

// The new process's id, or 0 with errno set (ENOENT when the program was not found).
std::uint32_t spawn_process(SpawnRequest const& request);

// Starts the program and lets it run on alone: nobody waits for it, so it is reaped when it ends
// and never lingers as a zombie that still looks like a running process. 0 as spawn_process.
std::uint32_t spawn_detached(SpawnRequest const& request);

struct RunResult {
    bool started { false };
    bool timed_out { false };
    int exit_code { -1 };
    std::string output; // standard output and error, interleaved as written
};

// Runs a program to its end (or for at most `timeout_ms` of real time, after which it is
// killed) and collects what it writes: the runner of the diagnostics.
RunResult run_and_capture(std::vector<std::string> const& arguments, unsigned timeout_ms);

}
