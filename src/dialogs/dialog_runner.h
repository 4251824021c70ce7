// Every modal dialog of the application runs through one runner, so tests can answer
// dialogs and message boxes in-process instead of waiting for a user.
#pragma once

#include <QDialog>

namespace trivant {

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows d modally and returns its result (QDialog::Accepted, Rejected, or done()'s value).
    virtual int exec(QDialog& d) { return d.exec(); }
};

}  // namespace trivant
