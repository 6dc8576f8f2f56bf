// A private X server for tests: Xvfb started on a free display number (it picks one itself
// and reports it through -displayfd), waited for with a bounded poll(), and killed when the
// object ends. available() is false when Xvfb is not installed or did not start.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <sys/types.h>

class XvfbServer {
public:
    // `extra`: more options for the server, such as "-extension" "MIT-SHM" to leave one out.
    explicit XvfbServer(std::vector<std::string> const& extra = {});
    ~XvfbServer();
    XvfbServer(XvfbServer const&) = delete;
    XvfbServer& operator=(XvfbServer const&) = delete;

    bool available() const { return !m_display.empty(); }
    std::string const& display() const { return m_display; }
    std::string const& failure() const { return m_failure; }

private:
    pid_t m_pid { -1 };
    std::string m_display;
    std::string m_failure;
};

// A test suite whose tests share one server, started before the first test and stopped after
// the last. Tests call skipped_without_server() first and return when it answers true.
template <typename Base = ::testing::Test>
class XvfbSuite : public Base {
protected:
    static void SetUpTestSuite() { server = new XvfbServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    static inline XvfbServer* server = nullptr;
};

// In SetUp: skips the test (and returns from SetUp) when the suite has no server.
#define XVFB_SKIP_WITHOUT_SERVER()                      \
    do {                                               \
        if (!server->available())                      \
            GTEST_SKIP() << server->failure();         \
    } while (false)
