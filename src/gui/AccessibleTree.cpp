#include "AccessibleTree.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMenu>

namespace AccessibleTree {
namespace {

const char* const kPanelProperty = "huecipherAccessiblePanel";
const char* const kDecorativeProperty = "huecipherDecorative";

// The children a screen reader is given: shown, not windows of their own or menus, and not a
// caption that labels a control (the control's label relation carries it).
QList<QWidget*> ShownChildren(const QWidget* parent)
{
    QList<QWidget*> shown;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow() || w->isHidden() || qobject_cast<QMenu*>(w) || w->property(kDecorativeProperty).toBool())
            continue;
        if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
            continue;
        shown.append(w);
    }
    return shown;
}

class Panel : public QAccessibleWidget {
public:
    Panel(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    int childCount() const override { return int(ShownChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> shown = ShownChildren(widget());
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        auto* w = child ? qobject_cast<QWidget*>(child->object()) : nullptr;
        return w ? int(ShownChildren(widget()).indexOf(w)) : -1;
    }
};

QAccessibleInterface* PanelFactory(const QString& className, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    if (!w)
        return nullptr;
    if (className == QLatin1String("Main"))
        return new Panel(w, QAccessible::Window);
    // A screen reader reads a picture box as a picture (the graphic role), not as filler it skips.
    if (className == QLatin1String("PictureBox"))
        return new Panel(w, QAccessible::Graphic);
    if (className == QLatin1String("OpenForm") || className == QLatin1String("OpenTekst")
        || className == QLatin1String("ColorForm"))
        return new Panel(w, QAccessible::Dialog);
    if ((className == QLatin1String("QFrame") || className == QLatin1String("QWidget"))
        && w->property(kPanelProperty).toBool())
        return new Panel(w, QAccessible::Client);
    return nullptr;
}

}  // namespace

void KeepToWhatShows()
{
    static const bool installed = (QAccessible::installFactory(PanelFactory), true);
    Q_UNUSED(installed);
}

void MarkPanel(QWidget* panel)
{
    panel->setProperty(kPanelProperty, true);
}

void MarkDecorative(QWidget* w)
{
    w->setProperty(kDecorativeProperty, true);
}

void Caption(QLabel* caption, QWidget* control)
{
    caption->setBuddy(control);
}

}  // namespace AccessibleTree
