#include "OuterSize.h"

#include "Controls.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

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
};

}  // namespace

void KeepOuterSize(QWidget* window, QSize outer, const QScreen* screen, std::function<void(QSize)> setClient)
{
    new OuterSizeKeeper(window, outer, screen, std::move(setClient));
}
