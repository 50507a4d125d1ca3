// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exercises/count/count_task.h"
#include "windows/exercise/exercise_window.h"

#include <functional>

namespace count {

// The count-on-the-line exercise (frmOperativo1): the child counts the figures shown, one press
// of "CONTA" per figure, each press lighting one more disc and showing that column of squares.
class FrmOperativo1 : public exercise::ExerciseWindow
{
    Q_OBJECT
public:
    // Closing the window brings the start window back through showStart.
    FrmOperativo1(const exercise::ExerciseServices& services, std::function<void()> showStart);

    std::array<int, kSlots> Posizioni{};

protected:
    void PreparaOperazione() override;
    void mostraConteggio() override;
    void primoCompito() override;
    void svuotaPosti() override;
    void ricomincia() override;
    void Form_Unload() override;

private:
    std::function<void()> showStart_;
};

} // namespace count
