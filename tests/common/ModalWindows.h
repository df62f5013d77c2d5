// Answering the modal windows that a test opens, without ever waiting for one for ever.
//
//     const auto about = hvtest::whenModalOpens<frmAbout>([](frmAbout *window) {
//         QTest::mouseClick(window->cmdOk(), Qt::LeftButton);
//     });
//     actions->mnuAbout()->trigger(); // returns once the answer has closed the window
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

namespace hvtest {

// How long a watched window may take to open and to be closed by its answer.
inline constexpr int kModalWaitMs = 15000;

// Hands the first modal window that `answer` accepts, once it opens while the watch lives, to
// that answer, which should close it. When the window has not opened and closed again within
// the wait (it never came, another window came instead, or the answer left it open, say after
// a failed ASSERT, which gives up at once), the test fails and every modal window is closed,
// so that no exec() waits for ever; the test fails too when the watch ends before its window
// opened.
class ModalWatch {
public:
    // `answer` returns false, without touching the window, for a window it does not expect.
    ModalWatch(QString expected, std::function<bool(QWidget *)> answer, int waitMs);
    ~ModalWatch();
    ModalWatch(const ModalWatch &) = delete;
    ModalWatch &operator=(const ModalWatch &) = delete;

private:
    void poll();
    void giveUp(const std::string &why);

    QString m_expected;
    std::function<bool(QWidget *)> m_answer;
    int m_waitMs;
    QTimer m_poll;
    QTimer m_deadline;
    QPointer<QWidget> m_window;
    bool m_opened = false;
    bool m_answering = false;
    bool m_done = false;
};

// Closes every open modal window (rejecting dialogs); returns the class names of those closed.
QStringList closeModalWindows();

// An answer for ModalWatch that takes windows of type W only.
template <typename W> std::function<bool(QWidget *)> answerFor(std::function<void(W *)> answer)
{
    return [answer = std::move(answer)](QWidget *modal) {
        auto *window = qobject_cast<W *>(modal);
        if (window)
            answer(window);
        return window != nullptr;
    };
}

// Watches for a modal window of type W (see ModalWatch); keep the result until the window has
// been answered.
template <typename W>
[[nodiscard]] ModalWatch whenModalOpens(std::function<void(W *)> answer, int waitMs = kModalWaitMs)
{
    return ModalWatch(QString::fromLatin1(W::staticMetaObject.className()),
                      answerFor<W>(std::move(answer)), waitMs);
}

// The same, with a watch that lives as long as `owner`, which must not outlive the test.
template <typename W>
void whenModalOpens(QObject *owner, std::function<void(W *)> answer, int waitMs = kModalWaitMs)
{
    auto *watch = new ModalWatch(QString::fromLatin1(W::staticMetaObject.className()),
                                 answerFor<W>(std::move(answer)), waitMs);
    QObject::connect(owner, &QObject::destroyed, [watch] { delete watch; });
}

} // namespace hvtest
