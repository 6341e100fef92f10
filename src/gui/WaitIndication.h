// The wait label and busy pointer shown while the encoder or decoder works.
#pragma once

#include "Controls.h"
#include "Main.h"

#include <QApplication>
#include <QLabel>

class WaitIndication {
public:
    explicit WaitIndication(Main& main) : m_main(main)
    {
        m_main.Label8->show();
        Module1::Pause(200);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitIndication()
    {
        QApplication::restoreOverrideCursor();
        m_main.Label8->hide();
    }
    WaitIndication(const WaitIndication&) = delete;
    WaitIndication& operator=(const WaitIndication&) = delete;

private:
    Main& m_main;
};
