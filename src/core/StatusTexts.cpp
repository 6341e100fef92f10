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

QString GroupedNumber(qint64 value, const QLocale& locale)
{
    // Latin digits in groups of three, whatever grouping and digits the locale has itself.
    const QString digits = QString::number(value < 0 ? -value : value);
    const QString separator = locale.groupSeparator();
    QString out = value < 0 ? QStringLiteral("-") : QString();
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

QString CounterText(qint64 count, const QLocale& locale)
{
    return GroupedNumber(count, locale) + QStringLiteral(" / 65.000 Characters");
}

}  // namespace Module1
