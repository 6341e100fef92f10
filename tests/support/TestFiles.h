// Small helpers of the tests: whole files and the command-line tools that check them.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Runs a tool and returns what it printed (both streams); exitCode receives its exit code.
inline QString Run(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

#include <QDir>

// Temporary files that a save left behind in folder (none after any save, failed or not).
inline QStringList LeftoverTemporaries(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".huecipher-*")}, QDir::Files | QDir::Hidden);
}

// A text of exactly 200,000 characters in lines of ordinary prose.
inline QByteArray TwoHundredThousandCharacters()
{
    QByteArray text;
    while (text.size() < 200000)
        text += "Two hundred thousand characters and counting, line after line. \r\n";
    text.truncate(200000);
    return text;
}
