// Start-up with a damaged settings file: truncated at every length, or with every field at
// an extreme. The application gets the message or the mended values, never a crash.
#include "app_fixture.h"

#include "message_box.h"

#include <cstring>
#include <limits>

namespace trivant::test {
namespace {

std::string defaultImage() {
    trivant::Setup s;
    ApplyDefaultValues(s);
    const auto bytes = EncodeSetup(s);
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(AppTest, EveryTruncatedSettingsFileGetsTheMessageAndDefaults) {
    const std::string full = defaultImage();
    for (size_t len = 0; len < kSetupBytes; ++len) {
        dir.write("tv3cfg.cfg", full.substr(0, len));
        int messages = 0;
        startAnswers.push_back([&messages](QDialog& d) {
            messages += dynamic_cast<MessageBox*>(&d) != nullptr;
            return kMsgOk;
        });
        start();
        ASSERT_EQ(messages, 1) << len;
        ASSERT_EQ(form->windowTitle(), "Ормикс-01") << len;
        form->setup().AutoSaveSetup = false;
        form.reset();
    }
}

TEST_F(AppTest, ExtremeSettingsAreMended) {
    std::string image = defaultImage();
    for (size_t offset : {296u, 300u, 304u, 308u, 312u, 316u, 320u, 324u}) {
        const int32_t v =
            offset % 8 ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
        std::memcpy(&image[offset], &v, sizeof v);
    }
    image[0] = '\xFF';  // a DataDir length past its room
    for (int i = 0; i < 8; ++i)
        image[164 + 16 * i] = '\xFF';  // trace names too
    dir.write("tv3cfg.cfg", image);
    start();
    const trivant::Setup& s = form->setup();
    EXPECT_GE(s.Sample, 20);
    EXPECT_LE(s.Sample, 500);
    EXPECT_GE(s.BarWidth, 3);
    EXPECT_LE(s.BarWidth, 10);
    EXPECT_GE(s.LineWidth, 1);
    EXPECT_LE(s.LineWidth, 2);
    EXPECT_EQ(s.PortIndex, 0);
    EXPECT_EQ(s.BaudIndex, 0);
    EXPECT_LE(s.DataDir.size(), 80u * 2);  // at most 80 characters, UTF-8
    form->IdleHandler();                   // the odd filter indexes and the rest are harmless
    form->setup().AutoSaveSetup = false;
}

}  // namespace
}  // namespace trivant::test
