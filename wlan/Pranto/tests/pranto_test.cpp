// The diagnostics library stand-in and the ping command, loaded and run as the program finds
// them, over a link record put in a private store.
#include "wlan/api/Pranto.h"
#include "wlan/sim/PublishedLink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <string>

using namespace wlan::sim;

namespace {

PublishedLink connected_link()
{
    PublishedLink link {};
    link.connected = 1;
    std::uint8_t const address[4] = { 192, 168, 1, 23 }, gateway[4] = { 192, 168, 1, 1 };
    std::uint8_t const mac[6] = { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    std::memcpy(link.address, address, 4);
    std::memcpy(link.gateway, gateway, 4);
    std::memcpy(link.ap_mac, mac, 6);
    link.pranto_open = 1;
    link.pranto_forced = -1;
    link.ping_min_ms = 1;
    link.ping_max_ms = 300;
    return link;
}

class PrantoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() / ("pranto-test-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_folder);
        ::setenv("VXSIM_STORE", m_folder.c_str(), 1);
        m_store.emplace(m_folder.string());
        m_module = ::dlopen(STANDIN_FOLDER "/Pranto.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_module, nullptr) << ::dlerror();
        open = reinterpret_cast<PRANTO_raOpenAdapter_t>(::dlsym(m_module, "PRANTO_raOpenAdapter"));
        close = reinterpret_cast<PRANTO_raCloseAdapter_t>(::dlsym(m_module, "PRANTO_raCloseAdapter"));
        action = reinterpret_cast<PrantoAction_t>(::dlsym(m_module, "PrantoAction"));
        ASSERT_TRUE(open && close && action);
        EXPECT_NE(::dlsym(m_module, "ClientRptAction"), nullptr);
        EXPECT_NE(::dlsym(m_module, "PRANTO_GetWinOS"), nullptr);
    }
    void TearDown() override
    {
        if (m_module)
            ::dlclose(m_module);
        std::filesystem::remove_all(m_folder);
    }

    void publish(PublishedLink const& link) { ASSERT_TRUE(m_store->write_record(kPublishedLinkKey, link)); }

    // The ping command's whole output for `target`.
    static std::string ping(char const* target)
    {
        std::string command = std::string(STANDIN_FOLDER "/system32/ping ") + target;
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string out;
        char buffer[256];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        if (pipe)
            ::pclose(pipe);
        return out;
    }

    std::filesystem::path m_folder;
    std::optional<Store> m_store;
    void* m_module {};
    PRANTO_raOpenAdapter_t open {};
    PRANTO_raCloseAdapter_t close {};
    PrantoAction_t action {};
    AdapterEntry m_adapter {};
};

}

TEST_F(PrantoTest, AnswersFromThePublishedLink)
{
    struct Case {
        char const* name;
        std::uint8_t connected;
        std::int8_t forced;
        std::uint32_t size;
        int want;
    };
    Case const cases[] = {
        { "connected", 1, -1, 1024, 0 },
        { "not connected", 0, -1, 1024, 1 },
        { "a buffer below 18 bytes", 1, -1, 17, 10 },
        { "forced ok while not connected", 0, 0, 1024, 0 },
        { "forced fail", 1, 1, 1024, 1 },
        { "forced overflow", 1, 10, 1024, 10 },
        { "forced error", 1, 7, 1024, 7 },
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        PublishedLink link = connected_link();
        link.connected = c.connected;
        link.pranto_forced = c.forced;
        publish(link);
        int const handle = open(m_adapter.DeviceName + (PRANTO_ADAPTER_NAME_OFFSET - 392));
        ASSERT_NE(handle, PRANTO_INVALID_HANDLE);
        std::uint8_t result[1024] {};
        std::uint32_t size = c.size;
        EXPECT_EQ(action(handle, &m_adapter, PRANTO_ACTION_PING, result, &size, 0), c.want);
        if (c.want == 0) {
            std::uint8_t const want[18] = { 4, 192, 168, 1, 1, 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 4, 0, 4, 0, 1, 0x01,
                0x2C };
            EXPECT_EQ(std::memcmp(result, want, 18), 0);
        }
        EXPECT_EQ(close(handle), 0);
    }
}

TEST_F(PrantoTest, OpeningFailsWhenTheWorldSaysSo)
{
    PublishedLink link = connected_link();
    link.pranto_open = 0;
    publish(link);
    EXPECT_EQ(open(m_adapter.DeviceName), PRANTO_INVALID_HANDLE);
}

TEST_F(PrantoTest, AClosedHandleIsRefused)
{
    publish(connected_link());
    int const handle = open(m_adapter.DeviceName);
    EXPECT_EQ(close(handle), 0);
    EXPECT_EQ(close(handle), 1);
    std::uint8_t result[1024] {};
    std::uint32_t size = sizeof result;
    EXPECT_EQ(action(handle, &m_adapter, PRANTO_ACTION_PING, result, &size, 0), 7);
}

TEST_F(PrantoTest, PingAnswersTheGatewayOnly)
{
    publish(connected_link());
    std::string const up = ping("192.168.1.1");
    EXPECT_NE(up.find("Reply from 192.168.1.1: bytes=32 time=1ms TTL=64"), std::string::npos) << up;
    EXPECT_NE(up.find("time=300ms"), std::string::npos);
    EXPECT_NE(up.find("Ping statistics for 192.168.1.1:"), std::string::npos);
    EXPECT_NE(up.find("Packets: Sent = 4, Received = 4, Lost = 0 (0% loss),"), std::string::npos);
    EXPECT_NE(up.find("Minimum = 1ms, Maximum = 300ms, Average = 150ms"), std::string::npos) << up;

    std::string const other = ping("192.168.1.99");
    EXPECT_EQ(other.find("Reply"), std::string::npos);
    EXPECT_NE(other.find("Request timed out."), std::string::npos);

    PublishedLink down = connected_link();
    down.connected = 0;
    publish(down);
    EXPECT_EQ(ping("192.168.1.1").find("Reply"), std::string::npos);
}
