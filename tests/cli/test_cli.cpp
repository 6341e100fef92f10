// huecipher-cli run as a script runs it, with no display: its results against the window's.
#include "CodingValues.h"
#include "PictureBox.h"
#include "PictureSteps.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "TextLines.h"
#include "ToolsTexts.h"
#include "Win1252.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Result {
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs huecipher-cli with no display at all; input goes to its standard input. A file-size
// limit (bytes, 0 for none) makes every write past it fail with EFBIG, as on a full disk;
// child runs in the new process before the program starts (to close or redirect a stream).
Result Cli(const QStringList& arguments, const QByteArray& input = QByteArray(), bool closeInput = true,
           rlim_t fileSizeLimit = 0, const std::function<void()>& child = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.setChildProcessModifier([fileSizeLimit, child] {
        if (fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = fileSizeLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (child)
            child();
    });
    p.start(QStringLiteral(HUECIPHER_CLI), arguments);
    p.waitForStarted();
    p.write(input);
    if (closeInput)
        p.closeWriteChannel();
    p.waitForFinished(60000);
    Result r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Runs a shell script in folder with $CLI set to huecipher-cli: for names that are not UTF-8
// (printf makes them) and for pipes. The status goes to status; standard output is returned
// with standard error after it.
QByteArray Shell(const QString& folder, const QString& script, int* status)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CLI", QStringLiteral(HUECIPHER_CLI));
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("sh", {"-c", script});
    p.waitForFinished(60000);
    *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAll();
}

// A limit on the address space, so that reading a source whole would fail; not under the
// address sanitizer, which reserves far more than that for itself.
void CapMemory()
{
#ifndef __SANITIZE_ADDRESS__
    rlimit limit{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

// The text as coded: a short last group padded with blanks.
QByteArray Padded(QByteArray text)
{
    while (text.size() % 3)
        text.append(' ');
    return text;
}

// Fills the disk that holds folder up to the last block.
void FillDisk(const QString& folder)
{
    QFile filler(folder + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

QByteArray WithoutCreationDate(const QByteArray& pdf)
{
    const int at = pdf.indexOf("/CreationDate (D:");
    return at < 0 ? pdf : pdf.left(at) + pdf.mid(at + 17 + 14);
}

QByteArray Prose(int paragraphs)
{
    QByteArray text;
    for (int i = 0; i < paragraphs; ++i)
        text += "Paragraph " + QByteArray::number(i) + ": a line that the text box wraps somewhere along the way, "
                "with (brackets) and a backslash \\ in it.\n";
    return text;
}

// A text file of content in dir and the picture coded from it beside it: their paths.
std::pair<QString, QString> TextAndPicture(const QTemporaryDir& dir, const QString& stem, const QByteArray& content)
{
    const QString text = dir.filePath(stem + ".txt");
    const QString picture = dir.filePath(stem + ".hqc");
    if (!WriteAll(text, content) || Cli({"encode", text, picture}).status != 0)
        QTest::qFail("the text and its picture could not be made", __FILE__, __LINE__);
    return {text, picture};
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void init() { Module1::SetUrlOpener([](const QString&) {}); }
    void cleanup() { Module1::SetUrlOpener(nullptr); }

    void pictureCodedHereOpensInTheWindow()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString text = f.dir.filePath("letter.txt");
        QVERIFY(WriteAll(text, "Dear reader,\nsee you on the caf\xC3\xA9 terrace \xF0\x9F\x98\x80\r\nBye"));
        const Result r = Cli({"encode", "--size", "10", "--fore", "#102030", "--back", "200,190,180", text,
                              f.PicturePath("from the script")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains("1 character(s) outside Windows-1252"), qPrintable(r.err));

        ModalAnswerer answers;
        OpenPicture(m, answers, QStringLiteral("from the script"));
        QVERIFY(answers.AllAnswered());
        QTest::mouseClick(m.Image2, Qt::LeftButton);
        QCOMPARE(m.Text1->Text(), Padded("Dear reader,\r\nsee you on the caf\xE9 terrace ?\r\nBye"));
        QCOMPARE(m.Text1->font().pointSizeF(), 10.0);
        QCOMPARE(m.Text1->palette().color(QPalette::Text), QColor(0x10, 0x20, 0x30));
        QCOMPARE(m.Text1->palette().color(QPalette::Base), QColor(200, 190, 180));
    }

    void pictureSavedByTheWindowDecodesHere()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text = "Saved by the window: \xE4\xF6\xFC \x80\r\nsecond line";
        m.Text1->SetText(text);
        Choose(m.Lettergrootte, 3);  // 11 Pixels
        QTest::mouseClick(m.Image1, Qt::LeftButton);
        ModalAnswerer answers;
        SavePicture(m, answers, QStringLiteral("window"));
        QVERIFY(answers.AllAnswered());

        const Result bytes = Cli({"decode", "--encoding", "cp1252", "--info", f.PicturePath("window")});
        QCOMPARE(bytes.status, 0);
        QCOMPARE(bytes.out, Padded(text));
        QCOMPARE(bytes.err, QStringLiteral("size 11, text colour #3C3C3C, background #FFFFFF\n"));
        const Result utf8 = Cli({"decode", f.PicturePath("window")});
        QCOMPARE(utf8.out, Win1252::Decode(Padded(text)).toUtf8());
        QVERIFY(utf8.out.contains("\xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC"));  // a-, o-, u-umlaut and the euro sign
        const QString written = f.dir.filePath("decoded.txt");
        QCOMPARE(Cli({"decode", "-o", written, "--encoding", "cp1252", f.PicturePath("window")}).status, 0);
        QCOMPARE(ReadAll(written), Padded(text));

        // The text's characters (a line break one), and all that the picture stores.
        const Result info = Cli({"info", "--json", f.PicturePath("window")});
        QCOMPARE(info.status, 0);
        QJsonParseError error;
        const QJsonObject json = QJsonDocument::fromJson(info.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(json, QJsonObject({{"file", f.PicturePath("window")},
                                    {"signature", "HollowbrandtGlyphix Coder 2026, hollowbrandt.org"},
                                    {"textSize", 11},
                                    {"textColour", "#3C3C3C"},
                                    {"backgroundColour", "#FFFFFF"},
                                    {"characters", text.size() - text.count("\r\n")},
                                    {"storedCharacters", Padded(text).size()},
                                    {"writtenPastReadableRows", false}}));
        const QByteArray padded = Cli({"info", f.PicturePath("window")}, {}).out;
        QVERIFY2(padded.contains("\ncharacters: 38\nstored characters: 39\n"), padded.constData());
    }

    void linesAndPdfEqualTheWindows()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text = Prose(70);
        const QString source = f.dir.filePath("prose.txt");
        QVERIFY(WriteAll(source, text));
        for (int size : {8, 12}) {
            Choose(m.Lettergrootte, size - 8);
            m.Text1->SetText(text);
            QStringList shown;
            Module1::GetWrappedLines(m.Text1, shown);
            const Result lines = Cli({"lines", "--size", QString::number(size), source});
            QCOMPARE(lines.status, 0);
            QCOMPARE(QString::fromUtf8(lines.out), shown.join('\n') + '\n');
            QVERIFY(shown.size() > 140);  // the paragraphs are wrapped

            ModalAnswerer answers;
            answers.ThenType(QStringLiteral("window %1").arg(size));
            QTest::mouseClick(m.Image4, Qt::LeftButton);
            QVERIFY(answers.AllAnswered());
            // Into a file named by OUT, or into a folder under the window's name.
            QString ours = f.dir.filePath(QStringLiteral("script %1.pdf").arg(size));
            if (size == 8) {
                QCOMPARE(Cli({"pdf", "--size", "8", source, ours}).status, 0);
            } else {
                QVERIFY(QDir(f.dir.path()).mkdir("script"));
                const QString name = QStringLiteral(" window %1 ").arg(size);  // blanks kept, as typed
                QCOMPARE(Cli({"pdf", "--size", QString::number(size), "--name", name, source,
                              f.dir.filePath("script")}).status, 0);
                ours = f.dir.filePath("script/" + name + ".pdf");
            }
            const QByteArray window = ReadAll(f.dir.path() + QStringLiteral("/Pdf/window %1.pdf").arg(size));
            QVERIFY(!window.isEmpty());
            QCOMPARE(WithoutCreationDate(ReadAll(ours)), WithoutCreationDate(window));
        }
    }

    void batchesOfFiles()
    {
        QTemporaryDir dir;
        QStringList texts;
        for (int i = 0; i < 5; ++i) {
            texts << dir.filePath(QStringLiteral("text%1.txt").arg(i));
            QVERIFY(WriteAll(texts.last(), "Text number " + QByteArray::number(i) + " of the batch."));
        }
        QVERIFY(QDir(dir.path()).mkdir("pictures"));
        QVERIFY(QDir(dir.path()).mkdir("back"));
        const Result encoded = Cli(QStringList{"encode", "-d", dir.filePath("pictures")} + texts
                                   + QStringList{dir.filePath("missing.txt")});
        QCOMPARE(encoded.status, 1);  // one input failed; the others are written
        QVERIFY(encoded.err.contains("missing.txt"));
        QStringList pictures;
        for (int i = 0; i < 5; ++i)
            pictures << dir.filePath(QStringLiteral("pictures/text%1.hqc").arg(i));
        QCOMPARE(Cli(QStringList{"check"} + pictures).status, 0);
        const Result decoded =
            Cli(QStringList{"decode", "--encoding", "cp1252", "--info", "-d", dir.filePath("back")} + pictures);
        QCOMPARE(decoded.status, 0);
        // Every --info line names its picture, in order; no progress line when nobody watches.
        QString infos;
        for (const QString& picture : pictures)
            infos += picture + QStringLiteral(": size 8, text colour #3C3C3C, background #FFFFFF\n");
        QCOMPARE(decoded.err, infos);
        // On a terminal the progress line is cleared before an error, which names its file.
        int status = -1;
        const QByteArray watched = Shell(dir.path(), "script -qec \"$CLI decode -d back --force pictures/text0.hqc "
                                                     "missing.hqc pictures/text1.hqc\" /dev/null", &status);
        QVERIFY2(watched.contains("[2/3] missing.hqc\x1b[K\r\x1b[Khuecipher-cli: missing.hqc: no such file"),
                 watched.constData());
        QCOMPARE(status, 1);  // one picture failed, the others are written
        QVERIFY(watched.contains("[3/3] pictures/text1.hqc"));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(ReadAll(dir.filePath(QStringLiteral("back/text%1.txt").arg(i))),
                     Padded("Text number " + QByteArray::number(i) + " of the batch."));
    }

    // Writes that fail half-way (a file-size limit, and a disk that is full) keep the old file,
    // leave nothing beside it, and name the file.
    void failedWritesKeepTheOldFile()
    {
        QTemporaryDir work;
        QByteArray text;
        while (text.size() < 9000)
            text += "A line of a letter that is long enough to need several blocks on disk.\n";
        const QString source = work.filePath("letter.txt");
        QVERIFY(WriteAll(source, text));
        const QString picture = work.filePath("letter.hqc");
        QCOMPARE(Cli({"encode", source, picture}).status, 0);

        auto expectFailures = [&](const QString& folder, rlim_t limit) {
            const QString oldPicture = folder + "/old.hqc", oldText = folder + "/old.txt", oldPdf = folder + "/old.pdf";
            for (const QString& old : {oldPicture, oldText, oldPdf})
                QVERIFY(WriteAll(old, "old"));
            if (limit == 0)
                FillDisk(folder);
            const QList<QStringList> writes{{"encode", "--force", source, oldPicture},
                                            {"decode", "--force", picture, "-o", oldText},
                                            {"pdf", "--force", source, oldPdf}};
            for (const QStringList& write : writes) {
                const Result r = Cli(write, QByteArray(), true, limit);
                QVERIFY2(r.status == 1, qPrintable(write.join(' ') + ": " + r.err));
                QVERIFY2(r.err.contains(write.at(write.size() - 1)), qPrintable(r.err));
            }
            for (const QString& old : {oldPicture, oldText, oldPdf})
                QCOMPARE(ReadAll(old), QByteArray("old"));
            QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            names.removeAll("filler");
            QCOMPARE(names, QStringList({"old.hqc", "old.pdf", "old.txt"}));
        };

        QTemporaryDir limited;
        expectFailures(limited.path(), 2000);
        if (getuid() != 0)
            QSKIP("mounting a small file system needs root (as in CI)");
        QTemporaryDir mountPoint;
        const QByteArray target = QFile::encodeName(mountPoint.path());
        QCOMPARE(mount("tmpfs", target.constData(), "tmpfs", 0, "size=1m"), 0);
        expectFailures(mountPoint.path(), 0);
        QCOMPARE(umount(target.constData()), 0);
    }

    // Output that does not arrive (standard output closed, full, or a pipe nobody reads) is a
    // failure of every command, with a message; never a success.
    void lostOutputIsAFailure()
    {
        QTemporaryDir dir;
        const auto [text, picture] = TextAndPicture(dir, "t", "A text for standard output.");
        const QList<QStringList> commands{{"check", picture}, {"info", picture},     {"info", "--json", picture},
                                          {"decode", picture}, {"lines", text},      {"encode", text, "-"},
                                          {"pdf", text, "-"},  {"--help"},           {"--version"},
                                          {"decode", "--help"}};
        const QList<std::pair<const char*, std::function<void()>>> sinks{
            {"closed", [] { ::close(STDOUT_FILENO); }},
            {"full", [] { ::dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO); }},
            {"broken pipe", [] {
                 int ends[2];
                 if (::pipe(ends) == 0) {
                     ::dup2(ends[1], STDOUT_FILENO);
                     ::close(ends[0]);
                 }
             }}};
        for (const auto& [sink, redirect] : sinks)
            for (const QStringList& command : commands) {
                const Result r = Cli(command, QByteArray(), true, 0, redirect);
                const QString what = QString::fromLatin1(sink) + ": " + command.join(' ') + ": " + r.err;
                QVERIFY2(r.status == 1, qPrintable(what));
                // One wording, whichever command and whoever finds the failure.
                QVERIFY2(r.err.contains(QRegularExpression("^huecipher-cli: -: standard output cannot be written: [A-Z]"))
                             && !r.err.contains("Unknown error"),
                         qPrintable(what));
            }
        QCOMPARE(Cli({"encode", "-", "-"}, "to standard output").out.left(2), QByteArray("BM"));
    }

    // Nothing is replaced without --force, even by two runs at once; "-" is standard output.
    void nothingIsReplacedWithoutForce()
    {
        QTemporaryDir dir;
        for (const char* name : {"one", "two"})
            QVERIFY(WriteAll(dir.filePath(QString::fromLatin1(name) + ".txt"), QByteArray("text ") + name));
        for (int trial = 0; trial < 20; ++trial) {
            const QString out = dir.filePath(QStringLiteral("race%1.hqc").arg(trial));
            QProcess first, second;
            first.start(HUECIPHER_CLI, {"encode", dir.filePath("one.txt"), out});
            second.start(HUECIPHER_CLI, {"encode", dir.filePath("two.txt"), out});
            QVERIFY(first.waitForFinished(20000) && second.waitForFinished(20000));
            QCOMPARE(first.exitCode() + second.exitCode(), 1);  // exactly one succeeds
            QProcess& loser = first.exitCode() ? first : second;
            QVERIFY(QString::fromUtf8(loser.readAllStandardError()).contains("exists already (--force replaces it)"));
            const QByteArray kept = Cli({"decode", out}).out;
            QCOMPARE(kept, &loser == &second ? QByteArray("text one ") : QByteArray("text two "));
        }

        const QString picture = dir.filePath("race0.hqc");
        const QString text = dir.filePath("one.txt");
        const QString pdf = dir.filePath("one.pdf");
        QVERIFY(WriteAll(pdf, "old document"));
        QVERIFY(QDir(dir.path()).mkdir("texts"));
        QVERIFY(WriteAll(dir.filePath("texts/race0.txt"), "old text"));
        for (const QStringList& write : {QStringList{"decode", "-o", text, picture}, QStringList{"pdf", text, pdf},
                                         QStringList{"decode", "-d", dir.filePath("texts"), picture}}) {
            const Result r = Cli(write);
            QVERIFY2(r.status == 1 && r.err.contains("exists already (--force replaces it)"), qPrintable(r.err));
        }
        QCOMPARE(ReadAll(text), QByteArray("text one"));  // the source text itself is safe
        QCOMPARE(ReadAll(pdf), QByteArray("old document"));
        QCOMPARE(ReadAll(dir.filePath("texts/race0.txt")), QByteArray("old text"));
        QCOMPARE(Cli({"decode", "--force", "-d", dir.filePath("texts"), picture}).status, 0);
        QVERIFY(ReadAll(dir.filePath("texts/race0.txt")).startsWith("text "));
        QCOMPARE(Cli({"pdf", "--force", text, pdf}).status, 0);
        QVERIFY(ReadAll(pdf).startsWith("%PDF-1.3"));
        QVERIFY(Cli({"decode", "-o", "-", picture}).out.startsWith("text "));
        QVERIFY(Cli({"pdf", text, "-"}).out.startsWith("%PDF-1.3"));

        // A batch whose inputs would write one file is refused before anything is written.
        QVERIFY(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b") && QDir(dir.path()).mkpath("out"));
        QVERIFY(QFile::copy(picture, dir.filePath("a/x.hqc")) && QFile::copy(picture, dir.filePath("b/x.hqc")));
        const Result twice = Cli({"decode", "-d", dir.filePath("out"), picture, dir.filePath("a/x.hqc"),
                                  dir.filePath("b/x.hqc")});
        QCOMPARE(twice.status, 1);
        QVERIFY2(twice.err.contains(dir.filePath("a/x.hqc")) && twice.err.contains(dir.filePath("b/x.hqc")),
                 qPrintable(twice.err));
        QVERIFY(QDir(dir.filePath("out")).isEmpty());
    }

    // The program's own text files (--encoding cp1252) are read as the window reads them; a
    // UTF-8 text's byte-order mark is not part of it; a picture or document is never written
    // to a terminal.
    void textsAsTheWindowReadsThemAndNoPictureOnATerminal()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QString file = f.dir.filePath("own.txt");
        const QByteArray bytes = "one\ntwo\rthree\r\ncaf\xE9\n";
        QVERIFY(WriteAll(file, bytes));
        QByteArray inWindow;
        QVERIFY(TextFile::Read(file, &inWindow));
        m.Text1->SetText(inWindow);
        QCOMPARE(Cli({"encode", "--encoding", "cp1252", file, f.dir.filePath("own.hqc")}).status, 0);
        QCOMPARE(Cli({"decode", "--encoding", "cp1252", f.dir.filePath("own.hqc")}).out, Padded(m.Text1->Text()));

        const Result marked = Cli({"encode", "-", "-"}, "\xEF\xBB\xBF" "caf\xC3\xA9");
        QCOMPARE(marked.status, 0);
        QVERIFY2(marked.err.isEmpty(), qPrintable(marked.err));
        QCOMPARE(Cli({"decode", "-"}, marked.out).out, QByteArray("caf\xC3\xA9  "));
        // Overlong and surrogate forms are not the characters they imitate: each byte becomes "?".
        const std::pair<QByteArray, QByteArray> forms[] = {{"a\xC0\xAF" "b", "a??b  "},
                                                           {"a\xE0\x80\xAF" "b", "a???b "},
                                                           {"a\xF0\x80\x80\xAF" "b", "a????b"},
                                                           {"a\xED\xA0\x80" "b", "a???b "}};
        for (const auto& [form, text] : forms)
            QCOMPARE(Cli({"decode", "-"}, Cli({"encode", "-", "-"}, form).out).out, text);
        // After --, a name that begins with "-" is a name.
        int status = -1;
        QCOMPARE(Shell(f.dir.path(), "printf dash > ./-t.txt && $CLI encode -- -t.txt -p.hqc && $CLI decode -- -p.hqc",
                       &status),
                 QByteArray("dash  "));
        QCOMPARE(status, 0);

        // Standard output on a terminal (a pseudo-terminal of the test's own).
        const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
        const QByteArray side = ::ptsname(terminal);
        for (const QStringList& binary : {QStringList{"encode", "--encoding", "cp1252", file, "-"},
                                          QStringList{"pdf", "--encoding", "cp1252", file, "-"}}) {
            const Result r = Cli(binary, {}, true, 0, [side] {
                const int fd = ::open(side.constData(), O_RDWR | O_NOCTTY);
                ::dup2(fd, STDOUT_FILENO);
            });
            QCOMPARE(r.status, 1);
            QCOMPARE(r.err, QStringLiteral("huecipher-cli: -: standard output is a terminal: a picture or document is "
                                           "not written there (redirect it to a file)\n"));
        }
        ::close(terminal);
    }

    // Only a regular file is ever replaced, --force or not: anything else at the name is
    // refused and left as it was. A link to a regular file stays, and the file it names is
    // replaced with that file's own mode; a new file gets 0666 less the umask. Names of open
    // streams are refused with a word about "-".
    void onlyRegularFilesAreReplaced()
    {
        QTemporaryDir dir;
        const auto [text, picture] = TextAndPicture(dir, "letter", "Dear reader");
        auto at = [&](const char* name) { return QFile::encodeName(dir.filePath(name)); };
        QVERIFY(::mkfifo(at("fifo"), 0644) == 0 && ::symlink("/nonexistent/drive/x", at("dangling")) == 0
                && ::symlink("/dev/null", at("device")) == 0 && ::mkdir(at("folder"), 0755) == 0
                && ::symlink(at("folder"), at("tofolder")) == 0 && ::symlink("fifo", at("tofifo")) == 0);
        const std::pair<const char*, const char*> things[] = {
            {"fifo", "is a FIFO, not a regular file"},
            {"dangling", "is a symbolic link to nothing, not a regular file"},
            {"device", "is a symbolic link to a device, not a regular file"},
            {"folder", "is a folder"},
            {"tofolder", "is a symbolic link to a folder, not a regular file"},
            {"tofifo", "is a symbolic link to a FIFO, not a regular file"},
        };
        auto kindAt = [](const QByteArray& path) {
            struct stat st {};
            return ::lstat(path.constData(), &st) == 0 ? QPair<int, qint64>(int(st.st_mode), qint64(st.st_ino))
                                                     : QPair<int, qint64>(-1, 0);
        };
        for (const auto& [name, reason] : things) {
            const QString out = dir.filePath(name);
            const auto before = kindAt(at(name));
            for (const QStringList& write : {QStringList{"encode", "--force", text, out},
                                             QStringList{"decode", "--force", "-o", out, picture},
                                             QStringList{"pdf", "--force", text, out}, QStringList{"pdf", text, out}}) {
                const Result r = Cli(write);
                QVERIFY2(r.status == 1 && r.err == QStringLiteral("huecipher-cli: %1: %2\n").arg(out, reason),
                         qPrintable(write.join(' ') + ": " + r.err));
                QCOMPARE(kindAt(at(name)), before);
            }
        }
        QCOMPARE(QFileInfo(dir.filePath("dangling")).symLinkTarget(), QStringLiteral("/nonexistent/drive/x"));
        QVERIFY(LeftoverTemporaries(dir.path()).isEmpty());

        // Through a link to a regular file: the link stays, the file behind it is replaced.
        QVERIFY(QDir(dir.path()).mkdir("real") && WriteAll(dir.filePath("real/doc.pdf"), "old"));
        QCOMPARE(::chmod(at("real/doc.pdf"), 0604), 0);
        QVERIFY(::symlink("real/doc.pdf", at("link.pdf")) == 0);
        QVERIFY(Cli({"pdf", text, dir.filePath("link.pdf")}).err.contains("exists already (--force replaces it)"));
        QCOMPARE(Cli({"pdf", "--force", text, dir.filePath("link.pdf")}).status, 0);
        QCOMPARE(QFileInfo(dir.filePath("link.pdf")).symLinkTarget(), dir.filePath("real/doc.pdf"));
        QVERIFY(ReadAll(dir.filePath("real/doc.pdf")).startsWith("%PDF-1.3"));
        struct stat st {};
        QCOMPARE(::stat(at("real/doc.pdf"), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0604);
        QVERIFY(LeftoverTemporaries(dir.filePath("real")).isEmpty());
        // A new file: what the umask allows.
        const Result fresh = Cli({"encode", text, dir.filePath("fresh.hqc")}, {}, true, 0, [] { ::umask(027); });
        QCOMPARE(fresh.status, 0);
        QCOMPARE(::stat(at("fresh.hqc"), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0640);

        // Names of open streams: never "exists already", always a pointer to "-".
        int status = -1;
        const QByteArray said = Shell(dir.path(), "$CLI decode --force -o /dev/stdout letter.hqc | cat;"
                                                  "$CLI pdf letter.txt /dev/fd/1 > /dev/null;"
                                                  "$CLI encode --force letter.txt /proc/self/fd/1 | cat", &status);
        QCOMPARE(said.count("names an open stream, not a file (- writes to standard output)"), 3);
        QVERIFY2(!said.contains("exists already") && !said.contains("Dear reader"), said.constData());
    }

    // Laying out under a limit on the address space: the text's lines or "not enough memory"
    // with status 1, at every limit, never a crash.
    void layoutUnderAMemoryLimit()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the address sanitizer reserves more address space than any limit here");
#endif
        QTemporaryDir dir;
        QByteArray text;
        while (text.size() < 2 * 1024 * 1024)
            text += "word ";
        QVERIFY(WriteAll(dir.filePath("large.txt"), text));
        int refused = 0;
        // (Where the toolkit cannot cope, it crashes: about 80 to 88 MiB here.)
        for (rlim_t megabytes = 64; megabytes <= 128; megabytes += 4) {
            for (const QStringList& command : {QStringList{"lines", dir.filePath("large.txt")},
                                               QStringList{"pdf", dir.filePath("large.txt"), "-"}}) {
                const Result r = Cli(command, {}, true, 0, [megabytes] {
                    rlimit limit{megabytes << 20, megabytes << 20};
                    setrlimit(RLIMIT_AS, &limit);
                });
                const QString what = QStringLiteral("%1 MiB, %2: status %3, %4").arg(megabytes).arg(command.first())
                                         .arg(r.status).arg(r.err);
                QVERIFY2(r.status == 0
                             || (r.status == 1
                                 && r.err.contains(QRegularExpression("^huecipher-cli: (-: )?not enough memory\n$"))),
                         qPrintable(what));
                refused += r.status;
            }
        }
        QVERIFY(refused > 0);  // the smallest limits are too small
    }

    // Where the system cannot say where huecipher-cli lies (no /proc), the layout program is
    // looked for in the folder it is installed in, never in the current folder.
    void layoutProgramNeverFromTheCurrentFolder()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the address sanitizer needs /proc");
#endif
        if (::getuid() != 0 || QStandardPaths::findExecutable("unshare").isEmpty())
            QSKIP("hiding /proc needs root and unshare (as in CI)");
        QTemporaryDir dir;
        int status = -1;
        const QByteArray probe = Shell(dir.path(), "unshare -m true", &status);
        if (status != 0)  // in a chroot, for one, there is no mount of its own to make private
            QSKIP(qPrintable("cannot hide /proc here: " + QString::fromUtf8(probe)));
        QVERIFY(WriteAll(dir.filePath("a.txt"), "text"));
        QVERIFY(WriteAll(dir.filePath("huecipher-layout"), "#!/bin/sh\ntouch planted\n"));
        QVERIFY(QFile::setPermissions(dir.filePath("huecipher-layout"), QFileDevice::ExeOwner | QFileDevice::ReadOwner));
        for (const char* command : {"lines a.txt", "pdf a.txt out.pdf"}) {
            const QByteArray said = Shell(dir.path(), QStringLiteral("unshare -m sh -c 'mount -t tmpfs none /proc && "
                                                                      "exec \"$CLI\" %1'").arg(command), &status);
            QVERIFY2(!QFileInfo::exists(dir.filePath("planted")), said.constData());
            if (!QFileInfo::exists("/usr/local/libexec/huecipher/huecipher-layout")
                && !QFileInfo::exists("/usr/libexec/huecipher/huecipher-layout")) {
                QCOMPARE(status, 1);
                QCOMPARE(said, QByteArray("huecipher-cli: cannot find huecipher-layout\n"));
            }
        }
    }

    // Names are bytes: kept as given, UTF-8 or not; control characters are escaped in messages.
    // Sources that are not regular files, or endless, or huge, are refused at once.
    void hostileNamesAndSources()
    {
        QTemporaryDir dir;
        int status = -1;
        QByteArray out = Shell(dir.path(),
                               "printf 'caf\\n' > \"$(printf 'caf\\351.txt')\" && "
                               "$CLI encode \"$(printf 'caf\\351.txt')\" \"$(printf 'out\\351.hqc')\" && "
                               "$CLI check \"$(printf 'out\\351.hqc')\" \"$(printf 'new\\nline.hqc')\"; "
                               "ls; rm -f \"$(printf 'caf\\351.txt')\" \"$(printf 'out\\351.hqc')\"",
                               &status);
        QVERIFY2(out.contains("out\xE9.hqc: ok\nnew\\nline.hqc: no such file\n"), out.constData());
        QVERIFY2(out.contains("caf\xE9.txt\nout\xE9.hqc\n"), out.constData());

        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.hqc")).constData(), 0600), 0);
        QFile sparse(dir.filePath("sparse.txt"));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(1) << 30));
        sparse.close();
        const QString fifo = dir.filePath("pipe.hqc");
        const QList<std::pair<QStringList, QString>> refusals{
            {{"check", fifo}, "is a FIFO, not a regular file"},
            {{"info", fifo}, "is a FIFO, not a regular file"},
            {{"decode", fifo}, "is a FIFO, not a regular file"},
            {{"encode", fifo, dir.filePath("f.hqc")}, "is a FIFO, not a regular file"},
            {{"lines", fifo}, "is a FIFO, not a regular file"},
            {{"encode", "/dev/zero", dir.filePath("z.hqc")}, "is a device, not a regular file"},
            {{"lines", "/dev/zero"}, "is a device, not a regular file"},
            {{"check", dir.path()}, "is a folder"},
            {{"encode", "--allow-loss", dir.filePath("sparse.txt"), dir.filePath("s.hqc")},
             "too large: 1,073,741,824 bytes (at most 8,388,608)"},
            {{"pdf", "--encoding", "cp1252", dir.filePath("sparse.txt"), dir.filePath("s.pdf")},
             "too large: 1,073,741,824 bytes (at most 2,097,152)"}};
        for (const auto& [command, reason] : refusals) {
            QElapsedTimer timer;
            timer.start();
            const Result r = Cli(command, QByteArray(), true, 0, CapMemory);
            const QString said = QString::fromUtf8(r.out) + r.err;  // check answers on standard output
            QVERIFY2(r.status == 1 && said.contains(reason), qPrintable(command.join(' ') + ": " + said));
            QVERIFY2(timer.elapsed() < 10000, qPrintable(command.join(' ')));
        }
        out = Shell(dir.path(), "yes | $CLI encode --allow-loss - endless.hqc", &status);
        QCOMPARE(status, 1);  // the status of the last command of the pipe
        QVERIFY2(out.contains("-: too large: more than"), out.constData());
        QVERIFY(QDir(dir.path()).entryList({"*.hqc", "*.pdf"}, QDir::Files).isEmpty());
    }

    void checkSaysWhyAndStatusesAreKept()
    {
        QTemporaryDir dir;
        const QString text = dir.filePath("t.txt");
        QVERIFY(WriteAll(text, "abc"));
        const QString picture = dir.filePath("p.hqc");
        QCOMPARE(Cli({"encode", text, picture}).status, 0);
        const QByteArray first = ReadAll(picture);

        const Result check = Cli({"check", picture, dir.path(), dir.filePath("missing.hqc"), text});
        QCOMPARE(check.status, 1);
        QCOMPARE(QString::fromUtf8(check.out), QStringLiteral("%1: ok\n%2: is a folder\n%3: no such file\n"
                                                             "%4: not a bitmap\n")
                                                   .arg(picture, dir.path(), dir.filePath("missing.hqc"), text));
        QCOMPARE(Cli({"check", picture}).status, 0);
        // A backslash in a name is shown doubled: "a\nb" typed is not a name with a line break.
        QCOMPARE(Cli({"check", dir.filePath("a\\nb.hqc"), dir.filePath("a\nb.hqc")}).out,
                 QStringLiteral("%1/a\\\\nb.hqc: no such file\n%1/a\\nb.hqc: no such file\n").arg(dir.path()).toUtf8());

        // The blanks that fill the last pixel are not counted as the text's.
        QCOMPARE(Cli({"encode", "-", dir.filePath("four.hqc")}, "abcd").status, 0);
        QVERIFY(Cli({"info", dir.filePath("four.hqc")}).out.contains("\ncharacters: 4\nstored characters: 6\n"));
        // A text that ends in blanks of its own keeps them: only the filling ones are left out.
        QCOMPARE(Cli({"encode", "-", dir.filePath("blanks.hqc")}, "abcd   ").status, 0);
        QVERIFY(Cli({"info", dir.filePath("blanks.hqc")}).out.contains("\ncharacters: 7\nstored characters: 9\n"));

        // An existing picture is replaced only with --force.
        const Result kept = Cli({"encode", text, picture});
        QCOMPARE(kept.status, 1);
        QVERIFY(kept.err.contains(picture) && kept.err.contains("--force"));
        QCOMPARE(ReadAll(picture), first);
        QCOMPARE(Cli({"encode", "--force", text, picture}).status, 0);
        for (const QStringList& force : {QStringList{}, QStringList{"--force"}}) {
            const Result folder = Cli(QStringList{"encode"} + force + QStringList{text, dir.path()});
            QVERIFY2(folder.status == 1 && folder.err.endsWith(": is a folder\n"), qPrintable(folder.err));
        }

        // A text that will not come back whole, standard input, a closed or empty input.
        const Result lossy = Cli({"encode", "-", dir.filePath("long.hqc")}, QByteArray(70000, 'x'));
        QCOMPARE(lossy.status, 1);
        QVERIFY2(lossy.err.contains(": 2,380 character(s) of this text will not come back"), qPrintable(lossy.err));
        QVERIFY(!QFileInfo::exists(dir.filePath("long.hqc")));
        QCOMPARE(Cli({"encode", "--allow-loss", "-", dir.filePath("long.hqc")}, QByteArray(70000, 'x')).status, 0);
        QCOMPARE(Cli({"encode", "-", dir.filePath("empty.hqc")}).status, 1);

        // A folder that cannot be written: a message, and no partial file.
        if (getuid() != 0) {
            QDir(dir.path()).mkdir("locked");
            QFile::setPermissions(dir.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QCOMPARE(Cli({"encode", text, dir.filePath("locked/p.hqc")}).status, 1);
        }
        const Result notFolder = Cli({"pdf", "--name", "n", text, text});
        QCOMPARE(notFolder.status, 1);
        QVERIFY(notFolder.err.contains("not a folder"));
        QVERIFY(!QFileInfo::exists(text + "/n.pdf"));
        // A text of more pages than a document holds: the limit named, nothing written.
        QVERIFY(WriteAll(dir.filePath("long.txt"), QByteArray(700000, '\n')));
        const Result pages = Cli({"pdf", dir.filePath("long.txt"), dir.filePath("long.pdf")});
        QCOMPARE(pages.status, 1);
        QCOMPARE(pages.err, QStringLiteral("huecipher-cli: %1: too many pages (a document holds at most 32,767 objects, "
                                           "three a page: about 10,900 pages)\n").arg(dir.filePath("long.pdf")));
        QVERIFY(!QFileInfo::exists(dir.filePath("long.pdf")) && LeftoverTemporaries(dir.path()).isEmpty());
        const Result nowhere = Cli({"pdf", text, dir.filePath("no/such/folder/p.pdf")});
        QCOMPARE(nowhere.status, 1);
        QCOMPARE(nowhere.err, QStringLiteral("huecipher-cli: %1: no such folder: %2\n")
                                  .arg(dir.filePath("no/such/folder/p.pdf"), dir.filePath("no/such/folder")));

        // Wrong usage, refused before anything is written: empty names, options that would be
        // ignored, arguments after --version.
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const QString current = QDir::currentPath();
        QDir::setCurrent(dir.path());  // where an empty folder name would write
        for (const QStringList& wrong : {QStringList{"encode", "--size", "13", text, picture}, QStringList{"paint"},
                                         QStringList{}, QStringList{"decode"}, QStringList{"lines", "--fore"},
                                         QStringList{"pdf", "--name", "  ", text, dir.path()},
                                         QStringList{"pdf", "--name", "a/b", text, dir.path()},
                                         QStringList{"encode", "-d", "", text}, QStringList{"encode", text, ""},
                                         QStringList{"decode", "-o", "", picture}, QStringList{"pdf", text, ""},
                                         QStringList{"decode", "-o", dir.filePath("x.txt"), "-d", dir.path(), picture},
                                         QStringList{"--version", "extra"}, QStringList{"--help", "extra"},
                                         QStringList{"encode", "--fore", "256,0,0", text, picture},
                                         QStringList{"encode", "--back", "0,0,1000", text, picture}}) {
            const Result r = Cli(wrong);
            QVERIFY2(r.status == 2, qPrintable(wrong.join(' ')));
            QVERIFY(r.err.contains("Usage: huecipher-cli"));
        }
        QDir::setCurrent(current);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        // A batch into a folder that is not there says so once, and writes nothing.
        const Result missing = Cli({"encode", "-d", dir.filePath("missing"), text, text + "2"});
        QCOMPARE(missing.status, 1);
        QCOMPARE(missing.err, QStringLiteral("huecipher-cli: %1: no such folder\n").arg(dir.filePath("missing")));
        // Coding needs no toolkit: the program does not even load it (lines and pdf start their own).
        const QString needed = Run("readelf", {"-d", HUECIPHER_CLI});
        QVERIFY2(needed.contains("libstdc++") && !needed.contains("libQt"), qPrintable(needed));

        const Result help = Cli({"decode", "--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Usage: huecipher-cli decode"));
        // Every option a command's synopsis names has a line of its own in its help.
        for (const char* name : {"encode", "decode", "check", "info", "lines", "pdf"}) {
            const QString text = QString::fromUtf8(Cli({name, "--help"}).out);
            const QString synopsis = text.left(text.indexOf("\n"));
            auto options = QRegularExpression("\\[(--[a-z-]+)").globalMatch(synopsis);
            while (options.hasNext()) {
                const QString option = options.next().captured(1);
                QVERIFY2(text.contains(QRegularExpression("\n  (-[a-z], )?" + QRegularExpression::escape(option) + "\\b")),
                         qPrintable(QStringLiteral("%1: %2").arg(name, option)));
            }
        }
        const Result version = Cli({"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, "huecipher-cli " HUECIPHER_PROJECT_VERSION "\n");
        QVERIFY(version.err.isEmpty());
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
