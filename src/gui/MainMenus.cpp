// The menu bar of the main window: File, Tools, Textsize.
#include "Main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {
QAction* MakeItem(QMenu* menu, const QString& name, const QString& caption)
{
    auto* action = new QAction(menu);
    action->setObjectName(name);
    // A caption "-" makes a separator: a plain line, so it carries no text of its own.
    if (caption == QLatin1String("-"))
        action->setSeparator(true);
    else
        action->setText(caption);
    menu->addAction(action);
    return action;
}

// Draws the mark beside the checked item of a menu only; an unchecked item shows no box.
class CheckMarkOnlyStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_MenuItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                if (item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
                    QStyleOptionMenuItem plain(*item);
                    plain.checkType = QStyleOptionMenuItem::NotCheckable;  // the column stays
                    QProxyStyle::drawControl(element, &plain, painter, widget);
                    return;
                }
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};
}  // namespace

void Main::BuildFileMenu()
{
    File = menuBar()->addMenu(QStringLiteral("&File"));
    File->setObjectName(QStringLiteral("File"));
    // "&" marks the letter that chooses the item with the keyboard (shown underlined).
    const char* const captions[] = {"&New", "-", "&Open Picture (hqc)", "&Save Picture (hqc)", "-",
                                    "Open &Textfile (txt)", "Save Te&xtfile (txt)", "-", "&Exit"};
    const QKeySequence shortcuts[] = {QKeySequence(Qt::CTRL | Qt::Key_N), {}, QKeySequence(Qt::CTRL | Qt::Key_O),
                                      QKeySequence(Qt::CTRL | Qt::Key_S), {},
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), {},
                                      QKeySequence(Qt::CTRL | Qt::Key_Q)};
    for (int i = 0; i < static_cast<int>(FileIndex.size()); ++i) {
        FileIndex[i] = MakeItem(File, QStringLiteral("FileIndex_%1").arg(i), QString::fromLatin1(captions[i]));
        FileIndex[i]->setShortcut(shortcuts[i]);
        connect(FileIndex[i], &QAction::triggered, this, [this, i] { FileIndex_Click(i); });
    }
}

void Main::BuildToolsMenu()
{
    Info = menuBar()->addMenu(QStringLiteral("&Tools"));
    Info->setObjectName(QStringLiteral("Info"));
    MeerSoftware = MakeItem(Info, QStringLiteral("MeerSoftware"), QStringLiteral("&More Software"));
    BijzondereTekens = MakeItem(Info, QStringLiteral("BijzondereTekens"), QStringLiteral("&Special Characters"));
    Streep3 = MakeItem(Info, QStringLiteral("Streep3"), QStringLiteral("-"));
    Verzenden = MakeItem(Info, QStringLiteral("Verzenden"), QStringLiteral("Send Picture by &E-mail"));
    connect(MeerSoftware, &QAction::triggered, this, &Main::MeerSoftware_Click);
    connect(BijzondereTekens, &QAction::triggered, this, &Main::BijzondereTekens_Click);
    connect(Verzenden, &QAction::triggered, this, &Main::Verzenden_Click);
}

void Main::BuildTextsizeMenu()
{
    Lettergrootte = menuBar()->addMenu(QStringLiteral("Text&size"));
    Lettergrootte->setObjectName(QStringLiteral("Lettergrootte"));
    auto* style = new CheckMarkOnlyStyle();
    style->setParent(Lettergrootte);
    Lettergrootte->setStyle(style);
    for (int index = 8; index <= 12; ++index) {
        // Mnemonics 8, 9, 0, 1 and 2: one distinct digit for every size.
        const char* const captions[] = {"&8 Pixels", "&9 Pixels", "1&0 Pixels", "&11 Pixels", "1&2 Pixels"};
        QAction* item = MakeItem(Lettergrootte, QStringLiteral("LetGrote_%1").arg(index),
                                 QString::fromLatin1(captions[index - 8]));
        item->setCheckable(true);
        LetGrote[index] = item;
        // The menu sets the mark itself on a click; the handler decides it.
        connect(item, &QAction::triggered, this, [this, index] { LetGrote_Click(index); });
    }
    LetGrote[8]->setChecked(true);
}
