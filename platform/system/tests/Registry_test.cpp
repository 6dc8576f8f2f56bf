#include "platform/system/Registry.h"

#include "platform/system/RegistryStore.h"
#include "platform/user/Messages.h"

#include "TempFolder.h"

#include <fstream>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder.use_for_system_services(); }
    platform::system::testing::TempFolder m_folder;
};

constexpr char const* interface_key = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{1234}";

TEST_F(RegistryTest, OpenFailsForAMissingKeyAndCreateMakesTheParents)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, interface_key, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &key),
        ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, interface_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "software\\MICROSOFT\\wzcsvc", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndSurviveTheProcess)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, interface_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    DWORD flags = 0x8000;
    BYTE const blob[] = { 1, 0, 2 };
    ASSERT_EQ(RegSetValueEx(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<BYTE const*>(&flags), 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "Domain", 0, REG_SZ, reinterpret_cast<BYTE const*>("CORP"), 5), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "Blob", 0, REG_BINARY, blob, 3), ERROR_SUCCESS);
    RegCloseKey(key);

    // What another process would see: the file alone.
    auto stored = platform::system::RegistryStore::the().value(
        std::string("HKEY_LOCAL_MACHINE\\") + interface_key, "controlflags");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, REG_DWORD);

    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, interface_key, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(RegQueryValueEx(key, "ControlFlags", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 0x8000u);
    char text[8];
    size = 2;
    EXPECT_EQ(RegQueryValueEx(key, "Domain", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    size = sizeof text;
    ASSERT_EQ(RegQueryValueEx(key, "Domain", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "CORP");
    EXPECT_EQ(type, REG_SZ);
    size = 0;
    ASSERT_EQ(RegQueryValueEx(key, "Blob", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(RegDeleteValue(key, "Blob"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(key, "Blob", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

// Setting a value to what it is leaves the stored file as it was (no rewrite, the same file);
// a changed value replaces it.
TEST_F(RegistryTest, OnlyAChangeRewritesTheStoredFile)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, interface_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    auto file_id = [] {
        struct stat st {};
        EXPECT_EQ(::stat(platform::system::RegistryStore::the().file_path().c_str(), &st), 0);
        return st.st_ino;
    };
    DWORD flags = 1;
    auto set = [&] { return RegSetValueEx(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<BYTE const*>(&flags), 4); };
    ASSERT_EQ(set(), ERROR_SUCCESS);
    auto const first = file_id();
    ASSERT_EQ(set(), ERROR_SUCCESS);
    EXPECT_EQ(file_id(), first);
    DWORD disposition = 0;
    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, interface_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &again, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(again);
    EXPECT_EQ(file_id(), first);
    flags = 2;
    ASSERT_EQ(set(), ERROR_SUCCESS);
    EXPECT_NE(file_id(), first);
    RegCloseKey(key);
}

TEST_F(RegistryTest, RejectsMalformedWrites)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Test", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    BYTE two[2] = {};
    EXPECT_EQ(RegSetValueEx(key, "Short", 0, REG_DWORD, two, 2), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(key, "Null", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    // A text without its terminator is stored terminated.
    ASSERT_EQ(RegSetValueEx(key, "Text", 0, REG_SZ, reinterpret_cast<BYTE const*>("abc"), 3), ERROR_SUCCESS);
    DWORD size = 0;
    RegQueryValueEx(key, "Text", nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software"), ERROR_KEY_HAS_CHILDREN);
    RegCloseKey(key);
    EXPECT_EQ(RegQueryValueEx(key, "Text", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
}

// The type field of a stored value is read strictly: a line whose type is not a plain number
// that fits is damaged, and a damaged line loses only itself.
TEST_F(RegistryTest, AStoredValueWithADamagedTypeIsAbsent)
{
    struct Case {
        char const* name;
        char const* type;
        bool kept;
        std::uint32_t expected;
    };
    constexpr Case cases[] = {
        { "plain", "4", true, 4 },
        { "largest", "4294967295", true, 4294967295u },
        { "one past the largest", "4294967296", false, 0 },
        { "negative", "-4", false, 0 },
        { "trailing letters", "4x", false, 0 },
        { "leading blank", " 4", false, 0 },
        { "empty", "", false, 0 },
        { "hex", "0x4", false, 0 },
    };
    auto& store = platform::system::RegistryStore::the();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        // Names and data are hex: "Bad" = 426164, "Good" = 476f6f64, data 01 02.
        std::ofstream(store.file_path(), std::ios::trunc) << "[Software\\Test]\n426164\t" << c.type << "\t0102\n476f6f64\t3\t0102\n";
        auto bad = store.value("Software\\Test", "Bad");
        EXPECT_EQ(bad.has_value(), c.kept);
        EXPECT_EQ(bad ? bad->type : 0u, c.expected);
        auto good = store.value("Software\\Test", "Good");
        ASSERT_TRUE(good.has_value());
        EXPECT_EQ(good->type, 3u);
    }
}

}
