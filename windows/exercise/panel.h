// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>

namespace exercise {

// The texts and sums of the result and timing panel, apart from the labels that show them.

// Seconds as shown: one leading blank before the digits for a value not negative, a minus sign
// otherwise.
QString signedText(std::int64_t value);
// The last answer's seconds shown, capped at "99"; the total shown, capped at "999". The caps
// change only what is shown.
QString partialCaption(std::int64_t seconds);
QString totalCaption(std::int64_t seconds);
// Whole seconds between two monotonic readings, rounded down. A monotonic clock cannot go back,
// so an answer that spans midnight is still counted forward; never negative.
std::int64_t wholeSeconds(double start, double end);

// A count of answers that can neither overflow nor wrap.
class Counter
{
public:
    std::int64_t value() const { return value_; }
    void increment()
    {
        if (value_ < INT64_MAX)
            ++value_;
    }

private:
    std::int64_t value_ = 0;
};

} // namespace exercise
