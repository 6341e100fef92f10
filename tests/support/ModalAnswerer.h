// Answers the modal dialogs a widget test provokes, and fails a test that leaves one open.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

struct SeenMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class ModalAnswerer : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;

    ModalAnswerer()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
        m_timer.start();
    }

    // Queues an answer for the next modal dialog that opens.
    void Then(Answer answer) { m_answers.push_back(std::move(answer)); }

    // Answers the next message box with the given button, noting what it showed.
    void ThenPress(QMessageBox::StandardButton button)
    {
        Then([this, button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box) {
                m_unexpected++;
                w->close();
                return;
            }
            messages.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
            box->button(button) ? box->button(button)->click() : box->reject();
        });
    }

    // Types text into the next input box and presses OK (or Cancel).
    void ThenType(const QString& text, bool ok = true)
    {
        Then([this, text, ok](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            if (!input) {
                m_unexpected++;
                w->close();
                return;
            }
            prompts.push_back({input->labelText(), input->windowTitle(), QMessageBox::NoIcon, {}});
            input->setTextValue(text);
            ok ? input->accept() : input->reject();
        });
    }

    // True when every queued answer was used and no dialog went unanswered.
    bool AllAnswered() const { return m_answers.empty() && m_unexpected == 0; }
    int Unexpected() const { return m_unexpected; }

    std::vector<SeenMessage> messages;
    std::vector<SeenMessage> prompts;

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || Answered(modal)) {
            if (!modal)
                m_waitedTicks = 0;
            return;
        }
        if (m_answers.empty()) {
            // A dialog nobody expected: close it after a while so the test fails instead of hanging.
            if (modal != m_waitingOn) {
                m_waitingOn = modal;
                m_waitedTicks = 0;
            }
            if (++m_waitedTicks > 400) {
                m_unexpected++;
                m_waitedTicks = 0;
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
            return;
        }
        m_answered.push_back(modal);
        // Answer outside this timer's slot: an answer that opens another dialog must not
        // block the polling of the next one.
        auto answer = std::make_shared<Answer>(std::move(m_answers.front()));
        m_answers.pop_front();
        QPointer<QWidget> target = modal;
        QTimer::singleShot(0, this, [answer, target] {
            if (target)
                (*answer)(target);
        });
    }

    QTimer m_timer;
    std::deque<Answer> m_answers;
    bool Answered(QWidget* w) const
    {
        for (const auto& p : m_answered)
            if (p == w)
                return true;
        return false;
    }

    std::vector<QPointer<QWidget>> m_answered;
    QPointer<QWidget> m_waitingOn;
    int m_unexpected = 0;
    int m_waitedTicks = 0;
};
