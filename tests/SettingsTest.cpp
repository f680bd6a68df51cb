#include "TestSupport.hpp"
#include "files/Settings.hpp"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// A file's settings as "keys lines numbers unknown…", with the damage after a bar.
std::string settingsOf(const fs::path& file)
{
    const SettingsRead read = readSettings(file);
    std::string out = std::to_string(int(read.settings.keys)) + std::to_string(int(read.settings.lines)) +
                      std::to_string(int(read.settings.sceneNumbers));
    for (const auto& [key, value] : read.settings.unknown)
        out += " " + key + ":" + value;
    return out + (read.damage.empty() ? "" : " | " + read.damage);
}

TEST(SettingsTest, TheFileIsReadWholeOrNotAtAllAndKeepsWhatItDoesNotKnow)
{
    const fs::path folder = enterScratchFolder();
    const fs::path file = "user/.settings";
    EXPECT_EQ(settingsOf(file), "000");
    const std::pair<std::string, std::string> cases[] = {
        {"enter-and-tab = final-draft\nlines-on-screen = as-printed\nscene-numbers = right\n", "112"},
        {"\n  scene-numbers=both \r\ntheme = dark\nenter-and-tab = quillmere\n", "003 theme:dark"},
        {"scene-numbers = left\nscene-numbers = none\n", "000"},
        {"lines-on-screen = as-printed\nscene-numbers = sideways\n", "000 | line 2 is not a setting"},
        {"enter-and-tab final-draft\n", "000 | line 1 is not a setting"},
        {"theme =\n", "000 | line 1 is not a setting"},
        {"lines-on-screen = as-printed\n\xff = 1\n", "000 | line 2 is not a setting"},
        {std::string("scene-numbers = both\0\n", 22), "000 | line 1 is not a setting"},
    };
    for (const auto& [bytes, expected] : cases) {
        writeBytes(file, bytes);
        EXPECT_EQ(settingsOf(file), expected) << bytes;
    }
    EXPECT_EQ(settingsOf("user"), "000 | not a regular file");

    Settings settings;
    settings.keys = KeyChain::FinalDraft;
    settings.sceneNumbers = SceneNumbers::Both;
    settings.unknown = {{"theme", "dark"}, {"zoom", "2"}};
    std::error_code error;
    ASSERT_TRUE(writeSettings(file, settings, error));
    EXPECT_EQ(readBytes(file), "enter-and-tab = final-draft\nlines-on-screen = editor\nscene-numbers = both\ntheme = dark\nzoom = 2\n");
    EXPECT_EQ(settingsOf(file), "103 theme:dark zoom:2");
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}
