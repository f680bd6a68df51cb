#include "TestSupport.hpp"
#include "files/WriterWords.hpp"

#include <gtest/gtest.h>


namespace fs = std::filesystem;

TEST(WriterWordsTest, TheFileIsReadForgivinglyAndWrittenSorted)
{
    const fs::path folder = enterScratchFolder();
    const fs::path file = "user/.dictionary";
    EXPECT_TRUE(readWriterWords(file).words.empty());
    EXPECT_EQ(readWriterWords(file).damage, "");

    std::error_code error;
    ASSERT_TRUE(writeWriterWords(file, {"Zorblax", "Émile", "bad\nword", "", "Ahab", "Zorblax"}, error));
    EXPECT_EQ(readBytes(file), "Ahab\nZorblax\nÉmile\n");
    EXPECT_EQ(readWriterWords(file).words, (std::vector<std::string>{"Ahab", "Zorblax", "Émile"}));

    writeBytes(file, std::string("Ahab\r\nbad\xff\n\nQueequeg\nnul\0x\n", 27));
    const WriterWords damaged = readWriterWords(file);
    EXPECT_EQ(damaged.words, (std::vector<std::string>{"Ahab", "Queequeg"}));
    EXPECT_EQ(damaged.damage, "line 2 is not a word in UTF-8");

    EXPECT_EQ(readWriterWords("user").damage, "not a regular file");
    if (makeReadOnly("user")) {
        EXPECT_FALSE(writeWriterWords(file, {"Ishmael"}, error));
        makeWritable("user");
        EXPECT_EQ(readWriterWords(file).words, (std::vector<std::string>{"Ahab", "Queequeg"})) << "the file as it was";
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}
