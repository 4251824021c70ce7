// The demos' breathing training (make demo TRAINING=1): the application starts recording once
// the device is there, and opens the training window once the recording is live.
#pragma once

class QByteArray;

namespace trivant {

class MainWindow;

// Whether TRIVANT_DEMO_TRAINING's value asks for it: set, and neither empty nor "0".
bool DemoTrainingAsked(const QByteArray& value);

// Watches main: Start is pressed once it is enabled while nothing records, and the training
// window is opened once a recording is live; then the watch ends. A modal dialog (the
// recovery question, say) is answered first.
void StartTrainingDemo(MainWindow& main);

}  // namespace trivant
