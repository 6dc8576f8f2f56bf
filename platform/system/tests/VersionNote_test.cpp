#include "platform/system/Version.h"
#include "platform/system/VersionNote.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace platform::system;

TEST(VersionNote, ReadsTheNoteTheBuildEmbedsInAProgram)
{
    auto note = read_version_note(ZORVEL_TEST_BIN_DIR "/SysHelper");
    ASSERT_TRUE(note);
    EXPECT_EQ(note->file_version, (std::array<std::uint16_t, 4> { 3, 14, 15, 92 }));
    EXPECT_EQ(note->strings["LegalCopyright"], "Copyright (C) Helper test");
}

// A sanitizer build of a program passes 64 MB: the note is read from its section alone. The
// copy is grown with a sparse tail, which leaves its sections where they were.
TEST(VersionNote, ReadsTheNoteOfAProgramPastSixtyFourMegabytes)
{
    platform::system::testing::TempFolder folder;
    std::string const copy = folder.file("Big");
    std::filesystem::copy_file(ZORVEL_TEST_BIN_DIR "/SysHelper", copy);
    std::filesystem::resize_file(copy, 100u << 20);
    auto note = read_version_note(copy);
    ASSERT_TRUE(note);
    EXPECT_EQ(note->file_version, (std::array<std::uint16_t, 4> { 3, 14, 15, 92 }));
}

TEST(VersionNote, AnElfFileWithoutTheSectionHasNoNote)
{
    EXPECT_FALSE(read_version_note(ZORVEL_TEST_BIN_DIR "/TestModule.so"));
    EXPECT_FALSE(read_version_note("/nonexistent/file"));
}

TEST(VersionNote, AnyFileMayCarryTheNoteText)
{
    platform::system::testing::TempFolder folder;
    VersionNote note;
    note.file_version = { 6, 1, 7600, 16385 };
    note.product_version = note.file_version;
    note.strings["LegalCopyright"] = "(c) driver";
    std::ofstream(folder.file("driver.sys")) << make_version_note_text(note);
    auto back = read_version_note(folder.file("driver.sys"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->file_version, note.file_version);
    std::ofstream(folder.file("plain.txt")) << "no note here";
    EXPECT_FALSE(read_version_note(folder.file("plain.txt")));
}

TEST(VersionNote, RejectsBadVersionNumbers)
{
    for (char const* version : { "1.2.3", "1.2.3.70000", "a.b.c.d", "" }) {
        SCOPED_TRACE(version);
        EXPECT_FALSE(parse_version_note(std::string("ZORVEL-VERSION-NOTE 1\nFileVersion=") + version + "\n"));
    }
}

TEST(VersionNote, BlockAnswersFixedInfoStringsAndTranslation)
{
    VersionNote note;
    note.file_version = { 1, 2, 3, 4 };
    note.product_version = { 5, 6, 7, 8 };
    note.strings["LegalCopyright"] = "Copyright X";
    auto block = make_version_block(note);
    void const* value = nullptr;
    unsigned length = 0;
    ASSERT_TRUE(query_version_block(block.data(), "\\", &value, &length));
    auto const* fixed = static_cast<VS_FIXEDFILEINFO const*>(value);
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00030004u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00050006u);
    ASSERT_TRUE(query_version_block(block.data(), "\\StringFileInfo\\040904B0\\LegalCopyright", &value, &length));
    EXPECT_STREQ(static_cast<char const*>(value), "Copyright X");
    EXPECT_EQ(length, 12u);
    ASSERT_TRUE(query_version_block(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    EXPECT_EQ(static_cast<std::uint16_t const*>(value)[0], 0x0409);
    EXPECT_FALSE(query_version_block(block.data(), "\\StringFileInfo\\040904B0\\Missing", &value, &length));
}
