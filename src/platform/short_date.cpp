// Short dates through DateLocale: the user's regional settings, or the interface language's
// own when the two disagree (InstallTranslations) or the settings are C's.
#include "short_date.h"

#include "clock_time.h"
#include "translation.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

namespace trivant {

namespace {
std::string format(const QDate& d) {
    return DateLocale().toString(d, QLocale::ShortFormat).toStdString();
}
}  // namespace

std::string ShortDateText(std::time_t t) {
    return format(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)).date());
}

std::string FileShortDate(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists())
        return {};
    return format(info.lastModified().date());
}

namespace {
int64_t clockOf(const QDateTime& t) {
    const QDate d = t.date();
    return ClockOf(d.year(), d.month(), d.day(), t.time().msecsSinceStartOfDay() / 1000);
}
}  // namespace

int64_t LocalClockNow() {
    return clockOf(QDateTime::currentDateTime());
}

int64_t LocalClockOf(std::time_t t) {
    return clockOf(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)));
}

}  // namespace trivant
