// The menu-prompt resource.
#include "core/menu_prompts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MenuPrompts, FindsTheTextOfAnId) {
    const unsigned char data[] = {211,  0,   'O', 'p', 'e', 'n', 0, 0x2C,
                                  0x01, 'Q', 'u', 'i', 't', 0,   0, 0};
    std::string text;
    ASSERT_TRUE(quill::FindMenuPrompt(data, sizeof data, 211, &text));
    EXPECT_EQ(text, "Open");
    ASSERT_TRUE(quill::FindMenuPrompt(data, sizeof data, 300, &text));
    EXPECT_EQ(text, "Quit");
    EXPECT_FALSE(quill::FindMenuPrompt(data, sizeof data, 5, &text));
    EXPECT_FALSE(quill::FindMenuPrompt(nullptr, 0, 5, &text));
}

TEST(MenuPrompts, NeverReadsPastTheData) {
    const unsigned char cut[] = {7, 0, 'a', 'b', 'c'};  // no NUL at the end
    std::string text;
    ASSERT_TRUE(quill::FindMenuPrompt(cut, sizeof cut, 7, &text));
    EXPECT_EQ(text, "abc");
    const unsigned char half[] = {7, 0, 'x', 0, 9};  // an id cut in half
    EXPECT_FALSE(quill::FindMenuPrompt(half, sizeof half, 9, &text));
    EXPECT_FALSE(quill::FindMenuPrompt(cut, 1, 7, &text));
}

}  // namespace
