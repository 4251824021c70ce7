// A long path in a message box breaks between folders, never inside a name.
#include "message_box.h"

#include <QTextLayout>

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

// The lines a box's text breaks into at width, without the marks that steer the breaks.
QStringList linesAt(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength())
                     .remove(QChar(0x2060))
                     .remove(QChar(0x200B));
    }
    layout.endLayout();
    return lines;
}

TEST(MessageText, APathBreaksOnlyAfterASeparator) {
    const QString path = "/home/врач/Документы/Trivant/Data-2026-12.10/.20261210-102955.rr.part";
    const QString shown = UnbrokenPath(path);
    QFont font;
    font.setPixelSize(12);
    for (int width : {60, 120, 200}) {
        SCOPED_TRACE(width);
        const QStringList lines = linesAt(shown, font, width);
        EXPECT_EQ(lines.join(""), path);  // the marks add nothing that shows
        for (int i = 0; i + 1 < lines.size(); ++i)
            EXPECT_TRUE(lines[i].endsWith('/')) << lines[i].toStdString();
    }
}

}  // namespace
}  // namespace trivant::test
