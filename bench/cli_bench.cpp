// huecipher-cli on a batch: 1,000 texts of 1,000 characters coded into pictures in one call,
// then the pictures decoded in one call. Prints files per second (median of three runs), beside
// the floor of the same run: writing 1,000 files of a picture's size with plain system calls
// (on ext4 the creation of a file slows down for a while after many deletions; the floor shows
// when the machine, not the program, is slow).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Files = 1000;
constexpr int Runs = 3;

// Seconds one call of the command line takes; negative when it fails.
double Timed(const QStringList& arguments)
{
    QProcess p;
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral(HUECIPHER_CLI), arguments);
    if (!p.waitForFinished(600000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", p.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e9;
}

// Seconds to create, fill and close 1,000 files of a picture's size in folder.
double Floor(const QString& folder)
{
    const QByteArray bytes(54 + 200 * 120 * 3, 'p');
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Files; ++i) {
        const QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral("f%1.bmp").arg(i)));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), bytes.size()) != bytes.size())
            return -1;
        ::close(fd);
    }
    return timer.nsecsElapsed() / 1e9;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList texts;
    QByteArray line;
    while (line.size() < 1000)
        line += "A thousand characters of text, coded into a picture and back. ";
    line.truncate(1000);
    for (int i = 0; i < Files; ++i) {
        texts << dir.filePath(QStringLiteral("t%1.txt").arg(i));
        QFile f(texts.last());
        if (!f.open(QIODevice::WriteOnly) || f.write(line) != line.size())
            return 1;
    }
    std::vector<double> encode;
    std::vector<double> decode;
    std::vector<double> floor;
    for (int run = 0; run < Runs; ++run) {
        const QString pictures = dir.filePath(QStringLiteral("pictures%1").arg(run));
        const QString back = dir.filePath(QStringLiteral("back%1").arg(run));
        QDir().mkpath(pictures);
        QDir().mkpath(back);
        const QString plain = dir.filePath(QStringLiteral("plain%1").arg(run));
        QDir().mkpath(plain);
        floor.push_back(Floor(plain));
        encode.push_back(Timed(QStringList{"encode", "-d", pictures} + texts));
        QStringList coded;
        for (int i = 0; i < Files; ++i)
            coded << QDir(pictures).filePath(QStringLiteral("t%1.hqc").arg(i));
        decode.push_back(Timed(QStringList{"decode", "-d", back} + coded));
        if (encode.back() < 0 || decode.back() < 0 || floor.back() < 0)
            return 1;
    }
    std::printf("huecipher-cli, %d texts of 1,000 characters in one call (median of %d runs)\n", Files, Runs);
    std::printf("  encode: %8.0f files per second (target at least 1,000)\n", Files / Median(encode));
    std::printf("  decode: %8.0f files per second (target at least 1,000)\n", Files / Median(decode));
    std::printf("  floor:  %8.0f files per second (creating and writing the files alone)\n", Files / Median(floor));
    return 0;
}
