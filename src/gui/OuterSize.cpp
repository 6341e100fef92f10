#include "OuterSize.h"

#include "Controls.h"

#include <QEvent>
#include <QThread>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <xcb/xcb.h>

namespace {

// Asks the X window manager, before window is mapped, for the frame it will give it
// (_NET_REQUEST_FRAME_EXTENTS), so that the window is mapped once at its size. Nothing when
// there is no X server or no window manager that answers within a moment.
std::optional<QMargins> FrameBeforeMapping(QWidget* window)
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return std::nullopt;
    auto atom = [c](const char* name) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    const xcb_window_t id = xcb_window_t(window->winId());  // made now if need be, not mapped
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, id), nullptr), &std::free);
    if (!tree)
        return std::nullopt;
    const xcb_atom_t request = atom("_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    auto property = [c](xcb_window_t w, xcb_atom_t name, xcb_atom_t type, std::uint32_t length) {
        return std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>(
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, length), nullptr), &std::free);
    };
    const auto manager = property(tree->root, check, XCB_ATOM_WINDOW, 1);
    if (!manager || xcb_get_property_value_length(manager.get()) < 4)
        return std::nullopt;  // no window manager
    // Only a window manager that says it answers such a request is asked.
    const auto supported = property(tree->root, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
    if (!supported)
        return std::nullopt;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / int(sizeof(xcb_atom_t));
    if (std::find(atoms, atoms + count, request) == atoms + count)
        return std::nullopt;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    // A busy window manager may take a while; at most a second.
    for (int tries = 0; tries < 250; ++tries) {
        const auto reply = property(id, extents, XCB_ATOM_CARDINAL, 4);
        if (reply && xcb_get_property_value_length(reply.get()) == 16) {
            const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));  // left, right, top, bottom
        }
        QThread::msleep(4);
    }
    return std::nullopt;
}

// The frame the window manager last gave a window of this program: a window made later starts
// with it, so that it is mapped at its size at once instead of being resized once framed.
QSize g_knownFrame = AssumedFrame;

// Watches the window: its frame is known only once the window manager has framed it, which
// happens after the window shows and is reported without an event of its own. So the frame is
// looked at on every show, move and resize, and a few times in the first second after a show.
class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer, const QScreen* screen, std::function<void(QSize)> setClient)
        : QObject(window), m_window(window), m_outer(outer), m_screen(const_cast<QScreen*>(screen)),
          m_setClient(std::move(setClient))
    {
        Apply(g_knownFrame);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            // Before the window is mapped: at its size at once when the window manager says
            // what frame it will draw.
            if (!m_askedFrame) {
                m_askedFrame = true;
                if (const std::optional<QMargins> margins = FrameBeforeMapping(m_window)) {
                    const QSize frame(margins->left() + margins->right(), margins->top() + margins->bottom());
                    g_knownFrame = frame;
                    Apply(frame);
                    // Until it is mapped the toolkit places the window itself where the frame
                    // should go: moved in by the frame, the frame lands there.
                    if (m_screen && m_window->windowHandle() && m_window->windowHandle()->frameMargins().isNull())
                        m_window->move(m_window->pos() + QPoint(margins->left(), margins->top()));
                }
            }
            for (int delay : {0, 50, 150, 400, 1000})
                QTimer::singleShot(delay, this, [this] { Fit(); });
            break;
        case QEvent::Move:
        case QEvent::Resize:
            Fit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Fit()
    {
        // Off screen no window manager frames the window (the margins reported there are made up).
        if (!m_window->isVisible() || QGuiApplication::platformName() == QLatin1String("offscreen"))
            return;
        const QSize frame = m_window->frameGeometry().size() - m_window->size();
        // No frame at all: no window manager, or none that tells; the assumed frame stays.
        if (frame == m_frame || frame == QSize(0, 0) || frame.width() < 0 || frame.height() < 0)
            return;
        g_knownFrame = frame;
        Apply(frame);
    }

    void Apply(QSize frame)
    {
        m_frame = frame;
        const QSize client = (m_outer - frame).expandedTo(QSize(1, 1));
        if (m_setClient)
            m_setClient(client);
        else
            m_window->setFixedSize(client);
        if (m_screen)
            CentreOnScreen(m_window, m_screen, m_outer.width(), m_outer.height());
    }

    QWidget* m_window;
    QSize m_outer;
    QPointer<QScreen> m_screen;
    std::function<void(QSize)> m_setClient;
    QSize m_frame;
    bool m_askedFrame = false;
};

}  // namespace

void KeepOuterSize(QWidget* window, QSize outer, const QScreen* screen, std::function<void(QSize)> setClient)
{
    new OuterSizeKeeper(window, outer, screen, std::move(setClient));
}
