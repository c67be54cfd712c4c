// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace twistor {

// The main loop lets window events run only through this seam, so that the
// game blocks while it waits for the player and a driver can step it.
class EventPump {
  public:
    enum class Wait {
        Poll,   // let pending events run, do not wait: the loop has work to do
        Idle,   // nothing to do until the player acts: block until an event comes
        Timer,  // holding back the computer: block until an event (the timer) comes
    };

    virtual ~EventPump() = default;

    // Called at the top of every pass of the main loop.
    virtual void PassStarted() {}

    // Lets window events run once.
    virtual void Pump(Wait wait) = 0;
};

// The game's own pump: Qt's event queue.
class QtEventPump : public EventPump {
  public:
    void Pump(Wait wait) override;
};

}  // namespace twistor
