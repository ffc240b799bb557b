// A library never makes a QApplication of its own: without the host's, the dialog is not shown.
#include "plugins/decoders/support/ShowAdvancedDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(AdvancedDialogWithoutApplication, AnswersZeroAndLeavesTheSettingAlone) {
    char given[] = "25.0000";
    char* advanced = given;
    int32_t length = 7;
    EXPECT_EQ(scr::ShowAdvancedDialog(scr::kFrameRatePrompt, "24.0000", &advanced, &length), 0);
    EXPECT_EQ(advanced, given);
    EXPECT_EQ(length, 7);
}

} // namespace
