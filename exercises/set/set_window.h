// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windows/exercise/exercise_window.h"

namespace set {

inline constexpr int kSlots = 20; // Image2(1..20), one for each figure the child places

// The rebuild-the-set exercise (frmOperativo2): a number is shown as discs and as a column of
// squares, and each press of "CONTA" places one more figure in the next slot.
class FrmOperativo2 : public exercise::ExerciseWindow
{
    Q_OBJECT
public:
    explicit FrmOperativo2(const exercise::ExerciseServices& services);

protected:
    void PreparaOperazione() override;
    void mostraConteggio() override;
    void primoCompito() override;
    void svuotaPosti() override;
    void ricomincia() override;
};

} // namespace set
