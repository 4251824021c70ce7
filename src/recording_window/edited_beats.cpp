// The edited beats of a reviewed recording and their texts.
#include "edited_beats.h"

#include <QCoreApplication>
#include <QStringList>

namespace trivant {

namespace {

struct EditText {
    Q_DECLARE_TR_FUNCTIONS(EditedBeats)
};

}  // namespace

std::vector<EditedBeat> EditedBeatList(const Recording& rec) {
    std::vector<EditedBeat> out;
    auto deleted = rec.DeletedBeats.begin();
    for (int k = 1; k <= rec.beats(); ++k) {
        while (deleted != rec.DeletedBeats.end() && deleted->first < k)
            ++deleted;
        EditedBeat e{k, rec.beatEdit(k), 0};
        if (deleted != rec.DeletedBeats.end() && deleted->first == k)
            e.deleted = static_cast<int>(deleted->second.size());
        if (e.edit != BeatEdit::None || e.deleted > 0)
            out.push_back(e);
    }
    return out;
}

QColor EditMarkColor() {
    return {96, 96, 96};
}

QString EditMarkText() {
    return EditText::tr("исправлен");
}

QString EditedBeatText(const EditedBeat& e) {
    QStringList parts;
    switch (e.edit) {
    case BeatEdit::Interpolated:
        parts << EditText::tr("интерполирован");
        break;
    case BeatEdit::Inserted:
        parts << EditText::tr("вставлен");
        break;
    case BeatEdit::Moved:
        parts << EditText::tr("сдвинут");
        break;
    case BeatEdit::None:
        break;
    }
    if (e.deleted == 1)
        parts << EditText::tr("удалён перед ним");
    else if (e.deleted > 1)
        parts << EditText::tr("удалено перед ним: %1").arg(e.deleted);
    return parts.join(QStringLiteral(", "));
}

}  // namespace trivant
