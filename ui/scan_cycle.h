// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <vector>

namespace ui {

// The timing of scanning for a child on one switch, apart from any window: when the highlight
// moves on, what a press of the switch does, and when scanning rests. Times are seconds of a
// clock that never goes back.
class ScanCycle
{
public:
    // A press this soon after the last one is a tremor or a bouncing switch, not a choice.
    static constexpr double kDebounce = 0.3;
    // Rest needs both: a child counting twenty pictures takes longer than three rounds of one button.
    static constexpr int kRoundsBeforeRest = 3;
    static constexpr double kSecondsBeforeRest = 30;
    // The longest a highlight waits for its name to be said before its pace starts anyway.
    static constexpr double kNameWait = 3;

    enum class Press { Act, Wake, Ignored };
    enum class Tick { Wait, Move, Rest };

    explicit ScanCycle(double pace) : pace_(pace) {}

    bool resting() const { return !due_; }
    // When the highlight moves next; none while resting.
    std::optional<double> due() const { return due_; }

    // The highlight has just been put on a button of a window that became active.
    void start(double now);
    // No timer runs until the next start or press.
    void rest() { due_.reset(); }
    // The switch was pressed. An acting press keeps the highlight for the rest of its pace and
    // one whole pace more, so the same button can be pressed again without a full round.
    Press press(double now);
    // The lit button's name is being said: its pace starts once it has been said, or after
    // kNameWait at the latest.
    void awaitName(double now);
    void nameSaid(double now);
    // The timer fired with `shown` buttons in the window: Move the highlight on, or Rest after
    // three whole rounds and kSecondsBeforeRest without a press.
    Tick tick(double now, int shown);

    // The next shown button after `current` in reading order, wrapping round: `current` again when
    // it is the only one, the first shown when `current` is -1, and -1 when none is shown.
    static int following(const std::vector<bool>& shown, int current);

private:
    double pace_;
    std::optional<double> due_;
    double paceDue_ = 0;           // when it moves, names aside
    double arrived_ = 0;           // when the highlight came to its button
    double since_ = 0;             // the activation or the last press
    std::optional<double> naming_; // since when a name is being said
    int moves_ = 0;                // since the start or the last press
    std::optional<double> lastPress_;
};

} // namespace ui
