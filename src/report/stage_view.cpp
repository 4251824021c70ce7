#include "stage_view.h"

#include "standard_view.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>

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
const char* const kChange = QT_TRANSLATE_NOOP("StandardPage", "Изменение");
const char* const kStart = QT_TRANSLATE_NOOP("StandardPage", "Начало, с");
const char* const kDuration = QT_TRANSLATE_NOOP("StandardPage", "Длительность, с");
const char* const kIntervals = QT_TRANSLATE_NOOP("StandardPage", "Интервалов");

int decimalsOf(const std::string& text) {
    const size_t dot = text.find('.');
    return dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
}

bool number(const std::string& text, double& v) {
    char* end = nullptr;
    v = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size();
}

std::string fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%+.*f", decimals, v);
    return text;
}

}  // namespace

std::string ChangeText(const std::string& base, const std::string& value) {
    double b = 0, v = 0;
    if (!number(base, b) || !number(value, v))
        return kDash;
    const std::string diff = fixed(v - b, decimalsOf(value));
    return b == 0 ? diff : diff + " (" + fixed(100 * (v - b) / std::fabs(b), 1) + " %)";
}

StageTable MakeStageTable(const std::vector<SpanMeasures>& stages) {
    StageTable t;
    t.header.push_back("");
    std::vector<std::vector<TextLine>> columns;
    for (size_t s = 0; s < stages.size(); ++s) {
        t.header.push_back(StageText::tr(kStage).arg(stages[s].stage).toStdString());
        if (s > 0)
            t.header.push_back(tr(kChange));
        const SpanMeasures& st = stages[s];
        char start[32], duration[32];
        std::snprintf(start, sizeof start, "%.1f", static_cast<double>(st.span.startUs) / 1e6);
        std::snprintf(duration, sizeof duration, "%.1f",
                      static_cast<double>(st.span.endUs - st.span.startUs) / 1e6);
        std::vector<TextLine> lines{{tr(kStart), start},
                                    {tr(kDuration), duration},
                                    {tr(kIntervals), std::to_string(st.m.n)}};
        for (const TextLine& l : StandardTableLines(st.m))
            lines.push_back(l);
        columns.push_back(std::move(lines));
    }
    if (columns.empty())
        return t;
    for (size_t r = 0; r < columns[0].size(); ++r) {
        std::vector<std::string> row{columns[0][r].name, columns[0][r].value};
        for (size_t s = 1; s < columns.size(); ++s) {
            row.push_back(columns[s][r].value);
            // Where a stage begins is no change to compare.
            row.push_back(r == 0 ? std::string()
                                 : ChangeText(columns[0][r].value, columns[s][r].value));
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

}  // namespace trivant
