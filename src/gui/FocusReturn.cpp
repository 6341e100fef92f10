#include "FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace FocusReturn {
namespace {

class Watcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Hide)
            return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (!dialog || !dialog->isWindow() || !dialog->parentWidget())
            return false;
        // Once the dialog is gone: the window under it, unless another dialog is over it now.
        QPointer<QWidget> under = dialog->parentWidget()->window();
        QTimer::singleShot(0, under, [under] {
            QWidget* modal = QApplication::activeModalWidget();
            // Asked even when the toolkit counts the window active already: the toolkit may
            // think so before the window manager has put the focus anywhere.
            if (under && under->isVisible() && (!modal || modal == under))
                under->activateWindow();
        });
        return false;
    }
};

}  // namespace

void Install()
{
    static Watcher* watcher = nullptr;
    if (watcher || !qApp)
        return;
    watcher = new Watcher(qApp);
    qApp->installEventFilter(watcher);
}

}  // namespace FocusReturn
