#include "StatusTexts.h"

namespace Module1 {
namespace {

// The first character between fields of the locale's time format, ":" when there is none.
QString TimeSeparator(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    bool inField = false;
    for (QChar c : format) {
        if (c == QLatin1Char('h') || c == QLatin1Char('H') || c == QLatin1Char('m'))
            inField = true;
        else if (inField && !c.isSpace() && c != QLatin1Char('\''))
            return QString(c);
    }
    return QStringLiteral(":");
}

}  // namespace

QString ClockText(const QTime& time, const QLocale& locale)
{
    const QString sep = TimeSeparator(locale);
    return QStringLiteral("%1%2%3%4%5")
        .arg(time.hour())
        .arg(sep)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(sep)
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

QString CounterText(qint64 count, const QLocale& locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(count) + QStringLiteral(" / 65.000 Characters");
}

}  // namespace Module1
