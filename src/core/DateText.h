// The date in Dutch, as the status bar shows it: "Maandag 7 December 2026".
#pragma once

#include <QDate>
#include <QString>

QString DateText();
QString DateTextFor(const QDate& date);
