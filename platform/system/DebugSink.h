// Where debugger output goes: one whole line per call, written with a single write so that
// lines of different threads and processes never interleave. The destination is standard
// error, or the file named by ZORVEL_TRACE_FILE (created readable by the user only, since some
// trace levels print keys and passwords). Tests add captures that receive every line.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

class DebugSink {
public:
    using Capture = std::function<void(std::string_view line)>;

    static DebugSink& the();

    // Writes `text` as one line: a missing final line feed is added.
    void write(std::string_view text);
    int add_capture(Capture capture);
    void remove_capture(int id);
    // While captures exist, lines go to them only (tests keep their output clean).
    bool has_captures() const;

private:
    DebugSink();
    int destination();

    mutable std::mutex m_mutex;
    int m_fd { -1 };
    bool m_opened { false };
    int m_next_capture { 1 };
    std::vector<std::pair<int, Capture>> m_captures;
};

}
