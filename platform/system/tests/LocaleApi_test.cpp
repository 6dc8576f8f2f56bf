#include "platform/system/Locale.h"

#include "platform/user/Messages.h"
#include "platform/user/User.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

TEST(LocaleApi, LanguageIdComesFromTheMessagesLocale)
{
    ::setenv("LC_ALL", "zh_TW.UTF-8", 1);
    char text[8];
    ASSERT_EQ(GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, text, sizeof text), 5);
    EXPECT_STREQ(text, "0404");
    EXPECT_EQ(GetSystemDefaultLangID(), 1028);
    ::unsetenv("LC_ALL");
    ::setenv("LC_MESSAGES", "zh_CN.GB18030", 1);
    ::setenv("LANG", "de_DE.UTF-8", 1);
    GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, text, sizeof text);
    EXPECT_STREQ(text, "0804");
    ::unsetenv("LC_MESSAGES");
    EXPECT_EQ(GetSystemDefaultLangID(), 0x0407);
    ::setenv("LANG", "C.UTF-8", 1);
    GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, text, sizeof text);
    EXPECT_STREQ(text, "0409");
    EXPECT_EQ(GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, nullptr, 0), 5);
    EXPECT_EQ(GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, text, 3), 0);
}

TEST(LocaleApi, ExpandsDefinedVariablesAndKeepsUndefinedOnes)
{
    ::setenv("ZORVEL_DOMAIN", "corp.example", 1);
    ::unsetenv("USERDNSDOMAIN");
    struct Case {
        char const* source;
        char const* expected;
    } const cases[] = {
        { "host/%ZORVEL_DOMAIN%", "host/corp.example" },
        { "%USERDNSDOMAIN%", "%USERDNSDOMAIN%" },
        { "a%USERDNSDOMAIN%%ZORVEL_DOMAIN%b", "a%USERDNSDOMAIN%corp.exampleb" },
        { "100% sure", "100% sure" },
        { "%%", "%%" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.source);
        char buffer[64];
        DWORD needed = ExpandEnvironmentStrings(c.source, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(needed, std::strlen(c.expected) + 1);
    }
    char small[6];
    EXPECT_EQ(ExpandEnvironmentStrings("%ZORVEL_DOMAIN%", small, sizeof small), 13u);
    EXPECT_STREQ(small, "corp.");
}

TEST(LocaleApi, ComputerNameAndSystemFolder)
{
    char name[256];
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerName(name, &size));
    EXPECT_EQ(size, std::strlen(name));
    EXPECT_EQ(std::strchr(name, '.'), nullptr);
    DWORD tiny = 1;
    EXPECT_FALSE(GetComputerName(name, &tiny));
    EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(tiny, size + 1);

    ::setenv("ZORVEL_SYSTEM_DIR", "/opt/stand-in/system32", 1);
    char folder[261];
    EXPECT_EQ(GetSystemDirectory(folder, sizeof folder), 22u);
    EXPECT_STREQ(folder, "/opt/stand-in/system32");
    EXPECT_EQ(GetSystemDirectory(folder, 5), 23u);
}
