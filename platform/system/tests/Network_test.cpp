// The network calls over the machine's own: the adapter list with published adapters, sockets
// (IPX missing on this machine), the domain controller table and UNC paths answered by it.
#include "platform/system/Network.h"
#include "platform/user/User.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <fstream>
#include <vector>

using platform::system::testing::TempFolder;

namespace {

std::vector<IP_ADAPTER_INFO> adapters()
{
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
    std::vector<IP_ADAPTER_INFO> list(size / sizeof(IP_ADAPTER_INFO) + 1);
    ULONG room = ULONG(list.size() * sizeof(IP_ADAPTER_INFO));
    EXPECT_EQ(GetAdaptersInfo(list.data(), &room), ERROR_SUCCESS);
    std::vector<IP_ADAPTER_INFO> out;
    for (IP_ADAPTER_INFO const* a = list.data(); a; a = a->Next)
        out.push_back(*a);
    return out;
}

IP_ADAPTER_INFO const* find(std::vector<IP_ADAPTER_INFO> const& list, std::string const& name)
{
    for (auto const& a : list)
        if (name == a.AdapterName)
            return &a;
    return nullptr;
}

class NetworkTest : public ::testing::Test {
protected:
    NetworkTest() { m_folder.use_for_system_services(); }
    TempFolder m_folder;
};

}

TEST_F(NetworkTest, PublishedAdaptersAreListedWithTheirAddress)
{
    BYTE const mac[6] = { 0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E };
    platform::system::publish_adapter("Simulated", "Test Card", mac, "");
    auto list = adapters();
    auto const* a = find(list, "Simulated");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->AddressLength, 6u);
    EXPECT_EQ(std::memcmp(a->Address, mac, 6), 0);
    EXPECT_STREQ(a->IpAddressList.IpAddress.String, "0.0.0.0");
    platform::system::publish_adapter("Simulated", "Test Card", mac, "192.168.1.23");
    list = adapters();
    ASSERT_NE(find(list, "Simulated"), nullptr);
    EXPECT_STREQ(find(list, "Simulated")->IpAddressList.IpAddress.String, "192.168.1.23");
    platform::system::withdraw_adapter("Simulated");
    ULONG size = 0;
    DWORD const answer = GetAdaptersInfo(nullptr, &size);
    EXPECT_TRUE(answer == ERROR_BUFFER_OVERFLOW || answer == ERROR_NO_DATA);
    if (answer == ERROR_BUFFER_OVERFLOW) {
        EXPECT_EQ(find(adapters(), "Simulated"), nullptr);
    }
    // A buffer one byte too small is refused with the size needed.
    platform::system::publish_adapter("Simulated", "Test Card", mac, "");
    ULONG needed = 0;
    GetAdaptersInfo(nullptr, &needed);
    std::vector<BYTE> small(needed - 1);
    ULONG room = needed - 1;
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(small.data()), &room), ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(room, needed);
    platform::system::withdraw_adapter("Simulated");
}

TEST_F(NetworkTest, SocketsOfTheMachineAndNoIpx)
{
    WSADATA data {};
    EXPECT_EQ(WSAStartup(0x0101, &data), WSAVERNOTSUPPORTED);
    ASSERT_EQ(WSAStartup(0x0002, &data), 0);
    SOCKET const ipx = socket(AF_IPX_W, SOCK_DGRAM_W, NSPROTO_IPX);
    EXPECT_EQ(ipx, INVALID_SOCKET);
    SOCKET const udp = socket(AF_INET_W, SOCK_DGRAM_W, 0);
    ASSERT_NE(udp, INVALID_SOCKET);
    EXPECT_EQ(closesocket(udp), 0);
    EXPECT_EQ(socket(99, SOCK_DGRAM_W, 0), INVALID_SOCKET);
    EXPECT_EQ(WSACleanup(), 0);
}

TEST_F(NetworkTest, DomainControllersComeFromTheTable)
{
    DOMAIN_CONTROLLER_INFOA* info = nullptr;
    EXPECT_EQ(DsGetDcNameA(nullptr, "CORP", nullptr, nullptr, DS_FORCE_REDISCOVERY | DS_RETURN_FLAT_NAME, &info),
        ERROR_NO_SUCH_DOMAIN);
    EXPECT_EQ(info, nullptr);
    platform::system::register_domain_controller("CORP", "\\\\dc01", false);
    platform::system::register_domain_controller("LOCKED", "dc02", true);
    ASSERT_EQ(DsGetDcNameA(nullptr, "corp", nullptr, nullptr, 0, &info), ERROR_SUCCESS);
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->DomainControllerName, "\\\\dc01");
    EXPECT_STREQ(info->DomainName, "CORP");
    EXPECT_EQ(NetApiBufferFree(info), ERROR_SUCCESS);

    // A world registers its controller at every start: the same entry again leaves the table
    // file as it is (a rewrite replaces the file), a changed one replaces it.
    std::string const table = std::string(::getenv("ZORVEL_DATA_DIR")) + "/domains.txt";
    struct stat first {};
    ASSERT_EQ(::stat(table.c_str(), &first), 0);
    platform::system::register_domain_controller("LOCKED", "dc02", true);
    struct stat again {};
    ASSERT_EQ(::stat(table.c_str(), &again), 0);
    EXPECT_EQ(again.st_ino, first.st_ino);
    platform::system::register_domain_controller("LOCKED", "dc02", false);
    ASSERT_EQ(::stat(table.c_str(), &again), 0);
    EXPECT_NE(again.st_ino, first.st_ino);
}

TEST_F(NetworkTest, UncPathsAreAnsweredByTheirController)
{
    platform::system::register_domain_controller("CORP", "dc01", false);
    platform::system::register_domain_controller("LOCKED", "dc02", true);
    struct Case {
        char const* path;
        DWORD error;
    };
    Case const cases[] = {
        { "\\\\dc01\\NETLOGON\\NonExist", ERROR_FILE_NOT_FOUND },
        { "\\\\DC02\\NETLOGON\\NonExist", ERROR_ACCESS_DENIED },
        { "\\\\nobody\\NETLOGON\\NonExist", ERROR_BAD_NETPATH },
        { "\\\\dc01", ERROR_FILE_NOT_FOUND },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.path);
        HANDLE const h = CreateFileA(c.path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error);
    }
    std::ofstream(m_folder.file("present.txt")) << "x";
    HANDLE const file = CreateFileA(m_folder.file("present.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(CreateFileA(m_folder.file("absent.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
