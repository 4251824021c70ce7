// The stage table's cells: every number with the decimals its measure has on the report's
// second page, the change from the first stage at the same precision.
#include "stage_view.h"

#include "span_csv.h"
#include "standard_view.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <optional>

namespace trivant {

namespace {

struct StageText {
    Q_DECLARE_TR_FUNCTIONS(StandardPage)
};

std::string tr(const char* text) {
    return StageText::tr(text).toStdString();
}

const char* const kDash = "—";
const char* const kStage = QT_TRANSLATE_NOOP("StandardPage", "Этап %1");
const char* const kNamedStage = QT_TRANSLATE_NOOP("StandardPage", "Этап %1: %2");
const char* const kChange = QT_TRANSLATE_NOOP("StandardPage", "Изменение");
const char* const kStart = QT_TRANSLATE_NOOP("StandardPage", "Начало, с");
const char* const kStartClock = QT_TRANSLATE_NOOP("StandardPage", "Начало, время");
const char* const kDuration = QT_TRANSLATE_NOOP("StandardPage", "Длительность, с");
const char* const kIntervals = QT_TRANSLATE_NOOP("StandardPage", "Интервалов");

// With a point whatever the locale (the window shows it with the language's sign); what
// rounds to zero has no sign.
std::string fixed(double v, int decimals) {
    char text[64];
    const auto r =
        std::to_chars(text, text + sizeof text, std::fabs(v), std::chars_format::fixed, decimals);
    const std::string magnitude(text, r.ptr);
    const bool zero = magnitude.find_first_not_of("0.") == std::string::npos;
    return (v < 0 && !zero ? "-" : "") + magnitude;
}

// "+1.5", "-0.25", or "0" for what rounds to zero at these decimals.
std::string signedFixed(double v, int decimals) {
    const std::string text = fixed(v, decimals);
    if (text.find_first_not_of("0.") == std::string::npos)
        return "0";
    return text[0] == '-' ? text : "+" + text;
}

// A row of the table: its name, and each stage's value.
struct StageRow {
    std::string name;
    int decimals;
    std::vector<std::optional<double>> values;
};

std::vector<StageRow> stageRows(const std::vector<SpanMeasures>& stages) {
    std::vector<StageRow> rows{
        {tr(kStart), 1, {}}, {tr(kDuration), 1, {}}, {tr(kIntervals), 0, {}}};
    for (const StandardRow& r : StandardRows())
        rows.push_back({StageText::tr(r.name).toStdString(), r.decimals, {}});
    for (const SpanMeasures& st : stages) {
        rows[0].values.push_back(static_cast<double>(st.span.startUs) / 1e6);
        rows[1].values.push_back(static_cast<double>(st.span.endUs - st.span.startUs) / 1e6);
        rows[2].values.push_back(st.m.n);
        for (size_t i = 0; i < StandardRows().size(); ++i)
            rows[3 + i].values.push_back(st.m.*StandardRows()[i].value);
    }
    return rows;
}

// The clock time at which each stage begins, no change beside it.
std::vector<std::string> clockRow(const std::vector<SpanMeasures>& stages, int64_t startClockS) {
    std::vector<std::string> cells{tr(kStartClock)};
    for (size_t s = 0; s < stages.size(); ++s) {
        cells.push_back(ClockText(SpanClockS(startClockS, stages[s])));
        if (s > 0)
            cells.emplace_back();
    }
    return cells;
}

}  // namespace

std::string ChangeText(std::optional<double> base, std::optional<double> value, int decimals) {
    if (!base || !value)
        return kDash;
    const double d = *value - *base;
    const std::string diff = signedFixed(d, decimals);
    if (*base == 0 || diff == "0")
        return diff;
    return diff + " (" + signedFixed(100 * d / std::fabs(*base), 1) + " %)";
}

StageTable MakeStageTable(const std::vector<SpanMeasures>& stages, int64_t startClockS) {
    StageTable t;
    t.header.push_back("");
    for (size_t s = 0; s < stages.size(); ++s) {
        const SpanMeasures& st = stages[s];
        const QString head =
            st.name.empty() ? StageText::tr(kStage).arg(st.stage)
                            : StageText::tr(kNamedStage)
                                  .arg(QString::number(st.stage), QString::fromStdString(st.name));
        t.header.push_back(head.toStdString());
        if (s > 0)
            t.header.push_back(tr(kChange));
    }
    if (stages.empty())
        return t;
    const std::vector<StageRow> rows = stageRows(stages);
    for (size_t r = 0; r < rows.size(); ++r) {
        const StageRow& row = rows[r];
        auto text = [&](const std::optional<double>& v) {
            return v ? fixed(*v, row.decimals) : std::string(kDash);
        };
        std::vector<std::string> cells{row.name, text(row.values[0])};
        for (size_t s = 1; s < stages.size(); ++s) {
            cells.push_back(text(row.values[s]));
            // Where a stage begins is no change to compare.
            cells.push_back(r == 0 ? std::string()
                                   : ChangeText(row.values[0], row.values[s], row.decimals));
        }
        t.rows.push_back(std::move(cells));
        if (r == 0 && startClockS != kNoClock)
            t.rows.push_back(clockRow(stages, startClockS));
    }
    return t;
}

}  // namespace trivant
