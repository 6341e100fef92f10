// Texts of the status bar: the clock and the character counter.
#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace Module1 {

// "h:mm:ss": hours without leading zero, the locale's time separator.
QString ClockText(const QTime& time, const QLocale& locale);

// The number as "##,##0": Latin digits grouped in threes with the locale's thousands separator.
QString GroupedNumber(qint64 value, const QLocale& locale);

// "1,234 / 65.000 Characters": the count grouped in threes with the locale's separator.
QString CounterText(qint64 count, const QLocale& locale);

}  // namespace Module1
