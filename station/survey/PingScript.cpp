#include "station/survey/PingScript.h"

#include "platform/system/Process.h"
#include "platform/system/ReadFile.h"
#include "platform/user/User.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace station::survey {

namespace {

std::string temporary_base()
{
    char const* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

class Runner final : public PingScriptRunner {
public:
    explicit Runner(unsigned wait_ms)
        : m_waitMs(wait_ms)
    {
    }
    ~Runner() override
    {
        if (m_process) {
            TerminateProcess(m_process, 1);
            CloseHandle(m_process);
        }
        if (!m_folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_folder, ignored);
        }
    }

    bool Start(std::string const& command) override
    {
        std::string pattern = temporary_base() + "/zorvel-ping-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data()))
            return false;
        m_folder = name.data();
        std::string const script = m_folder + "/" + kPingScriptName;
        {
            std::ofstream out(script, std::ios::binary | std::ios::trunc);
            out << command << "\n";
            if (!out.flush())
                return false;
        }
        std::string line = kPingScriptName;
        STARTUPINFO startup {};
        PROCESS_INFORMATION started {};
        if (!CreateProcess(script.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(),
                &startup, &started))
            return false;
        m_process = started.hProcess;
        if (started.hThread)
            CloseHandle(started.hThread);
        return true;
    }

    std::optional<std::string> Finish() override
    {
        if (!m_process || WaitForSingleObject(m_process, m_waitMs) != WAIT_OBJECT_0)
            return std::nullopt;
        std::string text;
        if (platform::system::read_regular_file(m_folder + "/" + kPingResultName, text, kPingResultLimit)
            != platform::system::ReadFileError::None)
            return std::nullopt;
        return text;
    }

private:
    unsigned m_waitMs;
    std::string m_folder;
    HANDLE m_process {};
};

}

std::unique_ptr<PingScriptRunner> MakePingScriptRunner(unsigned wait_ms)
{
    return std::make_unique<Runner>(wait_ms);
}

}
