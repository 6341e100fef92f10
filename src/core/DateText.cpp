#include "DateText.h"

namespace {
const char* const kWeekdays[] = {"Maandag", "Dinsdag", "Woensdag", "Donderdag", "Vrijdag", "Zaterdag", "Zondag"};
const char* const kMonths[] = {"Januari", "Februari", "Maart", "April", "Mei", "Juni",
                               "Juli", "Augustus", "September", "Oktober", "November", "December"};
}  // namespace

QString DateTextFor(const QDate& date)
{
    // QDate numbers Monday as 1 and Sunday as 7.
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QLatin1String(kWeekdays[date.dayOfWeek() - 1]))
        .arg(date.day())
        .arg(QLatin1String(kMonths[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString DateText()
{
    return DateTextFor(QDate::currentDate());
}
