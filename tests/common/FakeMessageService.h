// A message-box service for tests: records every message and answers from a preset queue.
//
//     hvtest::FakeMessageService boxes;            // installed until it goes out of scope
//     boxes.answers = {hv::MsgAnswer::Yes};        // later boxes get their safe answer
//     ... code under test ...
//     EXPECT_EQ(boxes.shown.at(0).text, "...");
#pragma once

#include "app/MessageService.h"

#include <QStringList>
#include <deque>

#include <functional>
#include <vector>

namespace hvtest {

class FakeMessageService : public hv::MessageService {
public:
    struct Message {
        QString text;
        QString caption;
        hv::MsgButtons buttons;
        hv::MsgIcon icon;
        QString detail;
    };

    FakeMessageService() : m_previous(hv::setMessageService(this)) {}
    ~FakeMessageService() override { hv::setMessageService(m_previous); }
    FakeMessageService(const FakeMessageService &) = delete;
    FakeMessageService &operator=(const FakeMessageService &) = delete;

    hv::MsgAnswer show(const QString &text, const QString &caption, hv::MsgButtons buttons,
                       hv::MsgIcon icon, const QString &detail) override
    {
        shown.push_back({text, caption, buttons, icon, detail});
        if (onShow)
            onShow(shown.back());
        if (answers.empty())
            return hv::safeAnswer(buttons);
        const hv::MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Message &m : shown)
            list.append(m.text);
        return list;
    }

    std::vector<Message> shown;
    std::deque<hv::MsgAnswer> answers;
    // Called while a box is "open" (e.g. to look at the state of the window behind it).
    std::function<void(const Message &)> onShow;

private:
    hv::MessageService *m_previous;
};

} // namespace hvtest
