// huecipher-cli as scripts call it. Single calls (a text of 1,000 characters coded, its picture
// decoded; medians of 11) against the peer steghide (embed into and extract from a 400 x 300
// bitmap) and against the floor: a plain program that reads the text and writes a picture's
// bytes with the same safety. Then batches: 1,000 texts coded in one call and decoded in one
// call, files per second (median of three runs), beside the floor of the same run: writing 1,000
// files of a picture's size with plain system calls (on ext4 the creation of a file slows down
// for a while after many deletions; the floor shows when the machine, not the program, is slow).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Files = 1000;
constexpr int Runs = 3;

// Seconds one call of program takes; negative when it fails. Its output is thrown away.
double TimedProgram(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    p.start(program, arguments);
    if (!p.waitForFinished(600000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", p.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e9;
}

double Timed(const QStringList& arguments)
{
    return TimedProgram(QStringLiteral(HUECIPHER_CLI), arguments);
}

// Seconds to write 1,000 files of size bytes in folder as a batch does, with plain system
// calls: each to a temporary name, renamed, and the folder's file system flushed once at the end.
double Floor(const QString& folder, int size)
{
    const QByteArray bytes(size, 'p');
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Files; ++i) {
        const QByteArray temporary = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".t%1").arg(i)));
        const QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral("f%1").arg(i)));
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), bytes.size()) != bytes.size() || ::close(fd) != 0
            || ::rename(temporary.constData(), name.constData()) != 0)
            return -1;
    }
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0 || ::syncfs(dir) != 0)
        return -1;
    ::close(dir);
    return timer.nsecsElapsed() / 1e9;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median seconds of 11 calls; negative when one fails.
double MedianOf11(const QString& program, const QStringList& arguments)
{
    std::vector<double> times;
    for (int i = 0; i < 11; ++i) {
        times.push_back(TimedProgram(program, arguments));
        if (times.back() < 0)
            return -1;
    }
    return Median(times);
}

// A 24-bit bitmap of 400 x 300 pixels with varied colours: steghide's cover picture.
QByteArray Cover()
{
    const int w = 400, h = 300, rowBytes = w * 3;
    QByteArray b("BM");
    auto put = [&](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    put(54 + rowBytes * h, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(w, 4);
    put(h, 4);
    put(1, 2);
    put(24, 2);
    for (int i = 0; i < 6; ++i)
        put(0, 4);
    quint32 seed = 12345;
    for (int i = 0; i < rowBytes * h; ++i) {
        seed = seed * 1103515245u + 12345u;
        b.append(char((seed >> 16) & 0xFF));
    }
    return b;
}

// One call of encode and of decode against steghide and against the floor.
void SingleCalls(const QString& folder, const QString& text)
{
    const QString picture = folder + "/single.hqc";
    const double encode = MedianOf11(HUECIPHER_CLI, {"encode", "--force", text, picture});
    const double decode = MedianOf11(HUECIPHER_CLI, {"decode", picture});
    const double floor = MedianOf11(WRITE_FLOOR, {text, folder + "/floor.hqc"});
    std::printf("huecipher-cli, one call with a text of 1,000 characters (median of 11 calls)\n");
    std::printf("  encode: %6.1f ms, %.2f x the floor (%.1f ms: read the text, write the bytes safely; target "
                "at most 3 x)\n", encode * 1e3, encode / floor, floor * 1e3);
    std::printf("  decode: %6.1f ms\n", decode * 1e3);
    const QString steghide = QStandardPaths::findExecutable("steghide");
    if (steghide.isEmpty()) {
        std::printf("  steghide is not installed (scripts/install-deps.sh --bench): no peer to compare with\n");
        return;
    }
    QFile cover(folder + "/cover.bmp");
    if (!cover.open(QIODevice::WriteOnly) || cover.write(Cover()) < 0)
        return;
    cover.close();
    const QString stego = folder + "/stego.bmp";
    const double embed = MedianOf11(steghide, {"embed", "-q", "-f", "-cf", cover.fileName(), "-ef", text, "-sf", stego,
                                               "-p", "secret"});
    const double extract = MedianOf11(steghide, {"extract", "-q", "-f", "-sf", stego, "-xf", folder + "/extracted.txt",
                                                 "-p", "secret"});
    std::printf("  steghide embed: %6.1f ms (encode takes %.2f x as long; target below 1)\n", embed * 1e3,
                encode / embed);
    std::printf("  steghide extract: %6.1f ms (decode takes %.2f x as long; target below 1)\n", extract * 1e3,
                decode / extract);
}

// huecipher-cli lines of 2 MiB of one letter (no place to break) against 2 MiB of words, in
// the same run: the layout takes time in proportion to the text either way.
int LinesOfLongParagraphs(const QString& folder)
{
    constexpr int Size = 2 * 1024 * 1024;
    const QByteArray run(Size, 'x');
    QByteArray words;
    while (words.size() < Size)
        words += "the quick brown fox jumps over a lazy dog ";
    words.truncate(Size);
    const QString runFile = QDir(folder).filePath(QStringLiteral("run.txt"));
    const QString wordsFile = QDir(folder).filePath(QStringLiteral("words.txt"));
    for (const auto& [name, bytes] : {std::pair{runFile, run}, std::pair{wordsFile, words}}) {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return 1;
    }
    std::vector<double> runTimes;
    std::vector<double> wordTimes;
    for (int i = 0; i < 5; ++i) {
        runTimes.push_back(Timed({"lines", runFile}));
        wordTimes.push_back(Timed({"lines", wordsFile}));
        if (runTimes.back() < 0 || wordTimes.back() < 0)
            return 1;
    }
    const double ratio = Median(runTimes) / Median(wordTimes);
    std::printf("huecipher-cli lines, 2 MiB in one paragraph (median of 5)\n");
    std::printf("  one letter: %7.3f s   words: %7.3f s   %.2fx   target <= 2x   %s\n", Median(runTimes),
                Median(wordTimes), ratio, ratio <= 2 ? "met" : "NOT met");
    return 0;
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
    SingleCalls(dir.path(), texts.first());
    std::vector<double> encode;
    std::vector<double> decode;
    std::vector<double> pictureFloor;
    std::vector<double> textFloor;
    for (int run = 0; run < Runs; ++run) {
        const QString pictures = dir.filePath(QStringLiteral("pictures%1").arg(run));
        const QString back = dir.filePath(QStringLiteral("back%1").arg(run));
        QDir().mkpath(pictures);
        QDir().mkpath(back);
        const QString plain = dir.filePath(QStringLiteral("plain%1").arg(run));
        const QString plainTexts = dir.filePath(QStringLiteral("plaintexts%1").arg(run));
        QDir().mkpath(plain);
        QDir().mkpath(plainTexts);
        pictureFloor.push_back(Floor(plain, 54 + 200 * 120 * 3));
        textFloor.push_back(Floor(plainTexts, 1002));  // a decoded text: 1,000 characters and its filling blanks
        encode.push_back(Timed(QStringList{"encode", "-d", pictures} + texts));
        QStringList coded;
        for (int i = 0; i < Files; ++i)
            coded << QDir(pictures).filePath(QStringLiteral("t%1.hqc").arg(i));
        decode.push_back(Timed(QStringList{"decode", "-d", back} + coded));
        if (encode.back() < 0 || decode.back() < 0 || pictureFloor.back() < 0 || textFloor.back() < 0)
            return 1;
    }
    std::printf("huecipher-cli, %d texts of 1,000 characters in one call (median of %d runs)\n", Files, Runs);
    std::printf("  encode: %8.0f files per second (target at least 1,000)\n", Files / Median(encode));
    std::printf("  decode: %8.0f files per second (target at least 1,000)\n", Files / Median(decode));
    std::printf("  floors: %8.0f pictures, %.0f texts per second (written as a batch writes them, with plain calls)\n",
                Files / Median(pictureFloor), Files / Median(textFloor));
    std::printf("  encode takes %.2f x its floor (target at most 2 x), decode %.2f x (target at most 1.25 x)\n",
                Median(encode) / Median(pictureFloor), Median(decode) / Median(textFloor));
    return LinesOfLongParagraphs(dir.path());
}
