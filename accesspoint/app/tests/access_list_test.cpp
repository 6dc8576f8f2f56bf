// The stored access list turned into the library's record: policy, count and the address slots.
#include "accesspoint/app/AccessList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using hotvane::BuildAccessControlList;

namespace {

// The stored list's bytes: each text followed by its NUL, then the empty text that ends it.
std::vector<char> stored_list(std::vector<std::string> const& texts)
{
    std::vector<char> bytes(1024, '\0');
    std::size_t at = 0;
    for (auto const& t : texts) {
        std::memcpy(bytes.data() + at, t.c_str(), t.size() + 1);
        at += t.size() + 1;
    }
    return bytes;
}

std::string address(std::string const& hex, int n)
{
    std::string text = hex;
    text.replace(10, 2, (n < 16 ? "0" : "") + [&] {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%X", n);
        return std::string(digits);
    }());
    return text;
}

}

TEST(AccessList, PolicyCountAndEntries)
{
    struct Case {
        const char* name;
        long policy;
        std::vector<std::string> texts;
        std::uint32_t policy_out;
        std::uint32_t count;
    };
    std::vector<std::string> many;
    for (int i = 0; i < 33; ++i)
        many.push_back(address("02AABBCCDD00", i));
    Case const cases[] = {
        { "policy 1 without an entry", 1, {}, 0, 0 },
        { "policy 0 ignores the list", 0, { "02AABBCCDD01" }, 0, 0 },
        { "two entries", 2, { "02aabbccdd01", "02AABBCCDD02" }, 2, 2 },
        { "33 entries take 32", 1, many, 1, 32 },
        { "short and non-hexadecimal texts skipped", 1, { "12AB", "GGGGGGGGGGGG", "02AABBCCDD03" }, 1, 1 },
        { "only bad texts: policy 0", 1, { "12AB", "GGGGGGGGGGGG" }, 0, 0 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto const list = stored_list(c.texts);
        AccessControlList const acl = BuildAccessControlList(c.policy, list);
        EXPECT_EQ(acl.Policy, c.policy_out);
        EXPECT_EQ(acl.Count, c.count);
    }
    auto const list = stored_list({ "12AB", "02aabbccdd01" });
    AccessControlList const acl = BuildAccessControlList(1, list);
    std::uint8_t const expected[8] = { 0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01, 0, 0 };
    EXPECT_EQ(std::memcmp(acl.Entry[0], expected, 8), 0);
}

// A list that fills its 1024 bytes without the empty text that ends it is read only that far.
TEST(AccessList, FullBufferWithoutEndIsReadWithinIt)
{
    std::vector<char> bytes(1024, 'A');
    for (std::size_t at = 12; at < bytes.size(); at += 13)
        bytes[at] = '\0';
    AccessControlList const acl = BuildAccessControlList(1, bytes);
    EXPECT_EQ(acl.Count, 32u);
    std::vector<char> unterminated(1024, 'B');
    EXPECT_EQ(BuildAccessControlList(1, unterminated).Count, 0u);
}
