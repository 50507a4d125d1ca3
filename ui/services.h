// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>

namespace ui {

// The time services the windows use, injected so tests can drive them.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with fractions; starts again from 0 at midnight. Seeds the random draws.
    virtual float timeOfDay() const = 0;
    // Seconds from an arbitrary origin that never goes back: what durations are measured with.
    virtual double monotonicSeconds() const = 0;
};

// The random generator: reseeded at the start of every task, then drawn from uniformly.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void randomize(float seed) = 0;
    // Uniform in [0, 1).
    virtual float rnd() = 0;
};

// What the child hears: a word at a time, and a new word takes the place of one not yet spoken.
// Saying returns at once, whatever the speech service does.
class Voice
{
public:
    virtual ~Voice() = default;
    // A word of the exercise: a count, a verdict, a task's number. It may cut a name short.
    virtual void say(const QString& word) = 0;
    // The name of the button scanning has reached. It waits for the exercise's word still pending
    // or being said and never cuts it; the next word or name may cut it. `said` runs on the GUI
    // thread once it is over (said, cut short or dropped), at once where the voice cannot tell.
    virtual void name(const QString& word, const std::function<void()>& said)
    {
        say(word);
        said();
    }
    // The voice of a program started without one: it says nothing.
    static Voice& silent();
};

class SystemClock final : public Clock
{
public:
    float timeOfDay() const override;
    double monotonicSeconds() const override;
};

// A Mersenne twister seeded from the seed's bits, so that different times of day give different
// sequences; a fixed extra salt lets tests get many distinct sequences from one clock reading.
class StandardRandom final : public RandomSource
{
public:
    explicit StandardRandom(std::uint32_t salt = 0) : salt_(salt) {}
    void randomize(float seed) override;
    float rnd() override;

private:
    std::mt19937 engine_;
    std::uint32_t salt_;
};

// minimo + floor(r * (massimo - minimo + 1)) with r from the source: uniform in minimo..massimo.
// Computed in double so r just below 1 never rounds up past massimo.
int drawBetween(RandomSource& random, int minimo, int massimo);
// A value 1..n.
inline int drawOneTo(RandomSource& random, int n)
{
    return drawBetween(random, 1, n);
}

} // namespace ui
