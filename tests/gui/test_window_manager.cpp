// The windows on a real X server under a window manager whose frame is not the assumed one
// (openbox: 1 pixel at the sides and bottom, a 20-pixel title bar): each has its outer size, and
// those that open centred are centred, as the X server itself measures the frame.
#include "ColorForm.h"
#include "OpenForm.h"
#include "OpenTekst.h"
#include "OuterSize.h"
#include "WindowFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include <xcb/xcb.h>

namespace {

// The window's outer rectangle as the X server has it: the window's own rectangle (xwininfo)
// grown by the frame the window manager put on it (_NET_FRAME_EXTENTS: left, right, top, bottom).
QRect OuterOnServer(QWidget* window)
{
    auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(5000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString id = QString::number(window->winId());
    const QString info = run("xwininfo", {"-id", id});
    auto field = [&](const char* name) {
        const auto m = QRegularExpression(QString::fromLatin1(name) + ":\\s+(-?\\d+)").match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    const auto extents =
        QRegularExpression("= (\\d+), (\\d+), (\\d+), (\\d+)").match(run("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}));
    if (!extents.hasMatch())
        return {};
    const int left = extents.captured(1).toInt(), right = extents.captured(2).toInt();
    const int top = extents.captured(3).toInt(), bottom = extents.captured(4).toInt();
    return QRect(field("Absolute upper-left X") - left, field("Absolute upper-left Y") - top,
                 field("Width") + left + right, field("Height") + top + bottom);
}

// The outer rectangle once the window manager has framed the window at size (or as it stands
// after a while, for the comparison to show), on a busy machine too.
QRect Framed(QWidget* window, QSize size)
{
    if (!QTest::qWaitFor([&] { return OuterOnServer(window).size() == size; }, 20000)) {
        QProcess xprop;
        xprop.start("xprop", {"-id", QString::number(window->winId())});
        xprop.waitForFinished(5000);
        qWarning("%s is not framed as expected; its properties:\n%s", qPrintable(window->objectName()),
                 xprop.readAllStandardOutput().constData());
    }
    return OuterOnServer(window);
}

// Centred on the screen by its outer size, to the pixel (the centre of an odd remainder rounds
// as the window's own arithmetic does).
QPoint Centred(const QSize& outer)
{
    QRect r(QPoint(0, 0), outer);
    r.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    return r.topLeft();
}

}  // namespace

class TestWindowManager : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs an X server");
    }

    // Each window in a session of its own (see CMakeLists.txt): the main window first, as the
    // program starts, then at most one dialog.
    void mainWindow()
    {
        WindowFixture f;
        Main& m = *f.main;
        ShownAndFramed(m);
    }

    void openTextDialog() { DialogFramed(QSize(434, 380), true, [](Main& m) { Choose(m.File, 5); }); }
    void openPictureDialog() { DialogFramed(QSize(240, 380), false, [](Main& m) { Choose(m.File, 2); }); }
    void colourDialog() { DialogFramed(QSize(320, 178), false, [](Main& m) { m.ForeColorLabel_Click(); }); }

    // The main window is mapped once, at its final size and place: no resize and no move once
    // it shows (as the window and as the X server see it).
    void mappedOnceAtItsPlace()
    {
        // The window manager at work first (a window it frames), as on a desktop.
        {
            QWidget probe;
            probe.resize(100, 100);
            probe.show();
            QVERIFY(QTest::qWaitForWindowExposed(&probe, 20000));
            QTRY_VERIFY_WITH_TIMEOUT(!probe.windowHandle()->frameMargins().isNull(), 20000);
        }
        QTemporaryDir dir;
        Module1::SetPausesEnabled(false);
        Module1::SetProgramFolder(dir.path());
        Main m;
        // What the X server tells of the top-level windows (the frames) while the window shows.
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(c));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
        struct Seen {
            bool map;
            xcb_window_t window;
            QRect geometry;
        };
        std::vector<Seen> seen;
        auto collect = [&] {
            while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
                if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY)
                    seen.push_back({true, reinterpret_cast<xcb_map_notify_event_t*>(e)->window, QRect()});
                if ((e->response_type & 0x7F) == XCB_CONFIGURE_NOTIFY) {
                    const auto* n = reinterpret_cast<xcb_configure_notify_event_t*>(e);
                    seen.push_back({false, n->window, QRect(n->x, n->y, n->width, n->height)});
                }
                std::free(e);
            }
        };
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m, 20000));
        for (int i = 0; i < 150; ++i) {
            QTest::qWait(10);
            collect();
        }
        QCOMPARE(Framed(&m, {800, 492}), QRect(Centred({800, 492}), QSize(800, 492)));
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, xcb_window_t(m.winId())), nullptr), &std::free);
        QVERIFY(tree);
        const xcb_window_t frame = tree->parent;
        // Once the frame is mapped it neither moves nor changes its size.
        bool mapped = false;
        QRect first;
        for (const Seen& s : seen) {
            if (s.window != frame)
                continue;
            if (s.map) {
                mapped = true;
            } else if (mapped) {
                if (first.isNull())
                    first = s.geometry;
                QCOMPARE(s.geometry, first);
            }
        }
        QVERIFY(mapped);
        xcb_disconnect(c);
    }

    // On a screen smaller than the window (640 x 400, set by the test's CMake entry), the window
    // stands at the screen's top left, its title bar on the screen, not centred off it.
    void largerThanTheScreen()
    {
        QVERIFY(QGuiApplication::primaryScreen()->geometry().width() < 800);
        WindowFixture f;
        Main& m = *f.main;
        QVERIFY(QTest::qWaitForWindowExposed(&m, 20000));
        QTRY_VERIFY_WITH_TIMEOUT(!m.windowHandle()->frameMargins().isNull(), 20000);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_COMPARE_WITH_TIMEOUT(OuterOnServer(&m).topLeft(), available.topLeft(), 5000);
    }

    // A small message box is wide enough for its whole title in the window manager's title bar
    // (its text in a bold face and the bar's buttons at either end).
    void messageBoxTitleFits()
    {
        WindowFixture f;
        Main& m = *f.main;
        ShownAndFramed(m);
        ModalAnswerer answers;
        QRect framed;
        QString title;
        answers.Then([](QWidget* w) { QTest::mouseClick(static_cast<OpenTekst*>(w)->OkKnop, Qt::LeftButton); });
        answers.Then([&](QWidget* w) {
            title = w->windowTitle();
            // Once the window manager has framed the box at its size.
            QVERIFY(QTest::qWaitForWindowExposed(w, 20000));
            QVERIFY(QTest::qWaitFor(
                [&] { return !w->windowHandle()->frameMargins().isNull() && OuterOnServer(w).width() > 1; }, 20000));
            framed = OuterOnServer(w);
            QPointer<QDialog> dialog = qobject_cast<QDialog*>(w->parentWidget());
            if (auto* box = qobject_cast<QMessageBox*>(w))
                box->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, [dialog] {
                if (dialog)
                    dialog->reject();
            });
        });
        Choose(m.File, 5);  // Open Textfile, OK with nothing chosen: "Select Filename!"
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(title, QStringLiteral("Huecipher"));
        QFont bold = QApplication::font();
        bold.setBold(true);
        const int needed = QFontMetrics(bold).horizontalAdvance(title) + 2 * 48;
        QVERIFY2(framed.width() >= needed, qPrintable(QStringLiteral("%1 < %2").arg(framed.width()).arg(needed)));
    }

    // After a question, a message or a dialog closes, the keyboard is the main window's again.
    void focusReturnsAfterDialogs()
    {
        WindowFixture f;
        Main& m = *f.main;
        ShownAndFramed(m);
        m.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(m.isActiveWindow(), 10000);
        // As the window manager has it (the active window it announces) and as the window has it.
        auto mainHasTheKeyboard = [&m] {
            QProcess xprop;
            xprop.start("xprop", {"-root", "_NET_ACTIVE_WINDOW"});
            xprop.waitForFinished(5000);
            const auto active = QRegularExpression("window id # (0x[0-9a-f]+)").match(xprop.readAllStandardOutput());
            return active.hasMatch() && active.captured(1).toULongLong(nullptr, 16) == m.winId()
                && m.isActiveWindow() && QApplication::focusWidget() && QApplication::focusWidget()->window() == &m;
        };
        ModalAnswerer answers;
        for (int round = 0; round < 7; ++round) {
            answers.ThenPress(QMessageBox::No);
            Choose(m.File, 0);  // "Do you want to create a new text?"
            QTRY_VERIFY(answers.AllAnswered());
            QTRY_VERIFY_WITH_TIMEOUT(mainHasTheKeyboard(), 5000);
            // OK in Open Picture with nothing chosen: "No valid Glyphix picture!" over the dialog.
            answers.Then([](QWidget* w) { QTest::mouseClick(static_cast<OpenForm*>(w)->OkKnop, Qt::LeftButton); });
            answers.ThenPress(QMessageBox::Ok);
            Choose(m.File, 2);
            QTRY_VERIFY(answers.AllAnswered());
            QCOMPARE(answers.messages.back().text, QStringLiteral("No valid Glyphix picture!"));
            QTRY_VERIFY_WITH_TIMEOUT(mainHasTheKeyboard(), 5000);
            answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
            Choose(m.File, round % 2 ? 2 : 5);
            QTRY_VERIFY(answers.AllAnswered());
            QTRY_VERIFY_WITH_TIMEOUT(mainHasTheKeyboard(), 5000);
        }
        QCOMPARE(answers.Unexpected(), 0);
    }

private:
    // The main window at its outer size, centred, its layout where it was.
    static void ShownAndFramed(Main& m)
    {
        QVERIFY(QTest::qWaitForWindowExposed(&m, 20000));
        // The frame differs from the assumed one, so this tests something.
        QTRY_VERIFY_WITH_TIMEOUT(m.frameGeometry().size() != m.size() + AssumedFrame, 20000);
        QCOMPARE(Framed(&m, {800, 492}), QRect(Centred({800, 492}), QSize(800, 492)));
        QCOMPARE(m.Frame1->geometry(), QRect(8, 2, 236, 360));
    }

    // The dialog that open shows, at its outer size (and centred when centred).
    static void DialogFramed(QSize outer, bool centred, const std::function<void(Main&)>& open)
    {
        WindowFixture f;
        Main& m = *f.main;
        ShownAndFramed(m);
        ModalAnswerer answers;
        QRect framed;
        answers.Then([&](QWidget* w) {
            framed = Framed(w, outer);
            static_cast<QDialog*>(w)->reject();
        });
        open(m);
        QTRY_VERIFY(answers.AllAnswered());
        QCOMPARE(framed.size(), outer);
        if (centred)
            QCOMPARE(framed.topLeft(), Centred(outer));
        QCOMPARE(answers.Unexpected(), 0);
    }
};

QTEST_MAIN(TestWindowManager)
#include "test_window_manager.moc"
