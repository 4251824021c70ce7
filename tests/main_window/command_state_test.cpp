// The enabling table of the main window's commands, column by column.
#include "command_state.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

CommandStates all(bool v) {
    CommandStates s;
    s.fill(v);
    return s;
}

// Expected states as E/D letters in the order of CommandItem; '-' keeps the previous one.
void expectColumn(ActiveChild a, const char* want) {
    for (bool previous : {false, true}) {
        const CommandStates next = NextCommandStates(a, all(previous));
        for (int i = 0; i < kCommandItems; ++i) {
            const bool expected = want[i] == '-' ? previous : want[i] == 'E';
            EXPECT_EQ(next[i], expected) << "column " << int(a) << " item " << i;
        }
    }
}

TEST(CommandState, EveryColumn) {
    //                                  W  S  TO MO Sv St La To Pr PS Co Sp
    expectColumn(ActiveChild::None, "DD--DDDED-DD");
    expectColumn(ActiveChild::GraphRecording, "EE--DEEDDDDD");
    expectColumn(ActiveChild::GraphIdle, "EEEEEDDEEEEE");
    expectColumn(ActiveChild::Other, "ED--D-----DD");
}

TEST(CommandState, PrinterSetupStaysDisabledAfterTheRecordingWindowCloses) {
    CommandStates s = InitialCommandStates();
    EXPECT_FALSE(s[kStop]);
    EXPECT_TRUE(s[kToolOpen]);
    s = NextCommandStates(ActiveChild::GraphRecording, s);
    s = NextCommandStates(ActiveChild::None, s);
    EXPECT_FALSE(s[kToolPrintSetup]);
    EXPECT_TRUE(s[kToolOpen]);
    EXPECT_TRUE(s[kTools]);
}

TEST(CommandState, StartNeedsTheDeviceAndNoRecordingRunning) {
    EXPECT_TRUE(StartEnabled(true, false));
    EXPECT_FALSE(StartEnabled(true, true));
    EXPECT_FALSE(StartEnabled(false, false));
}

}  // namespace
}  // namespace trivant
