#include "tests/common/ModalWindows.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

namespace hvtest {

QStringList closeModalWindows()
{
    QStringList closed;
    // Bounded: a window that will not close must not keep the test here either.
    for (int i = 0; i < 20; ++i) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        closed.append(QString::fromLatin1(modal->metaObject()->className()));
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else if (!modal->close())
            modal->hide();
    }
    return closed;
}

ModalWatch::ModalWatch(QString expected, std::function<bool(QWidget *)> answer, int waitMs)
    : m_expected(std::move(expected)), m_answer(std::move(answer)), m_waitMs(waitMs)
{
    QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
    m_poll.start(10);
    // A timer of its own: it fires even while the answer runs an event loop of its own.
    m_deadline.setSingleShot(true);
    QObject::connect(&m_deadline, &QTimer::timeout, [this] {
        giveUp((m_opened ? "was still open after " : "did not open within ") +
               std::to_string(m_waitMs) + " ms");
    });
    m_deadline.start(waitMs);
}

ModalWatch::~ModalWatch()
{
    if (!m_done && !m_opened)
        ADD_FAILURE() << "no modal " << m_expected.toStdString() << " opened";
}

void ModalWatch::poll()
{
    if (m_done || m_answering)
        return;
    if (!m_opened) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        m_answering = true;
        const QPointer<QWidget> window = modal;
        const bool failedBefore = ::testing::Test::HasFatalFailure();
        m_opened = m_answer(modal);
        m_answering = false;
        if (!m_opened)
            return;
        m_window = window;
        if (m_window && m_window->isVisible() && !failedBefore &&
            ::testing::Test::HasFatalFailure())
            return giveUp("was left open by an answer that failed");
    }
    if (!m_window || !m_window->isVisible()) {
        m_done = true;
        m_poll.stop();
        m_deadline.stop();
    }
}

void ModalWatch::giveUp(const std::string &why)
{
    m_done = true;
    m_poll.stop();
    m_deadline.stop();
    const QStringList closed = closeModalWindows();
    ADD_FAILURE() << "the modal " << m_expected.toStdString() << ' ' << why
                  << (closed.isEmpty() ? std::string()
                                       : "; closed: " + closed.join(u", ").toStdString());
}

} // namespace hvtest
