// Every save (picture, text file, PDF export) keeps the user's old file when writing fails
// half-way, leaves nothing at the name, and tells the user. The disk that fills and the
// folder that turns read-only are small tmpfs mounts (root only, as in CI); the file-size
// limit works for anyone.
#include "CodingRoutines.h"
#include "ModalAnswerer.h"
#include "PictureBox.h"
#include "TestFiles.h"
#include "ToolsTexts.h"
#include "WindowFixture.h"

#include <QtTest>

#include <functional>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Kind {
    const char* label;
    const char* folder;     // folder part inside the program folder
    const char* extension;
    bool asksToOverwrite;
};

const Kind kKinds[] = {
    {"picture", "Pictures", ".hqc", true},
    {"text", "Teksten", ".txt", true},
    {"pdf", "Pdf", ".pdf", false},
};

// A text large enough that none of the three files fits in a few kilobytes.
QByteArray BigText(char letter)
{
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += QByteArray(60, letter) + "\r\n";
    return text;
}

// Runs one save of kind through the window under name; replies answer what follows the name.
void Save(const Kind& kind, Main& m, ModalAnswerer& answers, const QString& name,
          std::initializer_list<QMessageBox::StandardButton> replies = {})
{
    answers.ThenType(name);
    for (auto reply : replies)
        answers.ThenPress(reply);
    if (QByteArray(kind.label) == "picture")
        Choose(m.File, 3);
    else if (QByteArray(kind.label) == "text")
        Choose(m.File, 6);
    else
        QTest::mouseClick(m.Image4, Qt::LeftButton);
}

// Fills the file system of folder until it has no room left.
void FillDisk(const QString& folder)
{
    QFile filler(folder + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

// Limits the size of any file this process writes (a write past it fails with EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

}  // namespace

class TestSaveFailures : public QObject {
    Q_OBJECT
private:
    // A window whose program folder is mountPoint (empty: a temporary folder), with an old
    // file "old" of every kind saved in it.
    std::unique_ptr<WindowFixture> Prepare(ModalAnswerer& answers, const QString& mountPoint = QString())
    {
        auto f = std::make_unique<WindowFixture>();
        const QString folder = mountPoint.isEmpty() ? f->dir.path() : mountPoint;
        Module1::SetProgramFolder(folder);
        QDir(folder).mkdir("Pictures");
        Main& m = *f->main;
        m.Text1->SetText(BigText('o'));
        Module1::TextToPicture(m);
        for (const Kind& kind : kKinds)
            Save(kind, m, answers, "old");
        m.Text1->SetText(BigText('n'));
        Module1::TextToPicture(m);
        return f;
    }

    // The save of every kind fails: old file intact, nothing at the name, the user told why in
    // the system's words (reason), never in the words of a class of the program.
    void ExpectEverySaveFails(Main& m, ModalAnswerer& answers, const QString& folder, const QString& reason)
    {
        for (const Kind& kind : kKinds) {
            const QString path = folder + "/" + kind.folder + "/old" + kind.extension;
            const QByteArray before = ReadAll(path);
            QVERIFY2(!before.isEmpty(), kind.label);
            if (kind.asksToOverwrite)
                Save(kind, m, answers, "old", {QMessageBox::Yes, QMessageBox::Ok});
            else
                Save(kind, m, answers, "old", {QMessageBox::Ok});
            QVERIFY2(answers.AllAnswered(), kind.label);
            const QString said = answers.messages.back().text;
            QVERIFY2(said.contains("not") && said.endsWith(QStringLiteral("\nold%1: %2").arg(kind.extension, reason))
                         && !said.contains("cls"),
                     qPrintable(said));
            QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
            QVERIFY2(ReadAll(path) == before, kind.label);
            QVERIFY(LeftoverTemporaries(folder + "/" + kind.folder).isEmpty());

            const QString fresh = folder + "/" + kind.folder + "/fresh" + kind.extension;
            Save(kind, m, answers, "fresh", {QMessageBox::Ok});
            QVERIFY2(!QFileInfo::exists(fresh), kind.label);
        }
    }

    static bool CanMount() { return getuid() == 0; }

private slots:
    void init() { Module1::SetUrlOpener([](const QString&) {}); }
    void cleanup() { Module1::SetUrlOpener(nullptr); }

    void modesFollowTheUmaskAndTheReplacedFile()
    {
        auto mode = [](const QString& path) {
            struct stat st {};
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
        };
        const mode_t oldMask = ::umask(077);
        ModalAnswerer answers;
        auto f = Prepare(answers);
        Main& m = *f->main;
        for (const Kind& kind : kKinds) {
            const QString path = f->dir.path() + "/" + kind.folder + "/old" + kind.extension;
            QCOMPARE(mode(path), 0600);  // a new file: what the umask allows
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
            const QByteArray before = ReadAll(path);
            if (kind.asksToOverwrite)
                Save(kind, m, answers, "old", {QMessageBox::Yes});
            else
                Save(kind, m, answers, "old");
            QVERIFY2(answers.AllAnswered(), kind.label);
            QVERIFY2(ReadAll(path) != before, kind.label);
            QCOMPARE(mode(path), 0640);  // a replaced file keeps its mode
        }
        ::umask(022);
        Save(kKinds[1], m, answers, "open");
        QCOMPARE(mode(f->dir.path() + "/Teksten/open.txt"), 0644);
        ::umask(oldMask);
    }

    // Only a regular file is replaced. Whatever else stands at the name makes the window ask,
    // and then refuse with the name and the reason, the thing untouched; a link to a regular
    // file stays a link, and the file it names is replaced with its own mode.
    void onlyRegularFilesAreReplaced()
    {
        ModalAnswerer answers;
        auto f = Prepare(answers);
        Main& m = *f->main;
        QTemporaryDir elsewhere;
        QVERIFY(QDir(elsewhere.path()).mkdir("folder"));
        QVERIFY(WriteAll(elsewhere.filePath("target"), "the linked file"));
        QCOMPARE(::chmod(QFile::encodeName(elsewhere.filePath("target")).constData(), 0604), 0);
        struct Thing {
            const char* name;
            std::function<bool(const QByteArray& at)> make;
            QString reason;
        };
        const QByteArray folder = QFile::encodeName(elsewhere.filePath("folder"));
        const Thing things[] = {
            {"fifo", [](const QByteArray& at) { return ::mkfifo(at.constData(), 0644) == 0; },
             "is a FIFO, not a regular file"},
            {"dangling", [](const QByteArray& at) { return ::symlink("/nonexistent/drive/x", at.constData()) == 0; },
             "is a symbolic link to nothing, not a regular file"},
            {"tofolder", [&](const QByteArray& at) { return ::symlink(folder.constData(), at.constData()) == 0; },
             "is a symbolic link to a folder, not a regular file"},
            {"todevice", [](const QByteArray& at) { return ::symlink("/dev/null", at.constData()) == 0; },
             "is a symbolic link to a device, not a regular file"},
            {"folder", [](const QByteArray& at) { return ::mkdir(at.constData(), 0755) == 0; }, "is a folder"},
        };
        auto kindAt = [](const QString& path) {
            struct stat st {};
            return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode) : -1;
        };
        for (const Kind& kind : kKinds) {
            for (const Thing& thing : things) {
                const QString name = QString::fromLatin1(thing.name);
                const QString path = f->dir.path() + "/" + kind.folder + "/" + name + kind.extension;
                QVERIFY(thing.make(QFile::encodeName(path)));
                const int before = kindAt(path);
                const std::size_t seen = answers.messages.size();
                if (kind.asksToOverwrite)
                    Save(kind, m, answers, name, {QMessageBox::Yes, QMessageBox::Ok});
                else
                    Save(kind, m, answers, name, {QMessageBox::Ok});
                QVERIFY2(answers.AllAnswered(), thing.name);
                if (kind.asksToOverwrite)
                    QCOMPARE(answers.messages.at(seen).text, QStringLiteral("File already exists, overwrite?"));
                QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
                QCOMPARE(answers.messages.back().text.section('\n', 1),
                         QStringLiteral("%1%2: %3").arg(name, kind.extension, thing.reason));
                QCOMPARE(kindAt(path), before);
                QVERIFY(LeftoverTemporaries(f->dir.path() + "/" + kind.folder).isEmpty());
            }
            const QString link = f->dir.path() + "/" + kind.folder + "/linked" + kind.extension;
            QVERIFY(QFile::link(elsewhere.filePath("target"), link));
            Save(kind, m, answers, "linked", kind.asksToOverwrite ? std::initializer_list<QMessageBox::StandardButton>{QMessageBox::Yes}
                                                                : std::initializer_list<QMessageBox::StandardButton>{});
            QVERIFY2(answers.AllAnswered(), kind.label);
            QCOMPARE(QFileInfo(link).symLinkTarget(), elsewhere.filePath("target"));
            QVERIFY2(ReadAll(elsewhere.filePath("target")).size() > 1000, kind.label);
            struct stat st {};
            QCOMPARE(::stat(QFile::encodeName(link).constData(), &st), 0);
            QCOMPARE(int(st.st_mode & 07777), 0604);
            QVERIFY(LeftoverTemporaries(elsewhere.path()).isEmpty());
        }
    }

    void fileSizeLimitReached()
    {
        ModalAnswerer answers;
        auto f = Prepare(answers);
        FileSizeLimit limit(2000);
        ExpectEverySaveFails(*f->main, answers, f->dir.path(), "File too large");
    }

    void diskFills()
    {
        if (!CanMount())
            QSKIP("mounting a small file system needs root (as in CI)");
        QTemporaryDir mountPoint;
        const QByteArray target = QFile::encodeName(mountPoint.path());
        QCOMPARE(mount("tmpfs", target.constData(), "tmpfs", 0, "size=2m"), 0);
        {
            ModalAnswerer answers;
            auto f = Prepare(answers, mountPoint.path());
            FillDisk(mountPoint.path());
            ExpectEverySaveFails(*f->main, answers, mountPoint.path(), "No space left on device");
        }
        QCOMPARE(umount(target.constData()), 0);
    }

    void folderTurnsReadOnly()
    {
        if (!CanMount())
            QSKIP("mounting a small file system needs root (as in CI)");
        QTemporaryDir mountPoint;
        const QByteArray target = QFile::encodeName(mountPoint.path());
        QCOMPARE(mount("tmpfs", target.constData(), "tmpfs", 0, "size=4m"), 0);
        {
            ModalAnswerer answers;
            auto f = Prepare(answers, mountPoint.path());
            QCOMPARE(mount("tmpfs", target.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=4m"), 0);
            ExpectEverySaveFails(*f->main, answers, mountPoint.path(), "Read-only file system");
        }
        QCOMPARE(umount(target.constData()), 0);
    }

    void programFolderVanished()
    {
        ModalAnswerer answers;
        auto f = Prepare(answers);
        QTemporaryDir elsewhere;
        const QString gone = elsewhere.path() + "/gone";
        QVERIFY(QDir().mkpath(gone + "/Pictures"));
        Module1::SetProgramFolder(gone);
        QVERIFY(QDir(gone).removeRecursively());
        for (const Kind& kind : kKinds) {
            Save(kind, *f->main, answers, "lost", {QMessageBox::Ok});
            QVERIFY2(answers.AllAnswered(), kind.label);
            QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
            // The message says which folder is missing.
            const QString said = answers.messages.back().text;
            QVERIFY2(said.endsWith(QStringLiteral("\nlost%1: no such folder: %2/%3").arg(kind.extension, gone, kind.folder)),
                     qPrintable(said));
        }
        QVERIFY(!QFileInfo::exists(gone));  // nothing was created again
    }

    void nameOfFullLength()
    {
        ModalAnswerer answers;
        auto f = Prepare(answers);
        for (const Kind& kind : kKinds) {
            const QString name(255 - 4, QLatin1Char(kind.label[0]));
            Save(kind, *f->main, answers, name);
            QVERIFY2(answers.AllAnswered() && answers.Unexpected() == 0, kind.label);
            QVERIFY2(QFileInfo::exists(f->dir.path() + "/" + kind.folder + "/" + name + kind.extension), kind.label);
            // One character more is refused by the file system: the user is told.
            Save(kind, *f->main, answers, name + "x", {QMessageBox::Ok});
            QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);
        }
    }
};

QTEST_MAIN(TestSaveFailures)
#include "test_save_failures.moc"
