// huecipher-cli on a batch: 1,000 texts of 1,000 characters coded into pictures in one call,
// then the pictures decoded in one call. Prints files per second (median of three runs).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

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
    for (int run = 0; run < Runs; ++run) {
        const QString pictures = dir.filePath(QStringLiteral("pictures%1").arg(run));
        const QString back = dir.filePath(QStringLiteral("back%1").arg(run));
        QDir().mkpath(pictures);
        QDir().mkpath(back);
        encode.push_back(Timed(QStringList{"encode", "-d", pictures} + texts));
        QStringList coded;
        for (int i = 0; i < Files; ++i)
            coded << QDir(pictures).filePath(QStringLiteral("t%1.hqc").arg(i));
        decode.push_back(Timed(QStringList{"decode", "-d", back} + coded));
        if (encode.back() < 0 || decode.back() < 0)
            return 1;
    }
    std::printf("huecipher-cli, %d texts of 1,000 characters in one call (median of %d runs)\n", Files, Runs);
    std::printf("  encode: %8.0f files per second (target at least 1,000)\n", Files / Median(encode));
    std::printf("  decode: %8.0f files per second (target at least 1,000)\n", Files / Median(decode));
    return 0;
}
