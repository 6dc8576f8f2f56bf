#include "platform/system/Services.h"

#include "platform/system/Process.h"
#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder.use_for_system_services(); }
    // The state another process reads from the store.
    DWORD state_seen_by_another_process(char const* service)
    {
        ::setenv("ZORVEL_HELPER_MODE", "service-state", 1);
        std::string line = std::string("SysHelper.exe ") + service;
        PROCESS_INFORMATION information {};
        EXPECT_TRUE(CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &information));
        EXPECT_EQ(WaitForSingleObject(information.hProcess, 10000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(information.hProcess, &code);
        CloseHandle(information.hProcess);
        CloseHandle(information.hThread);
        ::unsetenv("ZORVEL_HELPER_MODE");
        return code;
    }
    platform::system::testing::TempFolder m_folder;
};

TEST_F(ServicesTest, StopStartAndStartTypeChangesAreKept)
{
    SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = OpenService(manager, "WZCSVC", SERVICE_ALL_ACCESS);
    ASSERT_NE(service, nullptr);
    SERVICE_STATUS status {};
    ASSERT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_RUNNING);

    ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOPPED);
    EXPECT_FALSE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_NOT_ACTIVE);
    ASSERT_TRUE(ChangeServiceConfig(service, SERVICE_NO_CHANGE, SERVICE_DEMAND_START, SERVICE_NO_CHANGE, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(platform::system::service_start_type("wzcsvc"), SERVICE_DEMAND_START);
    EXPECT_EQ(state_seen_by_another_process("WZCSVC"), SERVICE_STOPPED);

    ASSERT_TRUE(StartService(service, 0, nullptr));
    EXPECT_FALSE(StartService(service, 0, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_ALREADY_RUNNING);
    EXPECT_EQ(state_seen_by_another_process("WZCSVC"), SERVICE_RUNNING);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

TEST_F(ServicesTest, TestsSetStatesAndUnknownServicesFail)
{
    ASSERT_TRUE(platform::system::set_service_state("Wlansvc", SERVICE_START_PENDING));
    SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    SC_HANDLE service = OpenService(manager, "Wlansvc", SERVICE_QUERY_STATUS);
    SERVICE_STATUS status {};
    ASSERT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_START_PENDING);
    EXPECT_EQ(OpenService(manager, "NoSuchService", SERVICE_QUERY_STATUS), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_DOES_NOT_EXIST);
    ASSERT_TRUE(ChangeServiceConfig(service, SERVICE_NO_CHANGE, SERVICE_DISABLED, SERVICE_NO_CHANGE, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr));
    platform::system::set_service_state("Wlansvc", SERVICE_STOPPED);
    EXPECT_FALSE(StartService(service, 0, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_DISABLED);
    EXPECT_FALSE(QueryServiceStatus(manager, &status));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    EXPECT_FALSE(CloseServiceHandle(manager));
}

}
