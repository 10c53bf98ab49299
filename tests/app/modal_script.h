#pragma once

#include <QTimer>

#include <functional>
#include <vector>

// Steps taken one after another from the event loop while modal windows are shown;
// each step waits until its condition holds.
class ModalScript
{
public:
    struct Step
    {
        std::function<bool()> ready;
        std::function<void()> act;
    };

    explicit ModalScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { advance(); });
        m_timer.start(20);
    }
    bool finished() const { return m_next == m_steps.size(); }

private:
    void advance()
    {
        if (finished() || !m_steps[m_next].ready())
            return;
        m_steps[m_next++].act();
        if (finished())
            m_timer.stop();
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_timer;
};
