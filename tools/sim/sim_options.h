// trivant-sim's command line, from one option table for the parser, help and completion.
#pragma once

#include "bash_completion.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

struct StatusInsert {
    int code = 1;   // 1..5
    long beat = 1;  // inserted before this beat (1-based, counted over the whole run)
    int count = 1;
};

struct SilenceInsert {
    double seconds = 0;  // real time, whatever the speed
    long beat = 1;
};

struct SimOptions {
    std::string msFile;         // --ms
    std::string recordingFile;  // --recording
    int device = 2;             // 1: RR in 8 ms units, 2: 10 ms units
    double speed = 1.0;
    long beats = 0;  // 0: the whole source (the generator never ends)
    bool loop = false;
    bool garbage = false;
    bool split = false;
    uint32_t seed = 1;
    std::vector<StatusInsert> statuses;
    std::vector<SilenceInsert> silences;
    bool help = false;
    bool version = false;
};

// Empty on success, else what is wrong.
std::string ParseSimOptions(const std::vector<std::string>& args, SimOptions& out);

std::string SimUsage();
// The option table as the completion script sees it.
CompletionTool SimCompletion();

}  // namespace trivant
